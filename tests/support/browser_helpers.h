#pragma once
// Filling a real statistics database with known games, row by row as the
// statistics sheet's save writes them (an empty count stays NULL).
#include "platform/database.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace browser_test {

// Counts in table order (K, BB, 1B, 2B, 3B, HR, SB, RBI, AB); an invalid
// QVariant leaves the field NULL, missing trailing counts too.
void addBatting(db::Connection& c, const QString& batter, const QString& team, const QString& gameId,
                const std::vector<QVariant>& counts = {});

// Counts in table order (K, BB, Hits, HR, Runs); ip as stored (a QVariant of
// double, or invalid for NULL).
void addPitching(db::Connection& c, const QString& pitcher, const QString& team, const QString& gameId,
                 const QVariant& ip, const std::vector<QVariant>& counts = {});

// One line-score row: the innings played (I1 on), the runs their sum.
void addLineScore(db::Connection& c, const QString& team, bool visitors, const QString& gameId,
                  const std::vector<int>& innings, int hits, int errors);

// A whole game's line score, win/loss and matchup rows.
void addGameSummary(db::Connection& c, const QString& gameId, const QString& visitors, const QString& home,
                    const std::vector<int>& visitorInnings, const std::vector<int>& homeInnings);

// `count` batting rows in one transaction, row i for "Player <i % 400>" of
// "Team <i % 16>" with small counts (2B left NULL). False if a row failed.
bool addNumberedBattingRows(db::Connection& c, int count);

}  // namespace browser_test

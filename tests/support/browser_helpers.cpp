#include "support/browser_helpers.h"

#include <QSqlQuery>
#include <numeric>

namespace browser_test {

void addBatting(db::Connection& c, const QString& batter, const QString& team, const QString& gameId,
                const std::vector<QVariant>& counts)
{
    static const char* fields[] = {"K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI", "AB"};
    std::vector<std::pair<QString, QVariant>> row{{"Batter", batter}, {"Team", team}, {"GameID", gameId}};
    for (size_t i = 0; i < counts.size() && i < std::size(fields); ++i)
        if (counts[i].isValid())
            row.emplace_back(QString::fromLatin1(fields[i]), counts[i]);
    c.insert(QStringLiteral("Batting"), row);
}

void addPitching(db::Connection& c, const QString& pitcher, const QString& team, const QString& gameId,
                 const QVariant& ip, const std::vector<QVariant>& counts)
{
    static const char* fields[] = {"K", "BB", "Hits", "HR", "Runs"};
    std::vector<std::pair<QString, QVariant>> row{{"Pitcher", pitcher}, {"Team", team}, {"GameID", gameId}};
    if (ip.isValid())
        row.emplace_back(QStringLiteral("IP"), ip);
    for (size_t i = 0; i < counts.size() && i < std::size(fields); ++i)
        if (counts[i].isValid())
            row.emplace_back(QString::fromLatin1(fields[i]), counts[i]);
    c.insert(QStringLiteral("Pitching"), row);
}

void addLineScore(db::Connection& c, const QString& team, bool visitors, const QString& gameId,
                  const std::vector<int>& innings, int hits, int errors)
{
    std::vector<std::pair<QString, QVariant>> row{{"Team", team}};
    for (size_t i = 0; i < innings.size() && i < 20; ++i)
        row.emplace_back(QStringLiteral("I%1").arg(i + 1), innings[i]);
    row.emplace_back(QStringLiteral("Runs"), std::accumulate(innings.begin(), innings.end(), 0));
    row.emplace_back(QStringLiteral("Hits"), hits);
    row.emplace_back(QStringLiteral("Errors"), errors);
    row.emplace_back(QStringLiteral("Host"), visitors ? QStringLiteral("a_VIS") : QStringLiteral("b_HOME"));
    row.emplace_back(QStringLiteral("GameID"), gameId);
    c.insert(QStringLiteral("BoxScores"), row);
}

void addGameSummary(db::Connection& c, const QString& gameId, const QString& visitors, const QString& home,
                    const std::vector<int>& visitorInnings, const std::vector<int>& homeInnings)
{
    const int v = std::accumulate(visitorInnings.begin(), visitorInnings.end(), 0);
    const int h = std::accumulate(homeInnings.begin(), homeInnings.end(), 0);
    addLineScore(c, visitors, true, gameId, visitorInnings, v + 3, 0);
    addLineScore(c, home, false, gameId, homeInnings, h + 3, 1);
    auto winLoss = [&](const QString& team, int own, int other) {
        std::vector<std::pair<QString, QVariant>> row{{"Team", team}};
        if (own > other)
            row.emplace_back(QStringLiteral("Win"), 1);
        else if (own < other)
            row.emplace_back(QStringLiteral("Loss"), 1);
        c.insert(QStringLiteral("WinLoss"), row);
    };
    winLoss(visitors, v, h);
    winLoss(home, h, v);
    c.insert(QStringLiteral("Matchups"), {{"Matchup", visitors + QStringLiteral("  vs  ") + home}, {"Tally", 1}});
}

bool addNumberedBattingRows(db::Connection& c, int count)
{
    bool all = true;
    c.transaction([&] {
        QSqlQuery q(c.sql());
        q.prepare(QStringLiteral("INSERT INTO Batting VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < count && all; ++i) {
            q.addBindValue(QStringLiteral("Player %1").arg(i % 400));
            for (int k = 0; k < 9; ++k)
                q.addBindValue(k == 3 ? db::nullOf(db::Type::Integer) : QVariant(qlonglong((i + k) % 5)));
            q.addBindValue(QStringLiteral("Team %1").arg(i % 16));
            q.addBindValue(QStringLiteral("0307261405%1").arg(i % 100, 2, 10, QChar('0')));
            all = q.exec();
        }
    });
    return all;
}

}  // namespace browser_test

#include "stats_sheet/record_writers.h"

#include "common/game_stamp.h"
#include "common/guard.h"
#include "common/numbers.h"
#include "platform/database.h"
#include "stats_sheet/innings.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <iterator>
#include <utility>

namespace records {

namespace {

const char* const BattingFields[] = {"K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI", "AB"};
const char* const PitchingFields[] = {"K", "BB", "Hits", "HR", "Runs"};
// The sheet's own headers, which is what the user sees above a bad cell.
const char* const BattingHeads[] = {"K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI", "AB"};
const char* const PitchingHeads[] = {"K", "BB", "H", "HR", "ER"};

QString latin(const char* s)
{
    return QString::fromLatin1(s);
}

QString quotedCell(const QString& text)
{
    return QStringLiteral("\"") + text + QStringLiteral("\"");
}

QString rowName(int row, const QString& name)
{
    return name.isEmpty() ? QStringLiteral("row %1").arg(row) : QStringLiteral("row %1 (%2)").arg(row).arg(name);
}

const QString CountRule = QStringLiteral("a count must be a whole number or empty");
const QString InningsRule = QStringLiteral("innings pitched must be a decimal number or empty");
const QString InningsBound = QStringLiteral("that number is too large to store: innings pitched must be less than %1")
                                 .arg(innings::Bound);
const QString LineScoreRule = QStringLiteral("the line score holds whole numbers or nothing");

QString badLine(const QString& side, const QString& kind, int row, const QString& name, const QString& head,
                const QString& text, const QString& rule)
{
    return QStringLiteral("Unable to save: the %1 %2 line in %3 holds %4 under %5, but %6.\n\n"
                          "Correct the cell and save again.")
        .arg(side, kind, rowName(row, name), quotedCell(text), head, rule);
}

std::optional<QString> badCellIn(const TeamLines& lines, const QString& side)
{
    for (int row = 1; row < lines.rows(); ++row) {
        if (!lines.battingSaved(row))
            continue;
        for (int c = col::FirstBatCount; c <= col::LastBatCount; ++c) {
            if (!db::isCount(lines.at(row, c)))
                return badLine(side, QStringLiteral("batting"), row, lines.at(row, col::Batter),
                               latin(BattingHeads[c - col::FirstBatCount]), lines.at(row, c), CountRule);
        }
    }
    for (int row = 1; row < lines.rows(); ++row) {
        const QString& name = lines.at(row, col::Pitcher);
        if (lines.pitchingSaved(row)) {
            for (int c = col::FirstPitchCount; c <= col::LastPitchCount; ++c) {
                if (!db::isCount(lines.at(row, c)))
                    return badLine(side, QStringLiteral("pitching"), row, name,
                                   latin(PitchingHeads[c - col::FirstPitchCount]), lines.at(row, c), CountRule);
            }
        }
        const QString& ip = lines.at(row, col::IP);
        const innings::Cell::Kind kind = innings::readCell(ip).kind;
        if (kind != innings::Cell::Number)
            return badLine(side, QStringLiteral("pitching"), row, name, QStringLiteral("IP"), ip,
                           kind == innings::Cell::TooLarge ? InningsBound : InningsRule);
    }
    return std::nullopt;
}

std::optional<QString> badBoxCell(const QStringList& row, const QString& side)
{
    for (int c = 1; c < box::Count; ++c) {
        const QString cell = row.value(c);
        if (db::isCount(cell))
            continue;
        QString where;
        if (c <= 20)
            where = QStringLiteral("inning %1").arg(c);
        else
            where = c == box::Runs ? QStringLiteral("R") : c == box::Hits ? QStringLiteral("H") : QStringLiteral("E");
        return QStringLiteral("Unable to save: the %1 line score holds %2 in %3, but %4.\n\n"
                              "Correct the box on the board and save again.")
            .arg(side, quotedCell(cell), where, LineScoreRule);
    }
    return std::nullopt;
}

// One table's INSERT, prepared once for all of the game's rows of that
// table: preparing costs more than running it, and a save writes 31 rows.
// The marks are named: Qt binds a value to a numbered mark through a name
// it makes up for it each time, a third of the writing.
class RowWriter {
public:
    RowWriter(db::Connection& conn, const QString& table, const QStringList& fields) : q_(conn.sql())
    {
        for (qsizetype i = 0; i < fields.size(); ++i)
            marks_ << QStringLiteral(":v%1").arg(i);
        q_.setForwardOnly(true);
        if (!q_.prepare(QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES (%3)")
                            .arg(table, fields.join(QStringLiteral("\", \"")), marks_.join(QLatin1Char(',')))))
            db::raise(q_.lastError());
    }

    // One row, its values in the order of the fields.
    void write(const QVariantList& values)
    {
        if (values.size() != marks_.size())
            errors::raise(errors::InvalidCall);
        for (qsizetype i = 0; i < marks_.size(); ++i)
            q_.bindValue(marks_[i], values[i]);
        if (!q_.exec())
            db::raise(q_.lastError());
    }

private:
    QSqlQuery q_;
    QStringList marks_;
};

QStringList fieldList(QString first, const char* const* counts, int n, std::initializer_list<const char*> last)
{
    QStringList f{std::move(first)};
    for (int i = 0; i < n; ++i)
        f << latin(counts[i]);
    for (const char* l : last)
        f << latin(l);
    return f;
}

void writeBatting(RowWriter& out, const TeamLines& lines, const QString& team, const QString& gameId)
{
    for (int row = 1; row < lines.rows(); ++row) {
        if (!lines.battingSaved(row))
            continue;
        QVariantList v{lines.at(row, col::Batter)};
        for (int c = col::FirstBatCount; c <= col::LastBatCount; ++c)
            v << db::countValue(lines.at(row, c));
        v << team << gameId;
        out.write(v);
    }
}

void writePitching(RowWriter& out, const TeamLines& lines, const QString& team, const QString& gameId)
{
    for (int row = 1; row < lines.rows(); ++row) {
        if (!lines.pitchingSaved(row))
            continue;
        QVariantList v{lines.at(row, col::Pitcher)};
        for (int c = col::FirstPitchCount; c <= col::LastPitchCount; ++c)
            v << db::countValue(lines.at(row, c));
        // The text as typed, to every decimal it holds; firstBadCell has
        // accepted it by the innings reader.
        v << db::inningsValue(lines.at(row, col::IP)) << team << gameId;
        out.write(v);
    }
}

void writeBoxRow(RowWriter& out, const QStringList& row, const QString& host, const QString& gameId)
{
    QVariantList v{row.value(box::Team)};
    for (int c = 1; c <= box::Errors; ++c)
        v << db::countValue(row.value(c));
    v << host << gameId;
    out.write(v);
}

// A game's rows are tied together by their id alone; a second game under
// the same id would be mixed into the first in every by-game view. The
// transaction's write lock keeps another program from taking the id found
// here before this game's rows are in.
QString freeGameId(db::Connection& conn, QDateTime moment)
{
    if (!moment.isValid())
        errors::raise(errors::InvalidCall);
    // Prepared once for every second tried.
    QSqlQuery taken(conn.sql());
    taken.setForwardOnly(true);
    if (!taken.prepare(QStringLiteral("SELECT 1 FROM BoxScores WHERE GameID = ? LIMIT 1")))
        db::raise(taken.lastError());
    for (;;) {
        const QString id = game::stamp(moment);
        taken.bindValue(0, id);
        if (!taken.exec())
            db::raise(taken.lastError());
        const bool used = taken.next();
        if (taken.lastError().isValid())
            db::raise(taken.lastError());
        taken.finish();
        if (!used)
            return id;
        moment = moment.addSecs(1);
    }
}

QVariant oneOrNull(bool set)
{
    return set ? QVariant(qlonglong(1)) : db::nullOf(db::Type::Integer);
}

}  // namespace

bool TeamLines::battingSaved(int row) const
{
    return at(row, col::PlayedFlag) == QLatin1String("1") && !at(row, col::Batter).isEmpty();
}

bool TeamLines::pitchingSaved(int row) const
{
    return !at(row, col::Pitcher).isEmpty();
}

std::optional<QString> firstBadCell(const GameRecord& game)
{
    if (auto bad = badCellIn(game.visitors, QStringLiteral("visitors'")))
        return bad;
    if (auto bad = badCellIn(game.home, QStringLiteral("home")))
        return bad;
    if (auto bad = badBoxCell(game.boxRows[0], QStringLiteral("visitors'")))
        return bad;
    return badBoxCell(game.boxRows[1], QStringLiteral("home"));
}

void markUnrecordedInnings(TeamLines& lines)
{
    for (int row = 1; row < lines.rows(); ++row) {
        QString& ip = lines.at(row, col::IP);
        if (lines.pitchingSaved(row) && (ip.trimmed().isEmpty() || ip == QLatin1String("0")))
            ip = QStringLiteral(".0001");
    }
}

Outcome decideOutcome(const QString& visitorsRuns, const QString& homeRuns)
{
    const double vis = num::Val(visitorsRuns);
    const double home = num::Val(homeRuns);
    return Outcome{home < vis, vis < home};
}

void RecordBattingData(db::Connection& conn, const GameRecord& game)
{
    RowWriter out(conn, QStringLiteral("Batting"),
                  fieldList(QStringLiteral("Batter"), BattingFields, int(std::size(BattingFields)),
                            {"Team", "GameID"}));
    writeBatting(out, game.home, game.homeTeam(), game.gameId);
    writeBatting(out, game.visitors, game.visitorsTeam(), game.gameId);
}

void RecordPitchingData(db::Connection& conn, const GameRecord& game)
{
    RowWriter out(conn, QStringLiteral("Pitching"),
                  fieldList(QStringLiteral("Pitcher"), PitchingFields, int(std::size(PitchingFields)),
                            {"IP", "Team", "GameID"}));
    writePitching(out, game.home, game.homeTeam(), game.gameId);
    writePitching(out, game.visitors, game.visitorsTeam(), game.gameId);
}

void RecordBoxScore(db::Connection& conn, const GameRecord& game)
{
    QStringList fields{QStringLiteral("Team")};
    for (int c = 1; c <= 20; ++c)
        fields << QStringLiteral("I%1").arg(c);
    fields << QStringLiteral("Runs") << QStringLiteral("Hits") << QStringLiteral("Errors") << QStringLiteral("Host")
           << QStringLiteral("GameID");
    RowWriter out(conn, QStringLiteral("BoxScores"), fields);
    writeBoxRow(out, game.boxRows[0], QStringLiteral("a_VIS"), game.gameId);
    writeBoxRow(out, game.boxRows[1], QStringLiteral("b_HOME"), game.gameId);
}

void UpdateWinLoss(db::Connection& conn, const GameRecord& game)
{
    const Outcome o = decideOutcome(game.visitorsRuns, game.homeRuns);
    RowWriter out(conn, QStringLiteral("WinLoss"),
                  {QStringLiteral("Team"), QStringLiteral("Win"), QStringLiteral("Loss")});
    out.write({game.visitorsTeam(), oneOrNull(o.wonByVisitors), oneOrNull(o.wonByHome)});
    out.write({game.homeTeam(), oneOrNull(o.wonByHome), oneOrNull(o.wonByVisitors)});
}

void RecordMatchup(db::Connection& conn, const GameRecord& game)
{
    RowWriter out(conn, QStringLiteral("Matchups"), {QStringLiteral("Matchup"), QStringLiteral("Tally")});
    out.write({game.visitorsTeam() + QStringLiteral("  vs  ") + game.homeTeam(), QVariant(qlonglong(1))});
}

void recordGame(db::Connection& conn, GameRecord& game)
{
    conn.transaction([&] {
        game.gameId = freeGameId(conn, game.savedAt);
        RecordBattingData(conn, game);
        RecordPitchingData(conn, game);
        RecordBoxScore(conn, game);
        UpdateWinLoss(conn, game);
        RecordMatchup(conn, game);
    });
}

}  // namespace records

// A large table read in parts at once gives exactly the rows, order and
// texts of one read; where parts could differ from one read they are not
// used, and a file changed while the parts were read is read again whole.
#include "platform/database.h"

#include "support/program_folder_fixture.h"
#include "support/sqlite_peer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <thread>

namespace {

// Part statements started since the last reset, counted on every
// connection the process opens while a test below runs.
std::atomic<int> partStatements{0};
std::atomic<bool> writeAtFirstPart{false};

int onStatement(unsigned type, void*, void* stmt, void*)
{
    if (type != SQLITE_TRACE_STMT)
        return 0;
    const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(stmt));
    if (!sql || std::string(sql).find("rowid BETWEEN") == std::string::npos)
        return 0;
    ++partStatements;
    if (writeAtFirstPart.exchange(false)) {
        // Another program saves a game while the parts are being read.
        sqlite3* other = nullptr;
        sqlite3_open_v2(db::path().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(other, 5000);
        sqlite3_exec(other, "INSERT INTO Batting (Batter, AB, Team, GameID) VALUES ('Late', 4, 'Sox', 'late')",
                     nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
    return 0;
}

int traceConnection(sqlite3* h, char**, const sqlite3_api_routines*)
{
    sqlite3_trace_v2(h, SQLITE_TRACE_STMT, onStatement, nullptr);
    return SQLITE_OK;
}

class DatabaseParts : public ::testing::Test {
protected:
    void SetUp() override
    {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
        partStatements = 0;
        // 50,000 rows in runs of a game's rows, with what a file may hold:
        // names in several spellings, NULLs, numbers stored as text and as
        // reals, and a gap in the rowids where rows were deleted.
        db::Connection c;
        c.exec(QStringLiteral(
            "INSERT INTO Batting (Batter, K, BB, \"1B\", \"2B\", \"3B\", HR, SB, RBI, AB, Team, GameID) "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
            "SELECT CASE i % 7 WHEN 0 THEN 'batter ' || (i % 13) WHEN 1 THEN 'BATTER ' || (i % 13) "
            "WHEN 2 THEN NULL ELSE 'Batter ' || (i % 13) END, "
            "CASE WHEN i % 5 = 0 THEN NULL ELSE i % 4 END, CASE WHEN i % 11 = 0 THEN '3' ELSE i % 3 END, "
            "(i % 2) * 0.5, i % 3, NULL, i % 2, 0, i % 5, 3 + i % 3, "
            "CASE WHEN i % 3 = 0 THEN 'team ' ELSE 'Team ' END || (i / 20 % 16), "
            "printf('%02d%02d19%06d', 1 + i / 20 % 12, 1 + i / 20 % 28, (i / 20) * 7919 % 100000) FROM n"));
        c.exec(QStringLiteral("DELETE FROM Batting WHERE rowid BETWEEN 5000 AND 6999"));
    }

    void TearDown() override
    {
        writeAtFirstPart = false;
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
    }

    TempProgramFolder pf;
};

std::vector<QStringList> rowsOf(const db::ColumnRows& r)
{
    std::vector<QStringList> rows(r.rows);
    for (size_t i = 0; i < r.rows; ++i)
        for (const TextColumn& c : r.data)
            rows[i] << c.at(i);
    return rows;
}

void expectSameAsOneRead(db::Connection& c, const db::Parts& parts, const QVariantList& params,
                         const std::vector<db::SortKey>& order, const std::string& what)
{
    const db::ColumnRows one = c.selectColumns(parts.statement(), params, db::FixedColumn::Leading, order);
    const db::ColumnRows inParts = c.selectColumnsInParts(parts, params, db::FixedColumn::Leading, order);
    EXPECT_EQ(inParts.columns, one.columns) << what;
    ASSERT_EQ(inParts.rows, one.rows) << what;
    const std::vector<QStringList> a = rowsOf(inParts), b = rowsOf(one);
    for (size_t r = 0; r < a.size(); ++r)
        ASSERT_EQ(a[r], b[r]) << what << ", row " << r;
}

const QString Select = QStringLiteral(
    "SELECT Batter, K, BB, \"1B\", \"2B\", \"3B\", HR, SB, RBI, AB, Team, GameID FROM Batting");

struct ReadCase {
    const char* condition;
    QVariantList params;
    std::vector<db::SortKey> order;
};

// Each read the same in parts as in one, and read in parts.
void expectReadInParts(db::Connection& c, const std::vector<ReadCase>& cases, const std::string& what)
{
    for (const ReadCase& k : cases) {
        partStatements = 0;
        expectSameAsOneRead(c, {Select, "Batting", k.condition}, k.params, k.order,
                            what + ", condition '" + k.condition + "'");
        // One core reads in one piece.
        if (std::thread::hardware_concurrency() >= 2) {
            EXPECT_GT(partStatements.load(), 1) << what << ", " << k.condition;
        }
    }
}

}  // namespace

TEST_F(DatabaseParts, PartsGiveTheRowsOfOneRead)
{
    db::Connection c;
    expectReadInParts(c,
                      {
                          {"", {}, {}},
                          {"", {}, {{"GameID", true}}},
                          {"Batter LIKE ?", {"batter 1%"}, {{"GameID", true}}},
                          {"Team LIKE ?", {"team 1%"}, {{"GameID", false}}},
                          {"GameID LIKE ?", {"%7%"}, {}},
                          {"Team LIKE ?", {"%"}, {{"Team", false, true}, {"GameID", true}}},
                          {"Batter LIKE ?", {"nobody%"}, {}},
                      },
                      "plain rowids");
    // Spot check: the whole table, newest game id first, the rows kept.
    const db::ColumnRows all =
        c.selectColumnsInParts({Select, "Batting", ""}, {}, db::FixedColumn::None, {{"GameID", true}});
    EXPECT_EQ(all.rows, 48000u);
    EXPECT_EQ(all.data[11].at(0), c.select(QStringLiteral("SELECT max(GameID) FROM Batting")).rows[0][0]);
    EXPECT_EQ(all.data[1].at(all.rows - 1), "3");
}

TEST_F(DatabaseParts, WhereOneReadCouldDifferItIsTheOnlyRead)
{
    db::Connection c;
    const db::Parts everything{Select, "Batting", ""};
    const std::vector<db::SortKey> order{{"GameID", true}};

    // Inside a transaction, whose changes only this connection sees.
    c.transaction([&] {
        c.exec(QStringLiteral("INSERT INTO Batting (Batter, GameID) VALUES ('Uncommitted', '999999999999')"));
        partStatements = 0;
        const db::ColumnRows rows = c.selectColumnsInParts(everything, {}, db::FixedColumn::None, order);
        EXPECT_EQ(partStatements.load(), 0);
        EXPECT_EQ(rows.data[0].at(0), "Uncommitted");
        c.exec(QStringLiteral("DELETE FROM Batting WHERE Batter = 'Uncommitted'"));
    });

    // A read that an index serves: SQLite searches it, reading a few pages.
    c.exec(QStringLiteral("CREATE INDEX byBatter ON Batting (Batter)"));
    for (const char* condition : {"Batter = ?", "GameID = ?", "GameID BETWEEN ? AND ?"}) {
        const QVariantList params = QString(condition).count('?') == 1 ? QVariantList{"Batter 3"}
                                                                       : QVariantList{"0101", "0299"};
        partStatements = 0;
        expectSameAsOneRead(c, {Select, "Batting", condition}, params, order, condition);
        EXPECT_EQ(partStatements.load(), 0) << condition;
    }
    c.exec(QStringLiteral("DROP INDEX byBatter"));

    // A small table.
    c.exec(QStringLiteral("DELETE FROM Batting WHERE rowid > 7000"));
    partStatements = 0;
    expectSameAsOneRead(c, everything, {}, order, "a small table");
    EXPECT_EQ(partStatements.load(), 0);
}

TEST_F(DatabaseParts, AnIndexOnGameIdLeavesAReadOfTheWholeTableInParts)
{
    db::Connection c;
    // What SQLite chooses decides, not that an index exists: no view that
    // reads through the table is sent back to the one read.
    ASSERT_EQ(c.select(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                      "AND tbl_name = 'Batting' AND sql LIKE '%(GameID)'"))
                  .rows[0][0],
              "1");
    expectReadInParts(c,
                      {
                          {"", {}, {{"GameID", true}}},
                          {"GameID LIKE ?", {"%07%"}, {{"GameID", true}}},
                          {"Team LIKE ?", {"team 1%"}, {{"GameID", true}}},
                      },
                      "an index on GameID");
}

TEST_F(DatabaseParts, AFileChangedWhileThePartsAreReadIsReadAgainWhole)
{
    if (std::thread::hardware_concurrency() < 2)
        GTEST_SKIP() << "one core reads in one piece";
    db::Connection c;
    writeAtFirstPart = true;
    const db::ColumnRows rows =
        c.selectColumnsInParts({Select, "Batting", "Team LIKE ?"}, {"Sox"}, db::FixedColumn::None, {});
    EXPECT_FALSE(writeAtFirstPart.load());
    // The late game's row, and every part's rows as one read has them.
    ASSERT_EQ(rows.rows, 1u);
    EXPECT_EQ(rows.data[0].at(0), "Late");
    expectSameAsOneRead(c, {Select, "Batting", ""}, {}, {}, "after the change");
}

TEST_F(DatabaseParts, RowsAtTheSmallestAndLargestRowidsAreReadOnceInTheirPlace)
{
    db::Connection c;
    // A file another program wrote: rows at both ends of the rowids and far
    // from the others, so the ranges span more than a signed 64-bit number.
    c.exec(QStringLiteral("INSERT INTO Batting (rowid, Batter, AB, Team, GameID) VALUES "
                          "(-9223372036854775807 - 1, 'Lowest', 1, 'Far', '000000000001'), "
                          "(4611686018427387904, 'Middle', 2, 'Far', '999999999999'), "
                          "(9223372036854775807, 'Highest', 4, 'Far', '500000000000')"));
    expectReadInParts(c,
                      {
                          {"", {}, {}},
                          {"", {}, {{"GameID", true}}},
                          {"Team LIKE ?", {"far"}, {}},
                          {"Batter LIKE ?", {"batter 1%"}, {{"GameID", false}}},
                      },
                      "far rowids");
    const db::ColumnRows all = c.selectColumnsInParts({Select, "Batting", ""}, {}, db::FixedColumn::None, {});
    ASSERT_EQ(all.rows, 48003u);
    EXPECT_EQ(all.data[0].at(0), "Lowest");
    EXPECT_EQ(all.data[0].at(all.rows - 2), "Middle");
    EXPECT_EQ(all.data[0].at(all.rows - 1), "Highest");
    const db::ColumnRows far = c.selectColumnsInParts({Select, "Batting", "Team LIKE ?"}, {"Far"});
    EXPECT_EQ(far.rows, 3u);
}

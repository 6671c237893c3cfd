// The aggregate views read without GROUP BY must show what the grouped
// statements show, cell for cell, and leave to them whatever they cannot be
// sure of.
#include "browser_fixture.h"
#include "stats_browser/aggregate_rows.h"

#include <QLineEdit>
#include <limits>

using namespace browser;
using namespace browser_test;

namespace {

struct Case {
    const char* name;
    AggregateTable table;
    const char* filterField;  // nullptr: every row
    QString prefix;
};

std::vector<QStringList> rowsOf(const db::ColumnRows& r)
{
    std::vector<QStringList> rows(r.rows);
    for (size_t i = 0; i < r.rows; ++i)
        for (size_t c = 1; c < r.data.size(); ++c)
            rows[i] << r.data[c].at(i);
    return rows;
}

// From SQLite 3.43 on, a sum of reals carries a running error term that a
// plain sum in row order need not match: the innings, and with them the
// whole pitching view, are then the statement's to work out.
bool readWithoutGrouping(AggregateTable table)
{
    return table == AggregateTable::Batting || db::libraryVersion() < 3043000;
}

void expectSameAsStatement(db::Connection& c, const Case& k)
{
    const QString where = k.filterField ? prefixWhere(k.filterField) : QString();
    const QVariantList params = k.filterField ? QVariantList{k.prefix + QLatin1Char('%')} : QVariantList{};
    const db::Rows expected = c.select(aggregateStatement(k.table, where), params);
    const std::optional<db::ColumnRows> got = aggregateRows(c, k.table, where, params);
    EXPECT_FALSE(expected.rows.empty()) << k.name;
    if (!readWithoutGrouping(k.table)) {
        EXPECT_FALSE(got) << k.name << ": left to the statement";
        return;
    }
    ASSERT_TRUE(got) << k.name;
    EXPECT_EQ(got->columns, expected.columns) << k.name;
    EXPECT_EQ(got->columns, aggregateHeader(k.table)) << k.name;
    EXPECT_EQ(rowsOf(*got), expected.rows) << k.name;
}

}  // namespace

TEST_F(BrowserTest, AggregatesReadWithoutGroupingGiveTheStatementsCells)
{
    const QVariant n;  // NULL
    constexpr qint64 Huge = std::numeric_limits<qint64>::max() / 3;
    {
        db::Connection c;
        c.transaction([&] {
            // Counts: K, BB, 1B, 2B, 3B, HR, SB, RBI, AB. One player in three
            // spellings over two spellings of the team: the first row's
            // spelling names the group. "Smithers" starts with "Smith".
            addBatting(c, "smith", "Sox", "g1", {1, n, 1, n, n, n, n, n, 3});
            addBatting(c, "Smithers", "sox", "g1", {n, 2, n, 1, n, 1, n, 2, 4});
            addBatting(c, "SMITH", "SOX", "g2", {n, n, 2, 1, 1, n, n, n, 4});
            addBatting(c, "Smith", "Red Sox", "g2", {2, 1, 1, n, n, 1, 1, 1, 5});
            addBatting(c, "Al Zero", "red sox", "g1", {1, n, n, n, n, n, n, n, 0});
            addBatting(c, "No AB", "Sox", "g2", {n, 1});
            addBatting(c, "", "Sox", "g2", {n, n, n, n, n, n, n, n, 1});
            // Letters SQLite does not fold: two players, not one.
            addBatting(c, "José", "Sox", "g1", {n, n, 1, n, n, n, n, n, 2});
            addBatting(c, "JOSÉ", "Sox", "g2", {n, n, n, n, n, 1, n, n, 1});
            // Bases beyond 64 bits: the rate is worked out in reals.
            addBatting(c, "Slugger", "Big", "g1", {n, n, n, n, n, Huge, n, n, 7});
            addBatting(c, "slugger", "BIG", "g2", {n, n, n, n, n, Huge, n, n, 1});
            c.insert("Batting", {{"Batter", QString("Nobody")}, {"AB", 2}});  // no team
            c.insert("Batting", {{"Team", QString("Sox")}, {"AB", 5}});       // no name

            // Counts: K, BB, Hits, HR, Runs. Innings whose sum depends on
            // the order they are added in, placeholders, whole numbers and
            // zero.
            addPitching(c, "Ace", "Sox", "g1", 0.1, {5, 2, 4, 1, 2});
            addPitching(c, "ACE", "sox", "g2", 0.2, {4, 0, 2, 0, 1});
            addPitching(c, "ace", "Sox", "g3", 6.67, {1, 1, 1, n, n});
            addPitching(c, "Acer", "Sox", "g3", 2.33, {n, 3, 4, n, 3});
            addPitching(c, "Zed", "Red Sox", "g1", 0.0001, {1});
            addPitching(c, "Nil", "red sox", "g2", 0.0, {2, 1});
            addPitching(c, "Rel", "Red Sox", "g2", n, {0, n, n, n, 2});
            addPitching(c, "Mop", "Sox", "g2", 6.0, {n, 2, 4, n, 2});
            c.insert("Pitching", {{"Pitcher", QString("Whole")}, {"Team", QString("Sox")}, {"IP", 7}, {"K", 3}});
        });
    }

    db::Connection c;
    const Case cases[] = {
        {"batting, all players", AggregateTable::Batting, nullptr, {}},
        {"batting by player", AggregateTable::Batting, "Batter", "sm"},
        {"batting by player, empty filter", AggregateTable::Batting, "Batter", ""},
        {"batting by player, wildcard", AggregateTable::Batting, "Batter", "j_s"},
        {"batting by team", AggregateTable::Batting, "Team", "SO"},
        {"batting by team, empty filter", AggregateTable::Batting, "Team", ""},
        {"pitching, all players", AggregateTable::Pitching, nullptr, {}},
        {"pitching by player", AggregateTable::Pitching, "Pitcher", "ace"},
        {"pitching by team", AggregateTable::Pitching, "Team", "red"},
        {"pitching by team, empty filter", AggregateTable::Pitching, "Team", ""},
    };
    for (const Case& k : cases)
        expectSameAsStatement(c, k);

    // Spot checks that the comparison above compares something.
    const std::optional<db::ColumnRows> batting = aggregateRows(c, AggregateTable::Batting, QString(), {});
    ASSERT_TRUE(batting);
    const std::vector<QStringList> rows = rowsOf(*batting);
    const auto smith = std::find_if(rows.begin(), rows.end(), [](const QStringList& r) { return r[0] == "smith"; });
    ASSERT_NE(smith, rows.end());
    EXPECT_EQ(smith->mid(1, 3), QStringList({"Sox", "7", "3"}));
    EXPECT_EQ(rows.front().mid(0, 3), QStringList({"Nobody", "", "2"}));
}

TEST_F(BrowserTest, AggregatesLeaveWhatTheyCannotBeSureOfToTheStatement)
{
    ui->expectAlarm(QStringLiteral("integer overflow"));
    struct Doubt {
        const char* name;
        AggregateTable table;
        const char* setup;
        bool integerOverflow;  // the statement itself fails so
    };
    const Doubt doubts[] = {
        {"a count held as text", AggregateTable::Batting,
         "INSERT INTO Batting (Batter, Team, AB) VALUES ('Smith', 'Sox', 'three')", false},
        {"a count held as a real", AggregateTable::Batting,
         "INSERT INTO Batting (Batter, Team, AB) VALUES ('Smith', 'Sox', 2.5)", false},
        {"innings held as text", AggregateTable::Pitching,
         "INSERT INTO Pitching (Pitcher, Team, IP) VALUES ('Ace', 'Sox', 'six')", false},
        {"a name held as bytes", AggregateTable::Pitching,
         "INSERT INTO Pitching (Pitcher, Team, IP) VALUES (X'416365', 'Sox', 1.0)", false},
        {"a sum beyond 64 bits", AggregateTable::Batting,
         "INSERT INTO Batting (Batter, Team, AB) VALUES ('Smith', 'Sox', 9223372036854775807)", true},
    };
    for (const Doubt& d : doubts) {
        SCOPED_TRACE(d.name);
        const qsizetype errorsBefore = ui->programErrors().size();
        {
            db::Connection c;
            c.exec("DELETE FROM Batting");
            c.exec("DELETE FROM Pitching");
            c.exec("INSERT INTO Batting (Batter, Team, AB) VALUES ('Smith', 'SOX', 1)");
            c.exec("INSERT INTO Pitching (Pitcher, Team, IP) VALUES ('Ace', 'Sox', 1.0)");
            c.exec(d.setup);
            EXPECT_FALSE(aggregateRows(c, d.table, QString(), {}));
        }
        open();
        if (d.integerOverflow) {
            // The failure SQLite reports, not a wrong total.
            ASSERT_EQ(ui->programErrors().size(), errorsBefore + 1);
            EXPECT_TRUE(ui->programErrors().back().contains("integer overflow"));
            EXPECT_EQ(browser->MSHFlexGrid4->rows(), 1);
        } else {
            EXPECT_EQ(ui->programErrors().size(), errorsBefore);
            const Grid& g = d.table == AggregateTable::Batting ? *browser->MSHFlexGrid4 : *browser->MSHFlexGrid5;
            ASSERT_GE(g.rows(), 2);
            EXPECT_EQ(g.textMatrix(1, 1), d.table == AggregateTable::Batting ? "Smith" : "Ace");
        }
    }
}

TEST_F(BrowserTest, AggregatesOverAFileThatGroupsNamesByCaseGroupAsTheFileSays)
{
    const QVariant n;
    {
        db::Connection c;
        c.exec("DROP TABLE Batting");
        c.exec("CREATE TABLE Batting (Batter TEXT, K INTEGER, BB INTEGER, \"1B\" INTEGER, \"2B\" INTEGER, "
               "\"3B\" INTEGER, HR INTEGER, SB INTEGER, RBI INTEGER, AB INTEGER, Team TEXT, GameID TEXT)");
        addBatting(c, "Smith", "Sox", "g1", {n, n, 1, n, n, n, n, n, 2});
        addBatting(c, "SMITH", "Sox", "g2", {n, n, 1, n, n, n, n, n, 3});
        EXPECT_FALSE(aggregateRows(c, AggregateTable::Batting, QString(), {}));
    }
    open();
    EXPECT_EQ(column(*browser->MSHFlexGrid4, 1), QStringList({"SMITH", "Smith"}));
    EXPECT_EQ(column(*browser->MSHFlexGrid4, 3), QStringList({"3", "2"}));
}

TEST_F(BrowserTest, AggregatesOfALargeTableReadInPartsGiveTheStatementsCells)
{
    // Enough rows to be read in parts: players in several spellings whose
    // first row lies in a later part, NULL counts, and innings whose sum
    // depends on the order they are added in.
    db::Connection c;
    c.exec("INSERT INTO Batting (Batter, K, BB, \"1B\", \"2B\", \"3B\", HR, SB, RBI, AB, Team, GameID) "
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
           "SELECT CASE i % 3 WHEN 0 THEN 'smith ' ELSE 'Smith ' END || (i * 7 % 41), "
           "CASE WHEN i % 5 = 0 THEN NULL ELSE i % 4 END, i % 3, i % 2, NULL, i % 7 / 6, i % 11 / 10, 0, i % 5, "
           "3 + i % 3, CASE WHEN i < 30000 THEN 'Sox ' ELSE 'SOX ' END || (i % 3), 'g' || (i / 20) FROM n");
    c.exec("INSERT INTO Pitching (Pitcher, K, BB, Hits, HR, Runs, IP, Team, GameID) "
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
           "SELECT CASE WHEN i > 55000 THEN 'ACE ' ELSE 'Ace ' END || (i % 17), i % 9, i % 4, i % 8, i % 2, i % 5, "
           "CASE WHEN i % 13 = 0 THEN NULL WHEN i % 29 = 0 THEN 0.0001 ELSE round((i % 22) / 3.0, 2) END, "
           "'Team ' || (i % 4), 'g' || (i / 6) FROM n");
    const Case cases[] = {
        {"batting, all players", AggregateTable::Batting, nullptr, {}},
        {"batting by player", AggregateTable::Batting, "Batter", "smith 1"},
        {"batting by team", AggregateTable::Batting, "Team", "sox 2"},
        {"pitching, all players", AggregateTable::Pitching, nullptr, {}},
        {"pitching by team", AggregateTable::Pitching, "Team", "team 3"},
    };
    for (const Case& k : cases)
        expectSameAsStatement(c, k);

    // A count the statement alone can sum, in the last part.
    c.exec("INSERT INTO Batting (Batter, Team, AB) VALUES ('Smith 1', 'Sox 1', 'three')");
    EXPECT_FALSE(aggregateRows(c, AggregateTable::Batting, QString(), {}));
}

TEST_F(BrowserTest, RowsAtTheFarEndsOfTheRowidsCountOnceInTheViews)
{
    // A 2,300-game file with rows another program wrote at the smallest and
    // the largest rowids.
    {
        db::Connection c;
        c.exec("INSERT INTO Batting (Batter, AB, \"1B\", Team, GameID) "
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 41400) "
               "SELECT 'Smith ' || (i % 18), 1, i % 2, 'Sox ' || (i % 2), printf('%012d', i / 18) FROM n");
        c.exec("INSERT INTO Batting (rowid, Batter, AB, \"1B\", Team, GameID) VALUES "
               "(-9223372036854775807 - 1, 'Smith 1', 5, 1, 'Sox 1', '000000000001'), "
               "(9223372036854775807, 'Far Away', 7, 2, 'Sox 0', '999999999999')");
    }
    open();
    const QStringList players = column(*browser->MSHFlexGrid4, 1);
    const QStringList atBats = column(*browser->MSHFlexGrid4, 3);
    ASSERT_EQ(players.size(), atBats.size());
    qint64 total = 0;
    for (const QString& ab : atBats)
        total += ab.toLongLong();
    EXPECT_EQ(total, 41400 + 5 + 7);
    const qsizetype far = players.indexOf("Far Away");
    ASSERT_GE(far, 0);
    EXPECT_EQ(atBats.at(far), "7");
    EXPECT_EQ(atBats.at(players.indexOf("Smith 1")), QString::number(41400 / 18 + 5));

    // By player: each row once, the far ones found by their names.
    click(browser->Command5);
    EXPECT_EQ(browser->MSHFlexGrid2->rows() - 1, 41402);
    browser->Text1->setText("far");
    click(browser->Command5);
    EXPECT_EQ(column(*browser->MSHFlexGrid2, 1), QStringList({"Far Away"}));
    browser->Text1->setText("smith 1");
    click(browser->Command5);
    // "Smith 1" and "Smith 10" to "Smith 17", and the row at the smallest rowid.
    EXPECT_EQ(browser->MSHFlexGrid2->rows() - 1, 9 * 41400 / 18 + 1);
}

// Reading rows straight from SQLite gives what Qt's own fetching gave: the
// same texts, the same binding, the same failures; and a sort after reading
// gives the order of the ORDER BY it replaces.
#include "platform/database.h"

#include "support/program_error_expect.h"
#include "support/program_folder_fixture.h"
#include "support/sqlite_peer.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace {

// The rows as Qt's row fetching reads them, cell by cell through QVariant.
db::Rows throughQt(db::Connection& c, const QString& sql, const QVariantList& params = {},
                   db::FixedColumn fixed = db::FixedColumn::None)
{
    db::Rows result;
    QSqlQuery q = c.exec(sql, params);
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        result.columns << record.fieldName(i);
    while (q.next()) {
        QStringList row;
        if (fixed == db::FixedColumn::Leading)
            row << QString();
        for (int i = 0; i < record.count(); ++i)
            row << db::displayText(q.value(i));
        result.rows.push_back(row);
    }
    if (q.lastError().isValid())
        db::raise(q.lastError());
    return result;
}

void expectSameRows(const db::Rows& got, const db::Rows& expected, const QString& what)
{
    EXPECT_EQ(got.columns, expected.columns) << what.toStdString();
    ASSERT_EQ(got.rows.size(), expected.rows.size()) << what.toStdString();
    for (size_t r = 0; r < got.rows.size(); ++r)
        ASSERT_EQ(got.rows[r], expected.rows[r]) << what.toStdString() << ", row " << r;
}

}  // namespace

TEST(DatabaseSelect, ReadsTheTextsQtGave)
{
    TempProgramFolder pf;
    db::Connection conn;

    // Every kind of stored value; names as SQLite gives them, quotes dropped.
    const QString kinds = QStringLiteral(
        "SELECT NULL AS empty, 0, 999, 1000, -1, 9223372036854775807, 0.0001, 6.0, 5.67, -0.5, -0.0, 1e20, "
        "'', 'Müller', '漢字 🙂', 'a' || char(0) || 'b', x'414243', x'', 1234567.891, 0.0000001, "
        "7 / 2 AS \"quoted\"\"name\"");
    const db::Rows got = conn.select(kinds, {}, db::FixedColumn::Leading);
    expectSameRows(got, throughQt(conn, kinds, {}, db::FixedColumn::Leading), kinds);
    ASSERT_EQ(got.rows.size(), 1u);
    EXPECT_EQ(got.rows[0].mid(0, 12), QStringList({"", "", "0", "999", "1000", "-1", "9223372036854775807", "0.0001",
                                                   "6", "5.67", "-0.5", "0"}));
    EXPECT_EQ(got.rows[0].at(14), QString::fromUtf8("Müller"));
    EXPECT_EQ(got.rows[0].at(15), QString::fromUtf8("漢字 🙂"));
    EXPECT_EQ(got.rows[0].at(16), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    EXPECT_EQ(got.rows[0].at(17), "ABC");
    EXPECT_EQ(got.rows[0].mid(19, 3), QStringList({"1234567.891", "0.0000001", "3"}));
    EXPECT_EQ(got.columns.first(), "empty");
    EXPECT_EQ(got.columns.last(), "quotedname");

    // Texts another program stored that are not well-formed UTF-8, and the
    // noncharacters: as SQLite converts them for Qt, whether met first as
    // text or as a blob of the same bytes.
    const QString odd = QStringLiteral(
        "SELECT CAST(x'80' AS TEXT), CAST(x'41C3' AS TEXT), CAST(x'EDA080' AS TEXT), char(65534), char(65535), "
        "CAST(x'F4908080' AS TEXT), CAST(x'C0AF' AS TEXT), CAST(x'FC' AS TEXT), x'80', 'ok' "
        "UNION ALL SELECT x'80', x'41C3', x'EDA080', CAST(x'EFBFBE' AS BLOB), x'EFBFBF', x'F4908080', x'C0AF', x'FC', "
        "CAST(x'80' AS TEXT), 'ok'");
    expectSameRows(conn.select(odd), throughQt(conn, odd), odd);
    const QString oddSorted = odd + QStringLiteral(" ORDER BY 1");
    expectSameRows(conn.select(oddSorted), throughQt(conn, oddSorted), oddSorted);

    // Thousands of rows: repeated texts (shared) and more distinct ones than
    // are remembered, numbers of every size, NULLs here and there.
    const QString many = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
        "SELECT 'name ' || (i % 4500), i / 7, i * 0.25, CASE WHEN i % 3 = 0 THEN NULL ELSE 'T' || (i / 100) END, "
        "CASE WHEN i % 2 = 0 THEN i ELSE 'text ' || i END FROM n");
    const db::Rows manyRows = conn.select(many);
    expectSameRows(manyRows, throughQt(conn, many), many);
    ASSERT_EQ(manyRows.rows.size(), 6000u);
    EXPECT_EQ(manyRows.rows[4501], QStringList({"name 2", "643", "1125.5", "T45", "4502"}));

    // No rows: the names still come.
    const db::Rows none = conn.select("SELECT Batter, AB FROM Batting");
    EXPECT_EQ(none.columns, QStringList({"Batter", "AB"}));
    EXPECT_TRUE(none.rows.empty());
}

TEST(DatabaseSelect, BindsEveryKindOfValueAsQtDid)
{
    TempProgramFolder pf;
    db::Connection conn;
    const QVariantList values = {QVariant(),
                                 db::nullOf(db::Type::Integer),
                                 db::nullOf(db::Type::Real),
                                 QVariant(QString()),
                                 QVariant(QString("")),
                                 QVariant(QByteArray()),
                                 QVariant(QByteArray("xy")),
                                 QVariant(42),
                                 QVariant(true),
                                 QVariant(-7.25),
                                 QVariant(qlonglong(1) << 40),
                                 QVariant(4000000000u),
                                 QVariant(QString::fromUtf8("O'Neil 🙂")),
                                 // Kinds only Qt knows how to bind.
                                 QVariant(qulonglong(5)),
                                 QVariant(QDate(2026, 3, 7)),
                                 QVariant(1.5f)};
    for (const QVariant& v : values) {
        // Named: Qt renames the "?" marks it passes on, so an expression's own
        // name differs (":0" there, "?" here).
        const QString sql = QStringLiteral("SELECT typeof(?) AS kind, ? AS value, ? IS NULL AS absent");
        const QVariantList params = {v, v, v};
        const db::Rows got = conn.select(sql, params);
        expectSameRows(got, throughQt(conn, sql, params), QStringLiteral("binding ") + v.typeName());
    }
    EXPECT_EQ(conn.select("SELECT typeof(?), typeof(?), typeof(?), typeof(?)",
                          {QVariant(QString()), db::nullOf(db::Type::Integer), QVariant(QString("")), QVariant(1.0)})
                  .rows.at(0),
              QStringList({"null", "null", "text", "real"}));

    // A filter is a value, never SQL.
    conn.insert("Batting", {{"Batter", "O'Neil"}, {"GameID", "1"}});
    conn.insert("Batting", {{"Batter", "Oneida"}, {"GameID", "2"}});
    EXPECT_EQ(conn.select("SELECT Batter FROM Batting WHERE Batter LIKE ? ORDER BY rowid", {"o'%"}).rows,
              std::vector<QStringList>({{"O'Neil"}}));
}

TEST(DatabaseSelect, FailuresCarrySqlitesCodeAndText)
{
    TempProgramFolder pf;
    const int savedTimeout = db::busyTimeout();
    db::setBusyTimeout(100);
    db::Connection conn;

    struct Case {
        const char* sql;
        QVariantList params;
        int number;
        const char* text;  // start of the description
    };
    const Case cases[] = {
        {"SELEC 1", {}, 1, "near \"SELEC\": syntax error"},
        {"SELECT * FROM Nope", {}, 1, "no such table: Nope"},
        {"SELECT Bogus FROM Batting", {}, 1, "no such column: Bogus"},
        // A failure on the second row, after the first was read.
        {"SELECT abs(v) FROM (SELECT 1 AS v UNION ALL SELECT -9223372036854775807 - 1)", {}, 1, "integer overflow"},
        // Not SQLite's failures: Qt's, as before.
        {"SELECT ?", {}, 5, "Invalid procedure call or argument"},
        {"SELECT ?", {1, 2}, 5, "Invalid procedure call or argument"},
        {"SELECT 1; SELECT 2", {}, 21, ""},
    };
    for (const Case& c : cases) {
        const ProgramError direct = failureOf([&] { conn.select(c.sql, c.params); });
        const ProgramError qt = failureOf([&] { throughQt(conn, c.sql, c.params); });
        EXPECT_EQ(direct.number, c.number) << c.sql;
        EXPECT_TRUE(direct.description.startsWith(c.text)) << c.sql << ": " << direct.description.toStdString();
        EXPECT_EQ(direct.number, qt.number) << c.sql;
        EXPECT_EQ(direct.description, qt.description) << c.sql;
    }

    // Another program writing: the read waits out the timeout and fails.
    PeerConnection holder(pf.file("ZRQ.mdb"));
    holder.exec("BEGIN EXCLUSIVE");
    holder.exec("INSERT INTO WinLoss (Team, Win) VALUES ('Gulls', 1)");
    const ProgramError locked = failureOf([&] { conn.select("SELECT * FROM WinLoss"); });
    EXPECT_EQ(locked.number, 5);
    EXPECT_EQ(locked.description, "database is locked");
    holder.exec("ROLLBACK");
    // The connection is usable again at once.
    EXPECT_TRUE(conn.select("SELECT * FROM WinLoss").rows.empty());
    db::setBusyTimeout(savedTimeout);
}

TEST(DatabaseSelect, SortAfterReadingGivesTheOrderByOrder)
{
    TempProgramFolder pf;
    db::Connection conn;
    // A scratch table of the connection, so the file is not touched; every
    // kind of key, ties, and texts differing only in case.
    conn.exec("CREATE TEMP TABLE t (k, c TEXT COLLATE NOCASE, tag INTEGER)");
    const QVariantList keys = {QVariant(),  "",       "b",  "B",       "a",  10,          9.5,        2,
                               QByteArray("\0", 1),   QByteArray(""),   "10", "ab", "A",  QString::fromUtf8("é"),
                               2,           "b",      -1,   1e300,     2.0,  QVariant(),  "a",        "120325093000",
                               "031526140509"};
    const QStringList hosts = {"b_HOME", "a_VIS", "A_vis", "", "B_home"};
    conn.transaction([&] {
        for (int i = 0; i < keys.size(); ++i) {
            const QVariant host = i % 7 == 6 ? QVariant() : QVariant(hosts[i % hosts.size()]);
            conn.exec("INSERT INTO t VALUES (?, ?, ?)", {keys[i], host, i});
        }
    });

    const QString byRowid = QStringLiteral("SELECT * FROM t ORDER BY rowid");
    struct Case {
        std::vector<db::SortKey> order;
        const char* orderBy;
    };
    const Case cases[] = {
        {{{"k", true}}, "k DESC"},
        {{{"K", false}}, "k"},
        {{{"c", false, true}, {"k", true}}, "c, k DESC"},
        {{{"c", true, true}}, "c DESC"},
        {{{"tag", true}}, "tag DESC"},
    };
    for (const Case& c : cases) {
        const QString sql = QStringLiteral("SELECT * FROM t ORDER BY %1, rowid").arg(QLatin1String(c.orderBy));
        const db::Rows expected = conn.select(sql, {}, db::FixedColumn::Leading);
        expectSameRows(conn.select(byRowid, {}, db::FixedColumn::Leading, c.order), expected, sql);
        // The same through Qt's fetching (a parameter only Qt binds).
        expectSameRows(conn.select("SELECT * FROM t WHERE ? IS NOT NULL ORDER BY rowid", {QDate(2026, 1, 1)},
                                   db::FixedColumn::Leading, c.order),
                       expected, sql + " (through Qt)");
    }
    // Keys stored by another program as bytes that are not UTF-8 sort by
    // those bytes, as SQLite sorts them, although their cells read converted.
    conn.exec("INSERT INTO t VALUES (CAST(x'C0AF' AS TEXT), 'x', 100), (CAST(x'80' AS TEXT), 'y', 101)");
    for (const bool descending : {false, true}) {
        const QString sql = QStringLiteral("SELECT * FROM t ORDER BY k%1, rowid").arg(descending ? " DESC" : "");
        expectSameRows(conn.select(byRowid, {}, db::FixedColumn::None, {{"k", descending}}), conn.select(sql), sql);
    }
    conn.exec("DELETE FROM t WHERE tag >= 100");

    // Spot check of the SQLite order: NULLs, numbers, texts, blobs.
    const db::Rows asc = conn.select(byRowid, {}, db::FixedColumn::None, {{"k", false}});
    QStringList tags;
    for (const QStringList& r : asc.rows)
        tags << r.at(2);
    EXPECT_EQ(tags.mid(0, 8), QStringList({"0", "19", "16", "7", "14", "18", "6", "5"}));

    const ProgramError missing = failureOf([&] { conn.select(byRowid, {}, db::FixedColumn::None, {{"Nope", false}}); });
    EXPECT_EQ(missing.number, 1);
    EXPECT_EQ(missing.description, "no such column: Nope");
}

TEST(DatabaseSelect, ColumnsHoldTheSameResultAsRows)
{
    TempProgramFolder pf;
    db::Connection conn;
    // Repeats, NULLs, numbers and texts that read alike ("7" and 7), sorted
    // after reading as the browser's views are.
    const QString sql = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "SELECT 'G' || (i % 37) AS GameID, CASE WHEN i % 5 = 0 THEN NULL ELSE i % 9 END AS AB, "
        "CASE WHEN i % 2 = 0 THEN '7' ELSE 7 END AS Mixed, i * 0.5 AS IP FROM n ORDER BY i");
    const std::vector<db::SortKey> byGame{{QStringLiteral("GameID"), true, true}};
    const db::Rows rows = conn.select(sql, {}, db::FixedColumn::Leading, byGame);
    const db::ColumnRows columns = conn.selectColumns(sql, {}, db::FixedColumn::Leading, byGame);

    EXPECT_EQ(columns.columns, rows.columns);
    ASSERT_EQ(columns.rows, rows.rows.size());
    ASSERT_EQ(columns.data.size(), 5u);
    for (size_t r = 0; r < columns.rows; ++r) {
        QStringList row;
        for (const TextColumn& c : columns.data)
            row << c.at(r);
        ASSERT_EQ(row, rows.rows[r]) << "row " << r;
    }
    // Each distinct value is held once: 37 games, not 3,000 texts.
    EXPECT_EQ(columns.data[1].texts.size(), 38u);
    EXPECT_LE(columns.data[2].texts.size(), 10u);
}

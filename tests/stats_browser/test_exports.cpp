// The two spreadsheet exports, read back from the written .xlsx files.
#include "browser_fixture.h"

#include "common/settings.h"
#include "platform/events.h"
#include "platform/interaction.h"
#include "platform/workbook.h"
#include "stats_browser/exports.h"
#include "stats_browser/query.h"
#include "support/fake_opener.h"
#include "support/xlsx_reader.h"

#include <QDir>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <optional>
#include <sys/stat.h>

using namespace browser_test;

namespace {

const QString Extra = QStringLiteral("120325093000");    // 11 innings
const QString Leading = QStringLiteral("031526140509");  // GameID with a leading zero, 9 innings

class ExportTest : public BrowserTest {
protected:
    void saveGames()
    {
        db::Connection c;
        c.transaction([&] {
            addGameSummary(c, Extra, "Riverdale", "Home Town", {0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 1},
                           {1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0});
            addGameSummary(c, Leading, "O'Brien", "Home Town", {0, 0, 1, 0, 0, 0, 0, 2, 0},
                           {0, 0, 0, 0, 0, 0, 0, 1, 0});
            addBatting(c, "Bo Smith", "Riverdale", Extra, {0, QVariant(), 2, QVariant(), QVariant(), QVariant(),
                                                           QVariant(), QVariant(), 5});
            addBatting(c, "Pat O'Neil", "O'Brien", Leading, {1, QVariant(), 1});
            addPitching(c, "Rel Ever", "O'Brien", Leading, 0.0001, {0, 0, 1});
            addPitching(c, "Kurt Bell", "Riverdale", Extra, 11.0, {9, 2, 6, 1, 3});
        });
    }

    // The grids another concern fills, filled here as it would show them.
    void fillSummaryGrids()
    {
        browser::fillGrid(*browser->MSHFlexGrid4,
                          {"Batter", "Team", "TAB", "SI", "DB", "TR", "HRun", "BBs", "SO", "SBs", "RBIs", "BAvg", "SLG"},
                          {{"", "Bo Smith", "1999", "9", "2", "", "", "", "", "0", "", "", ".222", ".222"}});
        browser::fillGrid(*browser->MSHFlexGrid5,
                          {"Pitcher", "Team", "Ks", "BBs", "H", "HRs", "R", "TIP", "Ks/9", "BBs/9", "H/9", "HRs/9",
                           "K/BB", "ERA", "WHIP"},
                          {{"", "Kurt Bell", "Riverdale", "9", "2", "6", "1", "3", "11.00", "7.36", "1.64", "4.91",
                            ".82", "4.50", "2.45", ".73"}});
        browser::fillGrid(*browser->MSHFlexGrid9, {"Team", "W", "L"},
                          {{"", "Home Town", "1", "1"}, {"", "O'Brien", "1", "0"}});
        browser::fillGrid(*browser->MSHFlexGrid10, {"Matchup", "Games"}, {{"", "Riverdale  vs  Home Town", "1"}});
    }

    QStringList reports(const QString& pattern = QStringLiteral("*")) const
    {
        return QDir(folder->file("Game Rpts")).entryList({pattern}, QDir::Files | QDir::Hidden);
    }

    bool opened() const
    {
        for (const Prompt& p : ui->prompts)
            if (p.kind == Prompt::External)
                return true;
        return false;
    }
};

TEST_F(ExportTest, DataGridsWorkbookHoldsTheGridsAsShownThenMakesWayForIt)
{
    saveGames();
    open();
    fillSummaryGrids();
    browser->MSHFlexGrid5->setTextMatrix(1, 8, QStringLiteral("0.33"));  // a fraction shown as stored
    browser->SSTab1->setCurrentIndex(7);
    browser->tb_Team->setText(QStringLiteral("Aces"));
    QTest::mouseClick(browser->lbl_Champ, Qt::LeftButton);
    click(browser->Command16);

    EXPECT_EQ(ui->programTypesAsked, QStringList{QString::fromLatin1(browser::SpreadsheetType)});
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join('|').toStdString();
    const QStringList files = reports();
    ASSERT_EQ(files.size(), 1) << files.join('|').toStdString();  // no temporary file left
    ASSERT_TRUE(files[0].startsWith(QLatin1String("DataGrids_")) && files[0].endsWith(QLatin1String(".xlsx")));
    const QString path = folder->file("Game Rpts/" + files[0]);

    // Then: the browser closed (the bracket stored), the board minimised,
    // the workbook handed to the desktop.
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(settings::GetSetting(QStringLiteral("lbl_Champ")), QStringLiteral("Aces"));
    EXPECT_TRUE(board->windowState() & Qt::WindowMinimized);
    ASSERT_FALSE(ui->prompts.empty());
    EXPECT_EQ(ui->prompts.back().kind, Prompt::External);
    EXPECT_EQ(QFileInfo(ui->prompts.back().text).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const XlsxFile x(path);
    EXPECT_EQ(x.sheetNames, (QStringList{"WinLossMatchups", "AggregatePitching", "AggregateBatting",
                                         "PitchingDataByGame", "BattingDataByGame", "LineScores"}));
    EXPECT_EQ(x.activeSheet, 0);
    for (const XlsxSheet& s : x.sheets) {
        SCOPED_TRACE(s.name.toStdString());
        EXPECT_EQ(s.defaultRowHeight, 11);
        EXPECT_FALSE(s.has("A2") && !s.text("A2").isEmpty());  // column A: the empty fixed column
        // The formatted block A1:AQ45, bold field names but for S1 and T1.
        for (const char* ref : {"A1", "AQ45", "C30"}) {
            EXPECT_EQ(x.styleOf(s, ref).borderColour, QStringLiteral("FF99CCFF")) << ref;
            EXPECT_EQ(x.styleOf(s, ref).fillColour, QStringLiteral("FFFEFEFE")) << ref;
        }
        EXPECT_FALSE(s.has("A46") || s.has("AR1"));
        EXPECT_TRUE(x.styleOf(s, "B1").bold && x.styleOf(s, "R1").bold && x.styleOf(s, "U1").bold
                    && x.styleOf(s, "AQ1").bold);
        EXPECT_FALSE(x.styleOf(s, "S1").bold || x.styleOf(s, "T1").bold || x.styleOf(s, "A1").bold
                     || x.styleOf(s, "B2").bold);
    }

    // Standings in A to D, matchups from E; names stay text, counts are numbers.
    const XlsxSheet& wl = x.sheet("WinLossMatchups");
    EXPECT_EQ(wl.text("B1") + wl.text("C1") + wl.text("D1"), QStringLiteral("TeamWL"));
    EXPECT_EQ(wl.text("E1"), QString());
    EXPECT_EQ(wl.text("F1") + "|" + wl.text("G1"), QStringLiteral("Matchup|Games"));
    EXPECT_EQ(wl.text("F2"), QStringLiteral("Riverdale  vs  Home Town"));
    EXPECT_TRUE(wl.cells.at("C3").number);
    EXPECT_EQ(wl.width(2), 4);
    EXPECT_EQ(wl.width(3), 4);
    EXPECT_EQ(wl.width(5), 22);
    EXPECT_EQ(wl.width(6), 6);

    // Rates arrive as numbers showing the grid's decimals; a team named
    // like a number stays text.
    const XlsxSheet& ab = x.sheet("AggregateBatting");
    EXPECT_FALSE(ab.cells.at("C2").number);
    EXPECT_EQ(ab.text("C2"), QStringLiteral("1999"));
    EXPECT_TRUE(ab.cells.at("M2").number);
    EXPECT_EQ(x.styleOf(ab, "M2").numberFormat, QStringLiteral(".000"));
    EXPECT_EQ(ab.text("M2").toDouble(), 0.222);
    EXPECT_EQ(ab.width(1), 20);
    EXPECT_EQ(ab.width(2), 9);
    EXPECT_EQ(ab.width(13), 5);
    const XlsxSheet& ap = x.sheet("AggregatePitching");
    EXPECT_EQ(x.styleOf(ap, "O2").numberFormat, QStringLiteral(".00"));
    // Shown as stored, it gets no ".00" pattern that would drop its leading zero.
    EXPECT_TRUE(ap.cells.at("H2").number);
    EXPECT_EQ(x.styleOf(ap, "H2").numberFormat, QString());
    EXPECT_EQ(ap.width(14), 6);
    EXPECT_EQ(ap.width(15), 6);
    EXPECT_EQ(ap.width(2), -1);

    // Pitching by player: innings ".00" as shown, a GameID's leading zero kept.
    const XlsxSheet& pg = x.sheet("PitchingDataByGame");
    EXPECT_EQ(pg.text("B1") + "|" + pg.text("H1") + "|" + pg.text("J1"), QStringLiteral("Pitcher|IP|GameID"));
    EXPECT_EQ(pg.text("J3"), Leading);
    EXPECT_FALSE(pg.cells.at("J3").number);
    EXPECT_TRUE(pg.cells.at("H3").number);  // stored 0.0001, shown ".00"
    EXPECT_EQ(pg.text("H3").toDouble(), 0.0);
    EXPECT_EQ(x.styleOf(pg, "H3").numberFormat, QStringLiteral(".00"));
    EXPECT_EQ(pg.width(8), 9);
    EXPECT_EQ(pg.width(9), 13);
    EXPECT_EQ(pg.width(10), 5);
    const XlsxSheet& bg = x.sheet("BattingDataByGame");
    EXPECT_FALSE(bg.has("D2") && !bg.text("D2").isEmpty());  // a NULL count: no value
    EXPECT_EQ(bg.width(12), 13);
    EXPECT_EQ(bg.width(10), 4);

    // Line scores: innings 12 to 20 reached by no game are gone with their
    // widths, 10 and 11 stay; the columns to the right moved left.
    const XlsxSheet& ls = x.sheet("LineScores");
    QStringList header;
    for (const char* ref : {"B1", "K1", "L1", "M1", "N1", "O1", "P1", "Q1", "R1", "S1"})
        header << ls.text(ref);
    EXPECT_EQ(header.join('|'), QStringLiteral("Team|I9|I10|I11|Runs|Hits|Errors|Host|GameID|"));
    EXPECT_EQ(ls.width(12), 3);   // M, inning 11
    EXPECT_EQ(ls.width(13), 5);   // N, runs
    EXPECT_EQ(ls.width(16), -1);  // Q, host
    EXPECT_EQ(ls.width(17), 12);  // R, GameID
    EXPECT_EQ(ls.width(18), -1);
    EXPECT_EQ(ls.text("R4"), Leading);  // newest first: the March game below
    EXPECT_TRUE(ls.cells.at("M2").number);
}

TEST_F(ExportTest, DataGridsWorkbookWithoutSpreadsheetProgramOnlySaysSo)
{
    saveGames();
    open();
    ui->desktopHasPrograms = false;
    click(browser->Command16);

    ASSERT_EQ(ui->prompts.size(), 1u);
    const Prompt& p = ui->prompts[0];
    EXPECT_EQ(p.text, QStringLiteral("Excel is not installed"));
    EXPECT_EQ(p.buttons, QMessageBox::Ok);
    EXPECT_EQ(p.icon, QMessageBox::NoIcon);
    EXPECT_EQ(p.title, platform::applicationTitle());
    EXPECT_TRUE(reports().isEmpty());
    EXPECT_TRUE(browser->isVisible());
    EXPECT_FALSE(board->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ExportTest, DatabaseWorkbookHoldsTheFiveTablesAsStored)
{
    saveGames();
    open();
    click(browser->Command15);

    EXPECT_EQ(ui->messages(), QStringList{"MS Access database tables have been exported"});
    EXPECT_EQ(ui->prompts.back().icon, QMessageBox::Information);
    EXPECT_EQ(ui->prompts.back().title, platform::applicationTitle());
    EXPECT_TRUE(ui->programTypesAsked.isEmpty());
    EXPECT_FALSE(opened());
    EXPECT_TRUE(browser->isVisible());
    const QStringList files = reports();
    ASSERT_EQ(files.size(), 1) << files.join('|').toStdString();
    EXPECT_TRUE(files[0].startsWith(QLatin1String("ZRQ_MSAccess_")) && files[0].endsWith(QLatin1String(".xlsx")));

    const XlsxFile x(folder->file("Game Rpts/" + files[0]));
    EXPECT_EQ(x.sheetNames, (QStringList{"Batting", "Pitching", "BoxScores", "WinLoss", "Matchups"}));
    const XlsxSheet& b = x.sheet("Batting");
    EXPECT_EQ(b.text("A1") + "|" + b.text("D1") + "|" + b.text("L1"), QStringLiteral("Batter|1B|GameID"));
    // Stored order; counts as numbers; NULL as no cell; GameID as text.
    EXPECT_EQ(b.text("A2") + "|" + b.text("A3"), QStringLiteral("Bo Smith|Pat O'Neil"));
    EXPECT_TRUE(b.cells.at("D2").number);
    EXPECT_EQ(b.text("D2"), QStringLiteral("2"));
    EXPECT_FALSE(b.has("C2"));
    EXPECT_FALSE(b.cells.at("L3").number);
    EXPECT_EQ(b.text("L3"), Leading);
    const XlsxSheet& p = x.sheet("Pitching");
    EXPECT_EQ(p.text("G1"), QStringLiteral("IP"));
    EXPECT_TRUE(p.cells.at("G2").number);
    EXPECT_EQ(p.text("G2"), QStringLiteral("0.0001"));
    EXPECT_EQ(x.sheet("BoxScores").rowCount, 5);
    EXPECT_FALSE(x.sheet("BoxScores").has("L4"));  // I11 of a nine-inning game
    EXPECT_EQ(x.sheet("Matchups").text("A1") + "|" + x.sheet("Matchups").text("B1"), QStringLiteral("Matchup|Tally"));
}

// Every cell of every table as a read through Qt's driver shows it: its
// type (number or text), its text, and no cell at all for a NULL. The texts
// go to the writer as the file holds them, so those that need more than
// that are here: the format's own escape, a NUL, bytes that are not UTF-8,
// U+FFFF (a read shows U+FFFD), and other scripts.
TEST_F(ExportTest, DatabaseWorkbookHoldsEveryCellAsAReadShowsIt)
{
    saveGames();
    {
        db::Connection c;
        c.transaction([&] {
            const QString nul = QStringLiteral("nul") + QChar(0) + QStringLiteral("in");
            for (const QString& name : {QStringLiteral("_x0041_"), QStringLiteral("a_x00e9_b_x12_"), nul,
                                        QStringLiteral("Jos\u00e9 \u4e2d \U0001F600 _x00C9_"),
                                        QStringLiteral("end") + QChar(0xFFFF), QStringLiteral("tab\tcr\r")})
                c.exec(QStringLiteral("INSERT INTO Batting (Batter, K, AB, Team, GameID) VALUES (?, ?, NULL, ?, ?)"),
                       {name, 3, name, Extra});
            c.exec(QStringLiteral("INSERT INTO Batting (Batter, K, BB, Team) VALUES (CAST(X'41FF42C3' AS TEXT), "
                                  "'not a count', X'00FF41', CAST(X'EDA080' AS TEXT))"));
            c.exec(QStringLiteral("INSERT INTO Pitching (Pitcher, K, IP, Team, GameID) VALUES (?, ?, ?, ?, ?)"),
                   {QStringLiteral("Dec Imal"), 9007199254740993LL, 5.67, QStringLiteral("Home Town"), Leading});
            c.exec(QStringLiteral("INSERT INTO Pitching (Pitcher, IP) VALUES ('Third', 6.333333333333333), "
                                  "('Whole', 7.0), ('Neg', -0.25), (123, 1e300)"));
            c.exec(QStringLiteral("INSERT INTO WinLoss (Team, Win, Loss) VALUES ('O''Brien', 2, NULL), (NULL, NULL, 1)"));
            c.exec(QStringLiteral("INSERT INTO Matchups (Matchup, Tally) VALUES ('A  vs  B', 4), ('', 0)"));
        });
    }
    open();
    click(browser->Command15);
    ASSERT_EQ(ui->messages(), QStringList{"MS Access database tables have been exported"});
    const XlsxFile x(folder->file("Game Rpts/" + reports("ZRQ_MSAccess_*").value(0)));

    db::Connection c;
    for (const db::Table& t : db::tables()) {
        const XlsxSheet& sheet = x.sheet(t.name);
        QSqlQuery q = c.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t.name));
        const QSqlRecord fields = q.record();
        const auto ref = [](int row, int col) { return QString(QChar('A' + col)) + QString::number(row + 1); };
        size_t cells = 0;
        for (int f = 0; f < fields.count(); ++f, ++cells)
            EXPECT_EQ(sheet.text(ref(0, f)), fields.fieldName(f)) << t.name.toStdString();
        int r = 0;
        while (q.next()) {
            ++r;
            for (int f = 0; f < fields.count(); ++f) {
                const QVariant v = q.value(f);
                const std::string where = (t.name + ' ' + ref(r, f)).toStdString();
                if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty())) {
                    EXPECT_FALSE(sheet.has(ref(r, f))) << where;
                    continue;
                }
                ++cells;
                ASSERT_TRUE(sheet.has(ref(r, f))) << where;
                const XlsxCell& cell = sheet.cells.at(ref(r, f));
                const bool number = v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
                EXPECT_EQ(cell.number, number) << where;
                if (number)
                    EXPECT_EQ(cell.value.toDouble(), v.toDouble()) << where << ' ' << cell.value.toStdString();
                else
                    EXPECT_EQ(cell.value, v.toString()) << where;
            }
        }
        EXPECT_EQ(sheet.cells.size(), cells) << t.name.toStdString();
        EXPECT_EQ(sheet.rowCount, r + 1) << t.name.toStdString();
    }
    EXPECT_EQ(x.sheet("Batting").text("A4"), QStringLiteral("_x0041_"));
}

TEST_F(ExportTest, ReportsFolderIsFoundInAnyCaseOrMade)
{
    saveGames();
    open();
    // Missing: made. Then renamed to another case: found, not made again.
    QDir(folder->file("Game Rpts")).removeRecursively();
    click(browser->Command15);
    ASSERT_TRUE(QFileInfo(folder->file("Game Rpts")).isDir());
    ASSERT_TRUE(QDir().rename(folder->file("Game Rpts"), folder->file("GAME RPTS")));
    click(browser->Command15);
    EXPECT_EQ(QDir(folder->file("GAME RPTS")).entryList(QDir::Files).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(folder->file("Game Rpts")));
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(ExportTest, UnwritableReportsFolderIsAProgramErrorAndTheBrowserStays)
{
    ui->expectAlarm(QStringLiteral("75, Path/File access error"));
    saveGames();
    for (QPushButton* Form4::*button : {&Form4::Command16, &Form4::Command15}) {
        open();
        ui->clear();
        QDir(folder->file("Game Rpts")).removeRecursively();
        folder->write("Game Rpts", "a file where the folder belongs");
        click(browser->*button);

        ASSERT_EQ(ui->programErrors().size(), 1);
        EXPECT_TRUE(ui->programErrors()[0].startsWith(
            QStringLiteral("The following error has occurred: 75, Path/File access error: ")));
        EXPECT_TRUE(ui->programErrors()[0].contains(QStringLiteral("Game Rpts")));
        EXPECT_EQ(ui->messages().size(), 1);  // no success message
        EXPECT_FALSE(opened());
        EXPECT_TRUE(browser->isVisible());
        EXPECT_FALSE(board->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        QFile::remove(folder->file("Game Rpts"));
    }
}

TEST_F(ExportTest, MoreRowsThanASheetHoldsWritesNothingAndSaysWhich)
{
    ui->expectAlarm(QStringLiteral("more than a worksheet holds"));
    constexpr int TooMany = 1048576;
    {
        db::Connection c;
        c.transaction([&] {
            c.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                  "INSERT INTO Matchups (Matchup, Tally) SELECT 'A  vs  B', 1 FROM n")
                       .arg(TooMany));
        });
    }
    open();
    // The rows share one text list, so the grid costs little memory.
    browser::fillGrid(*browser->MSHFlexGrid10, {"Matchup", "Games"},
                      std::vector<QStringList>(TooMany, QStringList{"", "A  vs  B", "1"}));
    ui->clear();
    click(browser->Command16);
    click(browser->Command15);

    const QStringList m = ui->messages();
    ASSERT_EQ(m.size(), 2) << m.join('|').toStdString();
    EXPECT_TRUE(m[0].contains(QStringLiteral("\"WinLossMatchups\" holds 1048576 rows")));
    EXPECT_TRUE(m[1].contains(QStringLiteral("\"Matchups\" holds 1048576 rows")));
    EXPECT_EQ(ui->prompts[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(reports().isEmpty());
    EXPECT_FALSE(opened());
    EXPECT_TRUE(browser->isVisible());
}

// Texts a spreadsheet would change unless escaped: a NUL, characters XML
// cannot hold, the format's own escape written as text, a carriage return.
TEST_F(ExportTest, EveryTextReadsBackAsTheGridShowsItAndAsStored)
{
    const QString nul = QStringLiteral("nul") + QChar(0) + QStringLiteral("in");
    const QStringList names = {nul,
                               QStringLiteral("_x0041_"),
                               QStringLiteral("x_x005F_y"),
                               QStringLiteral("_x00e9__x0041"),
                               QStringLiteral("cr\rlf\r\n tab\t"),
                               QStringLiteral("\x01\x1f") + QChar(0xFFFF) + QChar(0xFFFE),
                               QStringLiteral("  spaced  "),
                               QStringLiteral("_x0041") + QChar(0) + QStringLiteral("_x0041\v_x0041\x01")};
    {
        db::Connection c;
        c.transaction([&] {
            for (const QString& n : names)
                addBatting(c, n, n, Extra, {1});
        });
    }
    open();
    fillSummaryGrids();
    const QString lone = QChar(0xD800) + QStringLiteral("lone") + QChar(0xDC00) + QChar(0xFFFF)
        + QStringLiteral("_x0041") + QChar(0xD800) + QStringLiteral("_x0041") + QChar(0xFFFF);
    browser->MSHFlexGrid4->setTextMatrix(1, 1, lone);
    const Grid& byGame = *browser->MSHFlexGrid2;
    ASSERT_EQ(byGame.rows(), names.size() + 1);
    EXPECT_TRUE(column(byGame, 1).contains(nul));
    click(browser->Command16);
    open();
    click(browser->Command15);

    const XlsxFile grids(folder->file("Game Rpts/" + reports("DataGrids_*").value(0)));
    const XlsxSheet& bg = grids.sheet("BattingDataByGame");
    for (int r = 1; r < byGame.rows(); ++r)
        for (int c : {1, 11})
            EXPECT_EQ(bg.text(QString(QChar('A' + c)) + QString::number(r + 1)), byGame.textMatrix(r, c)) << r;
    EXPECT_EQ(grids.sheet("AggregateBatting").text("B2"), lone);

    // The stored texts as a read shows them (the database's reading turns
    // U+FFFF into U+FFFD, as it does for the grid).
    const XlsxFile tables(folder->file("Game Rpts/" + reports("ZRQ_MSAccess_*").value(0)));
    const XlsxSheet& b = tables.sheet("Batting");
    db::Connection c;
    QSqlQuery stored = c.exec(QStringLiteral("SELECT Batter, Team FROM Batting ORDER BY rowid"));
    for (int r = 2; stored.next(); ++r) {
        EXPECT_EQ(b.text(QStringLiteral("A%1").arg(r)), stored.value(0).toString()) << r;
        EXPECT_EQ(b.text(QStringLiteral("K%1").arg(r)), stored.value(1).toString()) << r;
        EXPECT_EQ(stored.value(0).toString(), column(byGame, 1).value(r - 2)) << r;
    }
}

// Sets the umask for a scope.
struct Umask {
    explicit Umask(mode_t m) : before(::umask(m)) {}
    ~Umask() { ::umask(before); }
    mode_t before;
};

TEST_F(ExportTest, WorkbooksTakeTheUmaskAndWhatKilledExportsLeftGoes)
{
    saveGames();
    const QString rpts = folder->file("Game Rpts");
    // A running export holds its temporary file; a killed one held nothing.
    auto running = std::make_unique<platform::Workbook>(rpts, QStringLiteral("ZRQ_MSAccess_010203040506"));
    const QStringList live = reports(".*.part");
    ASSERT_EQ(live.size(), 1);
    const QStringList killed = {".ZRQ_MSAccess_120325093000.Ab12Cd.part", ".DataGrids_120325093000.xY9zQ1.part"};
    const QStringList others = {".Notes_1.abcdef.part", "ZRQ_MSAccess_1.abcdef.part", ".ZRQ_MSAccess_1.abc.part"};
    for (const QString& name : killed + others)
        folder->write("Game Rpts/" + name, "left over");
    const auto parts = [&] {
        QStringList p = reports("*.part");
        p.sort();
        return p;
    };
    const auto sorted = [](QStringList l) {
        l.sort();
        return l;
    };
    {
        const Umask umask(002);
        open();
        click(browser->Command15);
        EXPECT_EQ(parts(), sorted(live + others + QStringList{killed[1]}));
        open();
        click(browser->Command16);
        EXPECT_EQ(parts(), sorted(live + others));
    }
    running.reset();
    EXPECT_EQ(parts(), sorted(others));

    const QStringList books = reports("*.xlsx");
    ASSERT_EQ(books.size(), 2);
    for (const QString& book : books) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(folder->file("Game Rpts/" + book)).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0664u) << book.toStdString();
    }
}

TEST_F(ExportTest, AWorkbookTheDesktopCannotOpenIsNamedInABox)
{
    ui->expectAlarm(QStringLiteral("The desktop could not open the workbook. It is saved as:"));
    saveGames();
    ui->runDesktopOpener = true;
    for (const std::optional<int> code : {std::optional<int>(4), std::optional<int>()}) {
        SCOPED_TRACE(code ? "xdg-open fails" : "no xdg-open");
        open();
        ui->clear();
        {
            const FakeOpener opener(code);
            click(browser->Command16);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !ui->messages().isEmpty(); }, 60000));
            if (code) {
                EXPECT_EQ(opener.handed(), ui->prompts[0].text);
            }
        }
        ASSERT_EQ(ui->prompts.size(), 2u);
        EXPECT_EQ(ui->prompts[0].kind, Prompt::External);
        const QString path = ui->prompts[0].text;
        EXPECT_TRUE(QFileInfo(path).isAbsolute() && QFileInfo(path).isFile()) << path.toStdString();
        EXPECT_EQ(ui->prompts[1].text, QStringLiteral("The desktop could not open the workbook. It is saved as:\n") + path);
        EXPECT_EQ(ui->prompts[1].icon, QMessageBox::Warning);
        EXPECT_EQ(ui->prompts[1].title, platform::applicationTitle());
        EXPECT_FALSE(browser->isVisible());
    }

    // An opener that takes the file: nothing more is said.
    const QString book = folder->file("Game Rpts/" + reports("DataGrids_*").value(0));
    const FakeOpener opener(0);
    std::optional<bool> handed;
    platform::QtInteraction().openWithDesktop(book, [&](bool h) { handed = h; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return handed.has_value(); }, 60000));
    EXPECT_TRUE(*handed);
    EXPECT_EQ(opener.handed(), book);
}

}  // namespace

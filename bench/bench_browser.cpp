// Times the statistics browser over a database of saved games (10,000 unless
// a count is given: `bench_browser 5000` holds about 100,000 batting rows) in
// a temporary program folder:
// - opening the window (every load query run, every grid filled, the window
//   shown and painted), new and reused, with the memory it takes at its peak
//   and keeps after it closes;
// - every view (by game, aggregates, standings, matchups) and a Game Stats
//   click, from the click until painted, with the paints of the grid;
// - Ctrl+double-click sorts of the batting-by-game grid;
// - the deletes and the purge, each on a fresh copy of the database file;
// - both spreadsheet exports (the desktop's launcher stubbed) with the growth
//   of peak memory, and the bracket's restore and save.
// Beside each figure, its floor from the same run and the ratio: SQLite's own
// run of the statements the browser ran for it (recorded as it ran them,
// values bound; every cell read as text); for the database workbook, the
// same rows read through the SQLite C API and written with libxlsxwriter,
// timed in turns with the export. Prints medians. BENCH_DB=file keeps the
// database there for the next run; BENCH_SQL=1 also prints the recorded
// statements; BENCH_OPEN_ONLY=1 stops after the opening; BENCH_EXPORTS_ONLY=1
// goes from the opening straight to the exports; BENCH_DATABASE_WORKBOOK_ONLY=1
// times the database workbook and nothing else.
#include "bench_setup.h"
#include "platform/database.h"
#include "platform/database_threads.h"
#include "platform/grid.h"
#include "stats_browser/form4.h"
#include "stats_browser/query.h"
#include "support/browser_helpers.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <string>
#include <vector>
#include <xlsxwriter.h>

namespace {

int Games = 10000;
constexpr int Runs = 7;

struct Figures {
    double median, min, max;
};

Figures summary(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

// before: set-up of each run, not timed.
Figures timed(const std::function<void()>& work, int runs = Runs, const std::function<void()>& before = {})
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer t;
        t.start();
        work();
        QApplication::processEvents();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return summary(std::move(ms));
}

void print(const char* what, const Figures& f, int rows = -1)
{
    if (rows >= 0)
        std::printf("%-44s median %7.1f ms (min %7.1f, max %7.1f)  %7d rows\n", what, f.median, f.min, f.max, rows);
    else
        std::printf("%-44s median %7.1f ms (min %7.1f, max %7.1f)\n", what, f.median, f.min, f.max);
}

// Sixteen teams of fourteen batters and six pitchers; each game nine
// batters a side plus a substitute now and then, two to four pitchers a
// side, one game in eight into extra innings.
void buildDatabase()
{
    QRandomGenerator rng(20260307);
    QStringList teams;
    for (int t = 0; t < 16; ++t)
        teams << QStringLiteral("%1Team %2").arg(t % 5 == 0 ? QStringLiteral("O'") : QString()).arg(QChar('A' + t));
    QDateTime when(QDate(2019, 1, 1), QTime(13, 5, 0));

    db::Connection c;
    c.transaction([&] {
        for (int g = 0; g < Games; ++g) {
            when = when.addSecs(7 * 3600 + 13);
            const QString id = when.toString(QStringLiteral("MMddyyHHmmss"));
            const int v = int(rng.bounded(16));
            const int h = (v + 1 + int(rng.bounded(15))) % 16;
            const int innings = rng.bounded(8) == 0 ? 10 + int(rng.bounded(5)) : 9;
            std::vector<int> vi, hi;
            for (int i = 0; i < innings; ++i) {
                vi.push_back(rng.bounded(5) == 0 ? 1 + int(rng.bounded(3)) : 0);
                hi.push_back(rng.bounded(5) == 0 ? 1 + int(rng.bounded(3)) : 0);
            }
            browser_test::addGameSummary(c, id, teams[v], teams[h], vi, hi);
            for (int side : {v, h}) {
                const int batters = 9 + int(rng.bounded(3));
                for (int b = 0; b < batters; ++b) {
                    const QString name = QStringLiteral("Batter %1_%2").arg(side).arg(b);
                    std::vector<QVariant> counts;
                    for (int k = 0; k < 9; ++k)
                        counts.push_back(k == 8 ? QVariant(3 + int(rng.bounded(3)))
                                                : (rng.bounded(3) == 0 ? QVariant(int(rng.bounded(2))) : QVariant()));
                    browser_test::addBatting(c, name, teams[side], id, counts);
                }
                const int pitchers = 2 + int(rng.bounded(3));
                for (int p = 0; p < pitchers; ++p) {
                    // Two decimals of outs / 3, or the no-outs placeholder.
                    const double ip = p == pitchers - 1 && rng.bounded(4) == 0
                        ? 0.0001
                        : double(qRound(int(rng.bounded(22)) / 3.0 * 100)) / 100;
                    browser_test::addPitching(c, QStringLiteral("Pitcher %1_%2").arg(side).arg(p), teams[side], id, ip,
                                              {int(rng.bounded(8)), int(rng.bounded(4)), int(rng.bounded(9)),
                                               int(rng.bounded(2)), int(rng.bounded(5))});
                }
            }
        }
    });
}

// ---------------------------------------------------------------- the statements the browser runs

// Every connection the process opens reports each statement it starts, with
// its values bound in, while recording is on. The connection's own checks of
// its tables are the same whatever the view and are left out.
// Parts of a large read run on threads of their own.
std::atomic<bool> recording{false};
std::mutex recordedLock;
std::vector<std::string> recorded;

int onStatement(unsigned type, void*, void* stmt, void*)
{
    if (type != SQLITE_TRACE_STMT || !recording)
        return 0;
    char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(stmt));
    if (!sql)
        return 0;
    const std::string text = sql;
    sqlite3_free(sql);
    // A "--" text is SQLite's own inner statement of another one.
    if (text.rfind("--", 0) != 0 && text.find("sqlite_master") == std::string::npos
        && text.find("pragma_table_info") == std::string::npos) {
        const std::lock_guard<std::mutex> hold(recordedLock);
        recorded.push_back(text);
    }
    return 0;
}

int traceConnection(sqlite3* h, char**, const sqlite3_api_routines*)
{
    sqlite3_trace_v2(h, SQLITE_TRACE_STMT, onStatement, nullptr);
    return SQLITE_OK;
}

// The statements work() runs, once, untimed.
std::vector<std::string> statementsOf(const std::function<void()>& work)
{
    recorded.clear();
    recording = true;
    work();
    QApplication::processEvents();
    recording = false;
    if (qEnvironmentVariableIntValue("BENCH_SQL"))
        for (const std::string& s : recorded)
            std::printf("    | %s\n", s.c_str());
    return std::move(recorded);
}

// SQLite's own run of the statements on a connection of its own: every row
// stepped, every cell read as text.
double sqliteRunMs(const std::vector<std::string>& statements)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(db::path().toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    QElapsedTimer t;
    t.start();
    size_t bytes = 0;
    for (const std::string& sql : statements) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(h, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
            std::printf("    (reference failed: %s)\n", sqlite3_errmsg(h));
            continue;
        }
        const int n = sqlite3_column_count(s);
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int i = 0; i < n; ++i)
                if (sqlite3_column_text(s, i))
                    bytes += size_t(sqlite3_column_bytes(s, i));
        sqlite3_finalize(s);
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    sqlite3_close(h);
    // Used, so the reading cannot be optimised away.
    if (bytes == 1)
        std::printf(" ");
    return ms;
}

// Prints the reference line: the statements recorded for the figure above,
// timed, and the figure's ratio to it; none recorded is said as such.
void reference(const std::vector<std::string>& statements, const Figures& figure,
               const std::function<void()>& before = {})
{
    if (statements.empty()) {
        std::printf("    SQLite reference: none (no statement to compare)\n");
        return;
    }
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        if (before)
            before();
        ms.push_back(sqliteRunMs(statements));
    }
    const Figures f = summary(std::move(ms));
    std::printf("    SQLite's own run of the same %2zu statement%s  median %7.1f ms (min %7.1f, max %7.1f)  "
                "ratio %.2f\n",
                statements.size(), statements.size() == 1 ? " " : "s", f.median, f.min, f.max,
                figure.median / f.median);
}

// The database workbook as a program of its own would write it: the five
// tables read through the SQLite C API and written with libxlsxwriter in
// constant memory, a number for a number, the text as stored for a text,
// nothing for a NULL. Milliseconds, the file removed afterwards.
double directWorkbookMs(const QString& folder)
{
    const QByteArray file = QFile::encodeName(folder + QStringLiteral("/floor.xlsx"));
    QElapsedTimer t;
    t.start();
    sqlite3* h = nullptr;
    sqlite3_open_v2(db::path().toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(file.constData(), &options);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    for (const db::Table& table : db::tables()) {
        const QByteArray name = table.name.toUtf8();
        lxw_worksheet* ws = workbook_add_worksheet(wb, name.constData());
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(h, ("SELECT * FROM \"" + name + "\" ORDER BY rowid").constData(), -1, &s, nullptr);
        const int n = sqlite3_column_count(s);
        for (int c = 0; c < n; ++c)
            worksheet_write_string(ws, 0, lxw_col_t(c), sqlite3_column_name(s, c), nullptr);
        lxw_row_t r = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            ++r;
            for (int c = 0; c < n; ++c) {
                switch (sqlite3_column_type(s, c)) {
                case SQLITE_INTEGER:
                case SQLITE_FLOAT: worksheet_write_number(ws, r, lxw_col_t(c), sqlite3_column_double(s, c), nullptr); break;
                case SQLITE_NULL: break;
                default:
                    worksheet_write_string(ws, r, lxw_col_t(c),
                                           reinterpret_cast<const char*>(sqlite3_column_text(s, c)), nullptr);
                }
            }
        }
        sqlite3_finalize(s);
    }
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(h);
    workbook_close(wb);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    QFile::remove(QFile::decodeName(file));
    return ms;
}

// ---------------------------------------------------------------- memory and paints

// This process's resident memory now and at its peak since the last
// resetPeak(), in MB, as the kernel reports them.
struct Memory {
    double rss = 0, peak = 0;
};

Memory memory()
{
    Memory m;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            m.rss = std::stod(line.substr(6)) / 1024;
        else if (line.rfind("VmHWM:", 0) == 0)
            m.peak = std::stod(line.substr(6)) / 1024;
    }
    return m;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Paint events of the grids' viewports.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::vector<Grid*> grids) : grids_(std::move(grids))
    {
        for (Grid* g : grids_)
            g->viewport()->installEventFilter(this);
    }
    ~PaintCounter() override
    {
        for (Grid* g : grids_)
            g->viewport()->removeEventFilter(this);
    }
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }

private:
    std::vector<Grid*> grids_;
};

// The grids another concern fills with its summaries, at the size 16 teams
// of 14 batters and 6 pitchers give.
void fillSummaryGrids(Form4& b)
{
    std::vector<QStringList> batting, pitching, standings, matchups;
    for (int t = 0; t < 16; ++t) {
        const QString team = QStringLiteral("Team %1").arg(QChar('A' + t));
        for (int p = 0; p < 14; ++p)
            batting.push_back({"", QStringLiteral("Batter %1_%2").arg(t).arg(p), team, "612", "120", "30", "3", "15",
                               "50", "110", "4", "60", ".274", ".390"});
        for (int p = 0; p < 6; ++p)
            pitching.push_back({"", QStringLiteral("Pitcher %1_%2").arg(t).arg(p), team, "90", "30", "100", "10", "40",
                                "120.33", "6.73", "2.24", "7.48", ".75", "3.00", "2.99", "1.08"});
        standings.push_back({"", team, "600", "650"});
        for (int u = 0; u < 16; ++u)
            if (u != t)
                matchups.push_back({"", team + QStringLiteral("  vs  Team ") + QChar('A' + u), "40"});
    }
    browser::fillGrid(*b.MSHFlexGrid4, {"Batter", "Team", "TAB", "SI", "DB", "TR", "HRun", "BBs", "SO", "SBs", "RBIs",
                                        "BAvg", "SLG"}, std::move(batting));
    browser::fillGrid(*b.MSHFlexGrid5, {"Pitcher", "Team", "Ks", "BBs", "H", "HRs", "R", "TIP", "Ks/9", "BBs/9", "H/9",
                                        "HRs/9", "K/BB", "ERA", "WHIP"}, std::move(pitching));
    browser::fillGrid(*b.MSHFlexGrid9, {"Team", "W", "L"}, std::move(standings));
    browser::fillGrid(*b.MSHFlexGrid10, {"Matchup", "Games"}, std::move(matchups));
}

// Times one export from the click to the file closed, with the growth of
// peak memory over what the process held before the click; the set-up
// before each run (the browser loaded again) is not timed. A floor, where
// given, runs after each export, and the ratios are taken pair by pair.
void timeExport(const char* what, const std::function<void()>& prepare, const std::function<void()>& click,
                const std::function<double()>& floor = {})
{
    std::vector<double> ms, floors, ratios;
    double growth = 0;
    for (int i = 0; i < 5; ++i) {
        prepare();
        QApplication::processEvents();
        const Memory before = memory();
        resetPeak();
        QElapsedTimer t;
        t.start();
        click();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        growth = std::max(growth, memory().peak - before.rss);
        if (floor) {
            floors.push_back(floor());
            ratios.push_back(ms.back() / floors.back());
        }
    }
    const Figures f = summary(std::move(ms));
    std::printf("%-44s median %7.1f ms (min %7.1f, max %7.1f)  peak memory growth %.0f MB\n", what, f.median, f.min,
                f.max, growth);
    if (!floor)
        return;
    const Figures fl = summary(std::move(floors));
    const Figures r = summary(std::move(ratios));
    std::printf("    floor (SQLite C API and libxlsxwriter)   median %7.1f ms (min %7.1f, max %7.1f)  ratio median "
                "%.2f (min %.2f, max %.2f)\n",
                fl.median, fl.min, fl.max, r.median, r.min, r.max);
}

int count(const char* table)
{
    db::Connection c;
    return c.select(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).rows.front().front().toInt();
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSetup bench(argc, argv);
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
    if (argc > 1 && QByteArray(argv[1]).toInt() > 0)
        Games = QByteArray(argv[1]).toInt();
    const TempProgramFolder& folder = bench.folder;
    ScriptedInteraction& ui = bench.ui;

    const QString kept = qEnvironmentVariable("BENCH_DB");
    QElapsedTimer build;
    build.start();
    if (!kept.isEmpty() && QFile::exists(kept)) {
        QFile::copy(kept, folder.file(QStringLiteral("ZRQ.mdb")));
    } else {
        buildDatabase();
        if (!kept.isEmpty())
            QFile::copy(db::path(), kept);
    }
    std::printf("database of %d games ready in %.1f s: %d batting, %d pitching, %d line-score rows (platform %s)\n",
                Games, double(build.elapsed()) / 1000, count("Batting"), count("Pitching"), count("BoxScores"),
                qgetenv("QT_QPA_PLATFORM").constData());

    QWidget board;
    board.setGeometry(50, 50, 1600, 1000);
    board.show();
    settle();

    if (qEnvironmentVariableIntValue("BENCH_DATABASE_WORKBOOK_ONLY")) {
        Form4 b(&board);
        const QString rpts = folder.file(QStringLiteral("Game Rpts"));
        timeExport(
            "Send Access DB to Excel", [&] { b.Form_Load(); }, [&] { b.Command15_Click(); },
            [&] { return directWorkbookMs(rpts); });
        for (const QString& f : QDir(rpts).entryList({QStringLiteral("*.xlsx")}, QDir::Files))
            QFile::remove(QDir(rpts).filePath(f));
        return ui.programErrors().isEmpty() ? 0 : 1;
    }

    // Opening: a new window each time (as a first opening), and the same
    // window opened again (as the board does). The memory is the process's
    // own: its peak while the window opens, and what stays once it closes.
    std::vector<double> peaks, kept1, kept2;
    const double atStart = memory().rss;
    print("open browser (new window, all load queries)", timed([&] {
              const Memory before = memory();
              resetPeak();
              auto b = std::make_unique<Form4>(&board);
              b->Form_Load();
              b->show();
              b->repaint();
              QApplication::processEvents();
              peaks.push_back(memory().peak - before.rss);
              b->close();
              b.reset();
              settle();
              kept1.push_back(memory().rss - before.rss);
          }));
    Form4 b(&board);
    const Figures reused = timed([&] {
              const Memory before = memory();
              b.Form_Load();
              b.show();
              b.repaint();
              QApplication::processEvents();
              b.close();
              settle();
              kept2.push_back(memory().rss - before.rss);
          });
    print("open browser (window reused)", reused);
    const double afterAll = memory().rss - atStart;
    reference(statementsOf([&] { b.Form_Load(); }), reused);
    b.close();
    settle();
    std::printf("memory: peak growth while opening median %.0f MB (max %.0f); kept after closing: new window %.0f MB "
                "(max %.0f), reused window %.0f MB (max %.0f); after all %d openings %.0f MB more than before the "
                "first\n",
                median(peaks), *std::max_element(peaks.begin(), peaks.end()), median(kept1),
                *std::max_element(kept1.begin(), kept1.end()), median(kept2),
                *std::max_element(kept2.begin(), kept2.end()), 2 * Runs, afterAll);

    if (qEnvironmentVariableIntValue("BENCH_OPEN_ONLY"))
        return 0;

    b.Form_Load();
    b.show();
    settle();
    const bool exportsOnly = qEnvironmentVariableIntValue("BENCH_EXPORTS_ONLY");

    // The views. A hidden button's view (all players, standings, matchups)
    // is run by its handler, as the load step runs it.
    struct View {
        const char* name;
        QLineEdit* filter;
        const char* text;
        std::function<void()> click;
        Grid* grid;
        int tab;
    };
    auto button = [](QPushButton* p) { return [p] { p->click(); }; };
    auto handler = [&b](void (Form4::*h)()) { return [&b, h] { (b.*h)(); }; };
    const View views[] = {
        {"Get all LineScores", nullptr, "", button(b.Command4), b.MSHFlexGrid1, 0},
        {"LineScore by GameID (empty filter)", b.Text9, "", button(b.Command11), b.MSHFlexGrid1, 0},
        {"LineScore by GameID \"0704\"", b.Text9, "0704", button(b.Command11), b.MSHFlexGrid1, 0},
        {"Batting: data by player (empty filter)", b.Text1, "", button(b.Command5), b.MSHFlexGrid2, 1},
        {"Batting: data by player \"Batter 3_\"", b.Text1, "Batter 3_", button(b.Command5), b.MSHFlexGrid2, 1},
        {"Batting: data by team \"O'Team F\"", b.Text2, "O'Team F", button(b.Command3), b.MSHFlexGrid2, 1},
        {"Batting: data by GameID \"0704\"", b.Text7, "0704", button(b.Command9), b.MSHFlexGrid2, 1},
        {"Pitching: data by player (empty filter)", b.Text3, "", button(b.Command2), b.MSHFlexGrid3, 2},
        {"Pitching: data by team \"Team B\"", b.Text4, "Team B", button(b.Command1), b.MSHFlexGrid3, 2},
        {"Pitching: data by GameID \"0704\"", b.Text8, "0704", button(b.Command10), b.MSHFlexGrid3, 2},
        {"Aggregate batting, all players", nullptr, "", handler(&Form4::Command6_Click), b.MSHFlexGrid4, 3},
        {"Aggregate batting by player \"Batter 3\"", b.Text6, "Batter 3", button(b.Command7), b.MSHFlexGrid4, 3},
        {"Aggregate batting by team (empty filter)", b.Text5, "", button(b.Command8), b.MSHFlexGrid4, 3},
        {"Aggregate pitching, all players", nullptr, "", handler(&Form4::Command14_Click), b.MSHFlexGrid5, 4},
        {"Aggregate pitching by player \"Pitcher 1\"", b.Text10, "Pitcher 1", button(b.Command13), b.MSHFlexGrid5, 4},
        {"Aggregate pitching by team \"O'\"", b.Text11, "O'", button(b.Command12), b.MSHFlexGrid5, 4},
        {"Win/Loss standings", nullptr, "", handler(&Form4::Command30_Click), b.MSHFlexGrid9, 5},
        {"Matchups", nullptr, "", handler(&Form4::Command34_Click), b.MSHFlexGrid10, 5},
    };
    if (!exportsOnly)
        std::printf("views, from the click until painted (an order by GameID is the browser's own, after reading):\n");
    for (const View& v : views) {
        if (exportsOnly)
            break;
        if (v.filter)
            v.filter->setText(QString::fromUtf8(v.text));
        b.SSTab1->setCurrentIndex(v.tab);
        settle();
        PaintCounter counter({v.grid});
        const Figures f = timed([&] {
            v.click();
            settle();
        });
        print(v.name, f, v.grid->rows() - 1);
        std::printf("    paints of the grid per click: %.1f\n", double(counter.paints) / Runs);
        reference(statementsOf(v.click), f);
    }

    if (!exportsOnly) {
        // A Game Stats click: its five statements and the tab switch, until
        // Game Stats is painted. Going back to the line scores is the next
        // click's set-up, not timed.
        b.Command4->click();
        b.SSTab1->setCurrentIndex(0);
        settle();
        const std::vector<Grid*> gameGrids = {b.MSHFlexGrid6, b.MSHFlexGrid7, b.MSHFlexGrid8, b.MSHFlexGrid11,
                                              b.MSHFlexGrid12};
        auto gameStats = [&] { b.MSHFlexGrid1_Click(1001, Form4::GameIdColumn); };
        Figures gameStatsFigures{};
        {
            PaintCounter counter(gameGrids);
            gameStatsFigures = timed(
                [&] {
                    gameStats();
                    settle();
                },
                Runs,
                [&] {
                    b.SSTab1->setCurrentIndex(0);
                    settle();
                });
            print("Game Stats click (GameID of row 1001)", gameStatsFigures);
            std::printf("    paints of its five grids per click: %.1f\n", double(counter.paints) / Runs);
        }
        reference(statementsOf(gameStats), gameStatsFigures);

        // Sorting the whole batting-by-game grid as a Ctrl+double-click does:
        // numbers when every filled cell holds one, otherwise text. No statement
        // sorts what the grid holds; the reference is SQLite sorting the same
        // rows by the player's name.
        b.SSTab1->setCurrentIndex(1);
        b.Text1->clear();
        b.Command5->click();
        settle();
        GridModel& m = b.MSHFlexGrid2->model();
        std::printf("sorting %d batting rows (then painted):\n", m.rows() - 1);
        Figures byName{};
        for (int col : {1, 4, 10, 11, 12}) {
            for (bool ascending : {true, false}) {
                const QString name = QStringLiteral("  by %1 (%2) %3")
                                         .arg(m.textMatrix(0, col), m.isNumericColumn(col) ? "numbers" : "text",
                                              ascending ? "ascending" : "descending");
                const Figures f = timed(
                    [&] {
                        m.sortRows(col, ascending, m.isNumericColumn(col));
                        b.MSHFlexGrid2->repaint();
                    },
                    5);
                print(name.toUtf8().constData(), f, m.rows() - 1);
                if (col == 1 && ascending)
                    byName = f;
            }
        }
        std::printf("  beside the sort by %s ascending:\n", qPrintable(m.textMatrix(0, 1)));
        reference({(browser::selectFields(QStringLiteral("Batting")) + QStringLiteral(" ORDER BY Batter COLLATE NOCASE"))
                       .toStdString()},
                  byName);

        // The destructive commands, each on a fresh copy of the file; SQLite's
        // own run of the same statements on a fresh copy as well.
        const QString file = db::path();
        const QString pristine = file + QStringLiteral(".pristine");
        QFile::copy(file, pristine);
        auto freshCopy = [&] {
            QFile::remove(file);
            QFile::copy(pristine, file);
        };
        b.Command30_Click();
        b.Command34_Click();
        const QString team = b.MSHFlexGrid9->textMatrix(1, 1);
        const QString matchup = b.MSHFlexGrid10->textMatrix(1, 1);
        auto yes = [&] {
            ui.clear();
            ui.answerMsgBox(QMessageBox::Yes);
        };
        const struct {
            const char* name;
            std::function<void()> click;
        } deletes[] = {
            {"Delete one team's win/loss rows", [&] {
                 yes();
                 b.lbl_DEL2->setText(team);
                 b.Command36_Click();
             }},
            {"Delete one matchup", [&] {
                 yes();
                 b.lbl_DEL2->setText(matchup);
                 b.Command36_Click();
             }},
            {"Clear all Win/Loss data", [&] {
                 yes();
                 b.Command33_Click();
             }},
            {"PURGE ALL STATS", [&] {
                 yes();
                 b.cmd_Purge_Click();
             }},
        };
        for (const auto& d : deletes) {
            const Figures f = timed(d.click, Runs, freshCopy);
            print(d.name, f);
            freshCopy();
            reference(statementsOf(d.click), f, freshCopy);
        }
        QFile::remove(file);
        QFile::rename(pristine, file);
    }

    // The exports. The workbooks go into the temporary program folder.
    timeExport(
        "Send all DataGrids to Excel",
        [&] {
            b.Form_Load();
            b.show();
            fillSummaryGrids(b);
        },
        [&] { b.Command16_Click(); });
    std::printf("    SQLite reference: none (the workbook is written from the grids)\n");
    const QString rpts = folder.file(QStringLiteral("Game Rpts"));
    timeExport(
        "Send Access DB to Excel", [&] { b.Form_Load(); }, [&] { b.Command15_Click(); },
        [&] { return directWorkbookMs(rpts); });
    const QDir reports(folder.file(QStringLiteral("Game Rpts")));
    for (const QString& f : reports.entryList({QStringLiteral("*.xlsx")}, QDir::Files))
        std::printf("  %s: %.1f MB\n", f.toUtf8().constData(), double(QFileInfo(reports.filePath(f)).size()) / 1e6);

    // The bracket: every slot filled, restored at load, stored at close.
    b.Form_Load();
    b.tb_Team->setText(QStringLiteral("Summit Valley Miners"));
    for (int i = 0; i < 16; ++i)
        b.lbl_Team_Click(i);
    b.saveBracket();
    print("bracket restore (31 keys)", timed([&] { b.restoreBracket(); }));
    print("bracket save (31 keys)", timed([&] { b.saveBracket(); }));
    std::printf("    SQLite reference: none (the settings store only)\n");

    if (!ui.programErrors().isEmpty())
        std::printf("unexpected Program Error boxes: %s\n", ui.programErrors().join(QStringLiteral(" | ")).toUtf8().constData());
    return 0;
}

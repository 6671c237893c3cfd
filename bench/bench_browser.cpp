// Times the statistics browser over a database of saved games (10,000 unless
// a count is given: `bench_browser 5000` holds about 100,000 batting rows) in
// a temporary program folder: opening the window (every load query run, every
// grid filled, the window shown and painted) and each by-game query; the
// aggregate, standings and matchup views, a Game Stats click,
// Ctrl+double-click sorts of the batting-by-game grid, and the deletes and
// the purge, each on a fresh copy of the database file; both spreadsheet
// exports (the desktop's launcher stubbed) with the growth of peak memory,
// and the bracket's restore and save. Prints medians.
#include "platform/database.h"
#include "platform/grid.h"
#include "stats_browser/form4.h"
#include "stats_browser/query.h"
#include "support/browser_helpers.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"

#include "common/settings.h"
#include "stats_browser/exports.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

int Games = 10000;
constexpr int Runs = 7;

struct Figures {
    double median, min, max;
};

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
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
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

// Resident memory, and its peak since the last reset, in kB (Linux).
long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').front().toLong();
    return -1;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

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

// Times one export from the click to the file closed; the set-up before
// each run (the browser loaded again) is not timed.
void timeExport(const char* what, const std::function<void()>& prepare, const std::function<void()>& click)
{
    std::vector<double> ms;
    long growth = 0;
    for (int i = 0; i < 5; ++i) {
        prepare();
        QApplication::processEvents();
        const long before = statusKb("VmRSS:");
        resetPeak();
        QElapsedTimer t;
        t.start();
        click();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        growth = std::max(growth, statusKb("VmHWM:") - before);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.1f ms (min %7.1f, max %7.1f)  peak memory growth %ld MB\n", what, ms[ms.size() / 2],
                ms.front(), ms.back(), growth / 1024);
}

int count(const char* table)
{
    db::Connection c;
    return c.select(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).rows.front().front().toInt();
}

}  // namespace

int main(int argc, char** argv)
{
    testenv::preferOffscreen();
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]).toInt() > 0)
        Games = QByteArray(argv[1]).toInt();
    TempProgramFolder folder;
    ScriptedInteraction ui;

    QElapsedTimer build;
    build.start();
    buildDatabase();
    std::printf("database of %d games built in %.1f s: %d batting, %d pitching, %d line-score rows (platform %s)\n",
                Games, double(build.elapsed()) / 1000, count("Batting"), count("Pitching"), count("BoxScores"),
                qgetenv("QT_QPA_PLATFORM").constData());

    QWidget board;
    board.setGeometry(50, 50, 1600, 1000);
    board.show();

    // Opening: a new window each time, and the same window opened again.
    print("open browser (new window, all load queries)", timed([&] {
              auto b = std::make_unique<Form4>(&board);
              b->Form_Load();
              b->show();
              b->repaint();
              b->close();
          }));
    Form4 b(&board);
    print("open browser (window reused)", timed([&] {
              b.Form_Load();
              b.show();
              b.repaint();
          }));

    struct Query {
        const char* name;
        QLineEdit* filter;
        const char* text;
        void (Form4::*handler)();
        Grid* grid;
        int tab;
    };
    const Query queries[] = {
        {"Get all LineScores", nullptr, "", &Form4::Command4_Click, b.MSHFlexGrid1, 0},
        {"LineScore by GameID (empty filter)", b.Text9, "", &Form4::Command11_Click, b.MSHFlexGrid1, 0},
        {"LineScore by GameID \"0704\"", b.Text9, "0704", &Form4::Command11_Click, b.MSHFlexGrid1, 0},
        {"Batting: data by player (empty filter)", b.Text1, "", &Form4::Command5_Click, b.MSHFlexGrid2, 1},
        {"Batting: data by player \"Batter 3_\"", b.Text1, "Batter 3_", &Form4::Command5_Click, b.MSHFlexGrid2, 1},
        {"Batting: data by team \"O'Team F\"", b.Text2, "O'Team F", &Form4::Command3_Click, b.MSHFlexGrid2, 1},
        {"Batting: data by GameID \"0704\"", b.Text7, "0704", &Form4::Command9_Click, b.MSHFlexGrid2, 1},
        {"Pitching: data by player (empty filter)", b.Text3, "", &Form4::Command2_Click, b.MSHFlexGrid3, 2},
        {"Pitching: data by team \"Team B\"", b.Text4, "Team B", &Form4::Command1_Click, b.MSHFlexGrid3, 2},
        {"Pitching: data by GameID \"0704\"", b.Text8, "0704", &Form4::Command10_Click, b.MSHFlexGrid3, 2},
        {"Aggregate batting, all players", nullptr, "", &Form4::Command6_Click, b.MSHFlexGrid4, 3},
        {"Aggregate batting by player \"Batter 3\"", b.Text6, "Batter 3", &Form4::Command7_Click, b.MSHFlexGrid4, 3},
        {"Aggregate batting by team (empty filter)", b.Text5, "", &Form4::Command8_Click, b.MSHFlexGrid4, 3},
        {"Aggregate pitching, all players", nullptr, "", &Form4::Command14_Click, b.MSHFlexGrid5, 4},
        {"Aggregate pitching by player \"Pitcher 1\"", b.Text10, "Pitcher 1", &Form4::Command13_Click, b.MSHFlexGrid5, 4},
        {"Aggregate pitching by team \"O'\"", b.Text11, "O'", &Form4::Command12_Click, b.MSHFlexGrid5, 4},
        {"Win/Loss standings", nullptr, "", &Form4::Command30_Click, b.MSHFlexGrid9, 5},
        {"Matchups", nullptr, "", &Form4::Command34_Click, b.MSHFlexGrid10, 5},
    };
    for (const Query& q : queries) {
        if (q.filter)
            q.filter->setText(QString::fromUtf8(q.text));
        b.SSTab1->setCurrentIndex(q.tab);
        const Figures f = timed([&] {
            (b.*q.handler)();
            b.repaint();
        });
        print(q.name, f, q.grid->rows() - 1);
    }

    // A Game Stats click: five queries and the tab switch.
    b.Command4_Click();
    b.SSTab1->setCurrentIndex(0);
    print("Game Stats click (GameID of row 1001)", timed([&] {
              b.MSHFlexGrid1_Click(1001, Form4::GameIdColumn);
              b.repaint();
              b.SSTab1->setCurrentIndex(0);
          }));

    // Sorting the whole batting-by-game grid, each column both ways.
    b.Text1->clear();
    b.Command5_Click();
    b.SSTab1->setCurrentIndex(1);
    for (int col : {1, 4, 10, 11, 12}) {
        for (int dir : {1, 2}) {
            char name[64];
            std::snprintf(name, sizeof name, "Sort batting by game, column %d, %s", col, dir == 1 ? "up" : "down");
            print(name, timed([&] {
                      b.MSHFlexGrid2->model().sortRows(col, dir == 1, b.MSHFlexGrid2->model().isNumericColumn(col));
                      b.repaint();
                  }),
                  b.MSHFlexGrid2->rows() - 1);
        }
    }

    // The destructive commands, each on a fresh copy of the file.
    const QString file = db::path();
    const QString pristine = file + QStringLiteral(".pristine");
    QFile::copy(file, pristine);
    auto onCopy = [&](const std::function<void()>& work) {
        return timed(
            [&] { work(); },
            Runs, [&] {
                QFile::remove(file);
                QFile::copy(pristine, file);
            });
    };
    b.Command30_Click();
    b.Command34_Click();
    const QString team = b.MSHFlexGrid9->textMatrix(1, 1);
    const QString matchup = b.MSHFlexGrid10->textMatrix(1, 1);
    auto yes = [&] {
        ui.clear();
        ui.answerMsgBox(QMessageBox::Yes);
    };
    print("Delete one team's win/loss rows", onCopy([&] {
              yes();
              b.lbl_DEL2->setText(team);
              b.Command36_Click();
          }));
    print("Delete one matchup", onCopy([&] {
              yes();
              b.lbl_DEL2->setText(matchup);
              b.Command36_Click();
          }));
    print("Clear all Win/Loss data", onCopy([&] {
              yes();
              b.Command33_Click();
          }));
    print("PURGE ALL STATS", onCopy([&] {
              yes();
              b.cmd_Purge_Click();
          }));
    QFile::remove(file);
    QFile::rename(pristine, file);

    // The exports. The workbooks go into the temporary program folder.
    timeExport(
        "Send all DataGrids to Excel", [&] {
            b.Form_Load();
            b.show();
            fillSummaryGrids(b);
        },
        [&] { b.Command16_Click(); });
    timeExport(
        "Send Access DB to Excel", [&] { b.Form_Load(); }, [&] { b.Command15_Click(); });
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

    if (!ui.programErrors().isEmpty())
        std::printf("unexpected Program Error boxes: %s\n", ui.programErrors().join(QStringLiteral(" | ")).toUtf8().constData());
    return 0;
}

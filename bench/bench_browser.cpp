// Times the statistics browser over a database of saved games (10,000 unless
// a count is given: `bench_browser 5000` holds about 100,000 batting rows) in
// a temporary program folder: opening the window (every load query run, every
// grid filled, the window shown and painted) and each by-game query. Prints
// medians.
#include "platform/database.h"
#include "platform/grid.h"
#include "stats_browser/form4.h"
#include "stats_browser/query.h"
#include "support/browser_helpers.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
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

Figures timed(const std::function<void()>& work, int runs = Runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
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

    // A kept database (BENCH_DB names the file) spares rebuilding it for each run.
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

    if (!ui.programErrors().isEmpty())
        std::printf("unexpected Program Error boxes: %s\n", ui.programErrors().join(QStringLiteral(" | ")).toUtf8().constData());
    return 0;
}

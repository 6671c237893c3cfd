// Times the statistics browser over a database of saved games (10,000 unless
// a count is given: `bench_browser 5000` holds about 100,000 batting rows) in
// a temporary program folder: opening the window (every load query run, every
// grid filled, the window shown and painted), the memory it takes at its peak
// and keeps after it closes, each by-game view from the click until it is
// painted, and sorting the largest grid. Beside each, SQLite's own reading of
// the same statements (every cell read as text) in the same run. Prints
// medians. BENCH_DB=file keeps the database there for the next run.
#include "platform/database.h"
#include "platform/grid.h"
#include "stats_browser/form4.h"
#include "stats_browser/query.h"
#include "support/browser_helpers.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"

#include <QApplication>
#include <QPushButton>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sqlite3.h>
#include <string>
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

// SQLite's own reading of a statement: every row stepped, every cell read
// as text, on a connection of its own.
double sqliteReadMs(const QString& statement, const QString& param = QString())
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(db::path().toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, statement.toUtf8().constData(), -1, &s, nullptr);
    const QByteArray p = param.toUtf8();
    if (sqlite3_bind_parameter_count(s) > 0)
        sqlite3_bind_text(s, 1, p.constData(), int(p.size()), SQLITE_TRANSIENT);
    const int n = sqlite3_column_count(s);
    size_t bytes = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        for (int i = 0; i < n; ++i)
            if (sqlite3_column_text(s, i))
                bytes += size_t(sqlite3_column_bytes(s, i));
    sqlite3_finalize(s);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    sqlite3_close(h);
    // Printed where it cannot be optimised away, and only if nothing was read.
    if (bytes == 0)
        std::printf("    (%s read nothing)\n", qPrintable(statement));
    return ms;
}

Figures sqliteRead(const std::vector<std::pair<QString, QString>>& statements)
{
    return timed(
        [&] {
            for (const auto& [sql, param] : statements)
                sqliteReadMs(sql, param);
        },
        5);
}

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

// Paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void reference(const Figures& f)
{
    std::printf("    SQLite's own reading of the same            median %7.1f ms (min %7.1f, max %7.1f)\n", f.median,
                f.min, f.max);
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

    const QString batting = QStringLiteral("SELECT * FROM Batting WHERE Batter LIKE ? ORDER BY rowid");
    const QString pitching = QStringLiteral("SELECT * FROM Pitching WHERE Pitcher LIKE ? ORDER BY rowid");
    const QString boxScores = QStringLiteral("SELECT * FROM BoxScores ORDER BY rowid");
    const std::vector<std::pair<QString, QString>> loadStatements = {
        {pitching, QStringLiteral("%")}, {boxScores, QString()}, {batting, QStringLiteral("%")}};

    // Opening: a new window each time (as a first opening), and the same
    // window opened again (as the board does). The memory is the process's
    // own: its peak while the window opens, and what stays once it closes.
    std::vector<double> peaks, kept1, kept2;
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
    print("open browser (window reused)", timed([&] {
              const Memory before = memory();
              b.Form_Load();
              b.show();
              b.repaint();
              QApplication::processEvents();
              b.close();
              settle();
              kept2.push_back(memory().rss - before.rss);
          }));
    reference(sqliteRead(loadStatements));
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("memory: peak growth while opening median %.0f MB (max %.0f); kept after closing: new window %.0f MB, "
                "reused window %.0f MB (max %.0f)\n",
                median(peaks), *std::max_element(peaks.begin(), peaks.end()), median(kept1), median(kept2),
                *std::max_element(kept2.begin(), kept2.end()));

    b.Form_Load();
    b.show();
    settle();

    struct Query {
        const char* name;
        QLineEdit* filter;
        const char* text;
        QPushButton* button;
        Grid* grid;
        int tab;
        QString statement;
        QString param;  // as the view binds it
    };
    const QString lineScoreById = QStringLiteral("SELECT * FROM BoxScores WHERE GameID LIKE ?");
    const QString battingByTeam = QStringLiteral("SELECT * FROM Batting WHERE Team LIKE ? ORDER BY rowid");
    const QString battingById = QStringLiteral("SELECT * FROM Batting WHERE GameID LIKE ?");
    const QString pitchingByTeam = QStringLiteral("SELECT * FROM Pitching WHERE Team LIKE ? ORDER BY rowid");
    const QString pitchingById = QStringLiteral("SELECT * FROM Pitching WHERE GameID LIKE ?");
    const Query queries[] = {
        {"Get all LineScores", nullptr, "", b.Command4, b.MSHFlexGrid1, 0, boxScores, {}},
        {"LineScore by GameID (empty filter)", b.Text9, "", b.Command11, b.MSHFlexGrid1, 0, lineScoreById, "%%"},
        {"LineScore by GameID \"0704\"", b.Text9, "0704", b.Command11, b.MSHFlexGrid1, 0, lineScoreById, "%0704%"},
        {"Batting: data by player (empty filter)", b.Text1, "", b.Command5, b.MSHFlexGrid2, 1, batting, "%"},
        {"Batting: data by player \"Batter 3_\"", b.Text1, "Batter 3_", b.Command5, b.MSHFlexGrid2, 1, batting,
         "Batter 3_%"},
        {"Batting: data by team \"O'Team F\"", b.Text2, "O'Team F", b.Command3, b.MSHFlexGrid2, 1, battingByTeam,
         "O'Team F%"},
        {"Batting: data by GameID \"0704\"", b.Text7, "0704", b.Command9, b.MSHFlexGrid2, 1, battingById, "%0704%"},
        {"Pitching: data by player (empty filter)", b.Text3, "", b.Command2, b.MSHFlexGrid3, 2, pitching, "%"},
        {"Pitching: data by team \"Team B\"", b.Text4, "Team B", b.Command1, b.MSHFlexGrid3, 2, pitchingByTeam,
         "Team B%"},
        {"Pitching: data by GameID \"0704\"", b.Text8, "0704", b.Command10, b.MSHFlexGrid3, 2, pitchingById,
         "%0704%"},
    };
    std::printf("views, from the click until painted:\n");
    for (const Query& q : queries) {
        if (q.filter)
            q.filter->setText(QString::fromUtf8(q.text));
        b.SSTab1->setCurrentIndex(q.tab);
        settle();
        PaintCounter counter;
        q.grid->viewport()->installEventFilter(&counter);
        const Figures f = timed([&] {
            q.button->click();
            settle();
        });
        q.grid->viewport()->removeEventFilter(&counter);
        print(q.name, f, q.grid->rows() - 1);
        std::printf("    paints of the grid per click: %.1f\n", double(counter.paints) / Runs);
        reference(sqliteRead({{q.statement, q.param}}));
    }

    // Sorting the largest grid: every row of the batting table.
    b.SSTab1->setCurrentIndex(1);
    b.Text1->clear();
    b.Command5->click();
    settle();
    GridModel& m = b.MSHFlexGrid2->model();
    std::printf("sorting %d batting rows (then painted):\n", m.rows() - 1);
    const struct {
        const char* name;
        int col;
        bool numeric;
    } sorts[] = {{"by Batter (text)", 1, false}, {"by AB (numbers)", 10, true}, {"by Team (text)", 11, false},
                 {"by GameID (text)", 12, false}, {"by GameID (numbers)", 12, true}};
    for (const auto& s : sorts) {
        for (bool ascending : {true, false}) {
            const Figures f = timed(
                [&] {
                    m.sortRows(s.col, ascending, s.numeric);
                    b.MSHFlexGrid2->repaint();
                },
                5);
            print(QStringLiteral("  %1 %2").arg(QLatin1String(s.name), ascending ? QStringLiteral("ascending")
                                                                                 : QStringLiteral("descending"))
                      .toUtf8()
                      .constData(),
                  f);
        }
    }
    reference(sqliteRead({{QStringLiteral("SELECT * FROM Batting ORDER BY Batter COLLATE NOCASE"), QString()}}));

    if (!ui.programErrors().isEmpty())
        std::printf("unexpected Program Error boxes: %s\n", ui.programErrors().join(QStringLiteral(" | ")).toUtf8().constData());
    return 0;
}

// Times "SAVE TO DB": a full nine-inning game (two lineups of nine plus
// bench players, four pitchers) saved into a statistics database that
// already holds thousands of games, from the click to the success message.
// Prints the median.
#include "board/form1.h"
#include "platform/database.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"
#include "support/sheet_helpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int EarlierGames = 3000;
constexpr int Runs = 21;

QVariant n(int v)
{
    return QVariant(qlonglong(v));
}

// Earlier games as the save writes them: 22 batters, 4 pitchers, 2 line
// scores, 2 win/loss rows and a matchup each.
void fillDatabase()
{
    db::Connection conn;
    conn.transaction([&] {
        for (int g = 0; g < EarlierGames; ++g) {
            const QString id = QStringLiteral("%1%2").arg(1 + g % 12, 2, 10, QChar('0')).arg(g, 10, 10, QChar('0'));
            const QString vis = QStringLiteral("Team %1").arg(g % 16);
            const QString home = QStringLiteral("Team %1").arg((g + 5) % 16);
            for (int b = 0; b < 22; ++b)
                conn.insert("Batting", {{"Batter", QStringLiteral("Player %1").arg(b + 100 * (g % 16))},
                                        {"K", n(b % 2)}, {"BB", n(b % 3 == 0)}, {"1B", n(1)}, {"HR", n(b % 7 == 0)},
                                        {"AB", n(4)}, {"Team", b < 11 ? vis : home}, {"GameID", id}});
            for (int p = 0; p < 4; ++p)
                conn.insert("Pitching", {{"Pitcher", QStringLiteral("Arm %1").arg(p + 10 * (g % 16))}, {"K", n(5)},
                                         {"Hits", n(4)}, {"Runs", n(2)}, {"IP", 4.5},
                                         {"Team", p < 2 ? vis : home}, {"GameID", id}});
            for (int side = 0; side < 2; ++side) {
                std::vector<std::pair<QString, QVariant>> f{{"Team", side ? home : vis}};
                for (int i = 1; i <= 9; ++i)
                    f.emplace_back(QStringLiteral("I%1").arg(i), n(i % 3 == 0));
                f.emplace_back("Runs", n(3));
                f.emplace_back("Hits", n(8));
                f.emplace_back("Errors", n(1));
                f.emplace_back("Host", side ? "b_HOME" : "a_VIS");
                f.emplace_back("GameID", id);
                conn.insert("BoxScores", f);
                conn.insert("WinLoss", {{"Team", side ? home : vis}, {side ? "Win" : "Loss", n(1)}});
            }
            conn.insert("Matchups", {{"Matchup", vis + "  vs  " + home}, {"Tally", n(1)}});
        }
    });
}

}  // namespace

int main(int argc, char** argv)
{
    testenv::preferOffscreen();
    QApplication app(argc, argv);
    TempProgramFolder folder;
    ScriptedInteraction ui;
    fillDatabase();

    Form1 board;
    board.Form_Load();
    using namespace sheet_test;
    setUpNineInningGame(board, QStringLiteral("Harbor Cats"), QStringLiteral("Mill Town"));
    for (int row = 10; row <= 11; ++row) {
        statsGrid(board, Side::Visitors)->setTextMatrix(row, 1, QStringLiteral("Bench %1").arg(row));
        statsGrid(board, Side::Visitors)->setTextMatrix(row, 18, QStringLiteral("1"));
    }
    setPitching(board, Side::Visitors, 2, QStringLiteral("Vis Relief"), {"2", "1", "3", "", "1"}, QStringLiteral("3.33"));
    setPitching(board, Side::Home, 2, QStringLiteral("Home Relief"), {"1", "", "2", "1", "1"}, QStringLiteral("2.67"));
    board.ConstantUpdate();
    Form2& sheet = *board.statsSheet();

    std::vector<double> ms;
    for (int run = 0; run < Runs; ++run) {
        // Each run saves the same game afresh, crediting the current pitchers again.
        sheet.grd_VisStats->setTextMatrix(1, 17, QString());
        sheet.grd_HomeStats->setTextMatrix(1, 17, QString());
        sheet.Command2->setEnabled(true);
        ui.answerMsgBox(QMessageBox::Yes);
        ui.clear();
        QElapsedTimer t;
        t.start();
        sheet.Command2->click();
        ms.push_back(t.nsecsElapsed() / 1e6);
        if (ui.messages().value(1) != QLatin1String("Data successfully recorded")) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(ui.messages().join(" | ")));
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("save a game (%d batting, %d pitching rows) into a database of %d games: median %.1f ms "
                "(min %.1f, max %.1f, %d runs)\n",
                20, 4, EarlierGames, ms[ms.size() / 2], ms.front(), ms.back(), Runs);
    return 0;
}

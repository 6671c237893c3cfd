// Times recording a play on the board: a click on an outcome label through
// to its last notice, with the sheet, the line score, the event log and any
// third out. Prints the median and the 95th percentile over many plays of a
// long game, and the median of a third out beside that of an ordinary play
// (any other play), its floor.
#include "board_bench.h"
#include "board/form1.h"
#include "board/game_rules.h"
#include "support/game_helpers.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    testenv::pinForTests();
    QApplication app(argc, argv);
    const int plays = argc > 1 ? std::max(10, atoi(argv[1])) : 3000;

    TempProgramFolder folder;
    ScriptedInteraction ui;
    Form1 board;
    if (!board.Form_Load())
        return 1;
    board.show();
    gamehelp::standardGame(board);

    ClickLabel* cycle[] = {board.lbl_Single, board.lbl_GO, board.lbl_BB,  board.lbl_K,  board.lbl_FO,
                           board.lbl_Double, board.lbl_PO, board.lbl_RBI, board.lbl_LO, board.lbl_Homer};
    std::vector<double> micros, thirdOuts, ordinary;
    micros.reserve(static_cast<size_t>(plays));
    for (int i = 0; i < plays; ++i) {
        // A new half-inning: the side now at bat picks its batter.
        const bool visitors = board.Option5->isChecked();
        ListBox* list = visitors ? board.List1 : board.List2;
        if (game::entryName(list->itemText(list->listIndex())) != board.lbl_Selected->text()
            || list->listIndex() < 0)
            gamehelp::pick(board, visitors, std::max(0, list->listIndex()));
        // Past the innings limit the user would score by hand; start over.
        if (board.tb_OutsCount->text() == QLatin1String("120"))
            board.tb_OutsCount->setText(QStringLiteral("0"));
        ClickLabel* label = cycle[static_cast<size_t>(i) % std::size(cycle)];
        const QString outsBefore = board.tb_OutsCount->text();
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(label, Qt::LeftButton);
        const double us = static_cast<double>(t.nsecsElapsed()) / 1000.0;
        micros.push_back(us);
        (board.tb_OutsCount->text() != outsBefore ? thirdOuts : ordinary).push_back(us);
        if (ui.prompts.size() > 64)
            ui.clear();
    }
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double p95 = sorted[sorted.size() * 95 / 100];
    std::printf("recording a play: median %.1f us, 95th percentile %.1f us over %d plays\n",
                median, p95, plays);
    if (!thirdOuts.empty() && !ordinary.empty()) {
        const double third = ::median(thirdOuts), plain = ::median(ordinary);
        std::printf("a third out: median %.1f us over %zu; floor (an ordinary play) median %.1f us over %zu; "
                    "ratio %.2f\n",
                    third, thirdOuts.size(), plain, ordinary.size(), third / plain);
    }
    return 0;
}

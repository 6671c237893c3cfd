// Times recording a play on the board: a click on an outcome label through
// to its last notice, with the sheet, the line score, the event log and any
// third out. Prints the median and the 95th percentile over many plays of a
// long game, and the median of a third out beside that of an ordinary play
// (any other play), its floor. The floor of a play: a click on a bare button
// whose handler shows a bare dialog of the notice's size through the same
// interaction, timed as many times after the plays. Runs offscreen, then again under a virtual X
// server where the machine has Xvfb: only a window system makes the notice's
// native window, and a user's plays have one.
#include "board_bench.h"
#include "board/form1.h"
#include "board/game_rules.h"
#include "support/game_helpers.h"
#include "platform/interaction.h"
#include "platform/twips.h"
#include "support/xvfb.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A bare dialog that keeps its native window when closed, as the notice does.
class BareNotice : public QDialog {
protected:
    void closeEvent(QCloseEvent* e) override
    {
        QDialog::closeEvent(e);
        e->ignore();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    BenchSetup bench(argc, argv);
    ScriptedInteraction& ui = bench.ui;
    const int plays = argc > 1 ? std::max(10, atoi(argv[1])) : 3000;
    std::printf("platform %s:\n", qPrintable(QGuiApplication::platformName()));

    Form1 board;
    if (!board.Form_Load())
        return 1;
    board.show();
    gamehelp::standardGame(board);

    BareNotice bareNotice;
    bareNotice.setFixedSize(twips::toPx(6015), twips::toPx(2415));
    QPushButton bareButton(QStringLiteral("play"));
    QObject::connect(&bareButton, &QPushButton::clicked, [&] { platform::interaction().showModal(bareNotice); });
    bareButton.show();
    std::vector<double> floors;

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
    // The floor after the plays: in turns with them, its windows' traffic
    // would land in the plays' figures.
    for (int i = 0; i < plays; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(&bareButton, Qt::LeftButton);
        floors.push_back(static_cast<double>(t.nsecsElapsed()) / 1000.0);
    }
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double p95 = sorted[sorted.size() * 95 / 100];
    std::sort(floors.begin(), floors.end());
    const double floorMedian = floors[floors.size() / 2], floorP95 = floors[floors.size() * 95 / 100];
    std::printf("recording a play: median %.1f us, 95th percentile %.1f us over %d plays\n",
                median, p95, plays);
    std::printf("floor (a bare button showing a bare dialog): median %.1f us, 95th percentile %.1f us; ratio "
                "median %.2f, 95th percentile %.2f\n",
                floorMedian, floorP95, median / floorMedian, p95 / floorP95);
    if (!thirdOuts.empty() && !ordinary.empty()) {
        const double third = ::median(thirdOuts), plain = ::median(ordinary);
        std::printf("a third out: median %.1f us over %zu; floor (an ordinary play) median %.1f us over %zu; "
                    "ratio %.2f\n",
                    third, thirdOuts.size(), plain, ordinary.size(), third / plain);
    }
    std::fflush(stdout);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        return 0;
    const XvfbServer x;
    if (!x.running()) {
        std::printf("platform xcb: not measured (no Xvfb on this machine)\n");
        return 0;
    }
    const ChildRun run = runSelfOn(x, {QString::number(plays)}, 600000);
    std::printf("%s", run.output.constData());
    return run.exitCode;
}

// Times one mouse move over the board's surfaces when no colour changes (the
// common case: the pointer crossing the background with every label at
// rest), through Qt's whole delivery of the event, and, for comparison, a
// move that lights a label and a move that puts all seventeen outcome labels
// back to rest. Prints medians per move.
#include "board_bench.h"
#include "board/form1.h"
#include "support/board_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void moveOver(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Median milliseconds of one run of the step, the preparation untimed.
double timed(int runs, const std::function<void()>& prepare, const std::function<void()>& step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSetup bench(argc, argv);
    StartedBoard started;
    Form1& board = started.board;
    // Lineups as in a game, so the nudge has lists to scroll.
    for (ListBox* l : {board.List1, board.List2})
        for (int i = 0; i < 12; ++i)
            l->addItem(QStringLiteral("Player %1=POS").arg(i));
    QApplication::processEvents();

    const int runs = 2000;
    const QPoint field(5, board.Picture1->height() - 5);
    auto nothing = [] {};
    const double picture = timed(runs, nothing, [&] { moveOver(board.Picture1, field); });
    const double panel = timed(runs, nothing, [&] { moveOver(board.pb_Res, {2, 2}); });
    const double frame = timed(runs, nothing, [&] { moveOver(board.Frame3, {2, 2}); });
    const double onLit = timed(runs, nothing, [&] { moveOver(board.lbl_K, {3, 3}); });
    const double lighting = timed(runs / 4, [&] { moveOver(board.Picture1, field); },
                                  [&] { moveOver(board.lbl_K, {3, 3}); });
    auto lightAll = [&] {
        for (ClickLabel* l : {board.lbl_Single, board.lbl_Double, board.lbl_Triple, board.lbl_Homer, board.lbl_BB,
                              board.lbl_K, board.lbl_GO, board.lbl_FO, board.lbl_LO, board.lbl_PO, board.lbl_FC,
                              board.lbl_DP, board.lbl_Pick, board.lbl_AB, board.lbl_RBI, board.lbl_SB, board.lbl_STATS})
            moveOver(l, {3, 3});
    };
    const double resetAll = timed(runs / 10, lightAll, [&] { moveOver(board.Picture1, field); });

    std::printf("board %dx%d (platform %s), %d moves each\n", board.width(), board.height(),
                qgetenv("QT_QPA_PLATFORM").constData(), runs);
    std::printf("move over the background, nothing changes:   median %.4f ms\n", picture);
    std::printf("move over the play panel, nothing changes:   median %.4f ms\n", panel);
    std::printf("move over the top frame, nothing changes:    median %.4f ms\n", frame);
    std::printf("move over a label already lit:               median %.4f ms\n", onLit);
    std::printf("move that lights one label:                  median %.4f ms\n", lighting);
    std::printf("move that puts 17 lit labels back to rest:   median %.4f ms\n", resetAll);
    return bench.ui.programErrors().isEmpty() ? 0 : 1;
}

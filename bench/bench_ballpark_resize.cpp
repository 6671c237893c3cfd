// Times a resize of the board with its ballpark background at full-HD size:
// the board alternates between two widths at its kept proportion, so every
// resize lays the board out again and scales the picture once. Also times a
// repaint without a size change, which only copies pixels. Prints medians.
#include "board_bench.h"
#include "board/form1.h"
#include "support/board_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    BenchSetup bench(argc, argv);
    StartedBoard started;
    Form1& board = started.board;
    // About the board's size on a 1920 x 1080 screen, and a little narrower.
    const int widths[2] = {1720, 1640};
    resizeKeepingRatio(board, widths[0]);
    QApplication::processEvents();

    std::vector<double> resize, paintAfterResize, paintOnly;
    for (int run = 0; run < 50; ++run) {
        QElapsedTimer t;
        t.start();
        resizeKeepingRatio(board, widths[(run + 1) % 2]);
        resize.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        board.repaint();
        paintAfterResize.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        board.Picture1->repaint();
        paintOnly.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("board %dx%d, background %dx%d (platform %s)\n", board.width(), board.height(),
                board.Picture1->width(), board.Picture1->height(), qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("resize (layout, pieces, background scaled): median %.2f ms over %zu resizes\n", median(resize),
                resize.size());
    std::printf("repaint of the whole board after a resize: median %.2f ms\n", median(paintAfterResize));
    std::printf("repaint of the background and its controls, same size: median %.2f ms\n", median(paintOnly));
    return bench.ui.programErrors().isEmpty() ? 0 : 1;
}

// Times start-up: from constructing the board to the board shown and painted,
// over a program folder laid out by the generator. Prints the median.
#include "board/form1.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    testenv::preferOffscreen();
    QApplication app(argc, argv);
    TempProgramFolder folder;
    ScriptedInteraction ui;
    std::vector<double> ms;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer t;
        t.start();
        auto board = std::make_unique<Form1>();
        board->Form_Load();
        board->show();
        board->repaint();
        QApplication::processEvents();
        ms.push_back(t.nsecsElapsed() / 1e6);
        board.reset();
        QApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start-up to board shown: median %.1f ms (min %.1f, max %.1f, %zu runs, platform %s)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size(), qgetenv("QT_QPA_PLATFORM").constData());
    return 0;
}

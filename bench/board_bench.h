#pragma once
// What the board's benchmark programs share: the median of a run of timings
// and a board started as the program starts it, over a temporary program
// folder with the scripted interaction (no prompt ever blocks a run).
#include "board/form1.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"

#include <QApplication>
#include <algorithm>
#include <vector>

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct StartedBoard {
    TempProgramFolder folder;
    ScriptedInteraction ui;
    Form1 board;

    StartedBoard()
    {
        board.Form_Load();
        board.show();
        QApplication::processEvents();
    }
};

#pragma once
// What the board's benchmark programs share: a board started as the program
// starts it, over the bench's temporary program folder.
#include "bench_setup.h"
#include "board/form1.h"

#include <QApplication>

struct StartedBoard {
    Form1 board;

    StartedBoard()
    {
        board.Form_Load();
        board.show();
        QApplication::processEvents();
    }
};

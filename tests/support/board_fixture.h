#pragma once
// A board over a temporary program folder, with the scripted interaction
// installed, loaded as at start-up (hidden event log and sheet).
#include "board/form1.h"
#include "board/notices.h"
#include "stats_sheet/form2.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"

#include <gtest/gtest.h>
#include <memory>

// Resizes the board to a new width at its kept proportion, so the resize
// step asks for no second height of its own.
void resizeKeepingRatio(Form1& board, int width);

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Form2& sheet() { return *board->statsSheet(); }
    Options& log() { return *board->eventLog(); }
    // Clicks a label or widget as the user would (left button).
    static void click(QWidget* w);
    static void doubleClick(QWidget* w);

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedInteraction> ui;
    std::unique_ptr<Form1> board;
};

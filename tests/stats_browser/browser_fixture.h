#pragma once
// The browser over a temporary program folder with the scripted interaction
// installed; a plain window stands in for the board it centres over.
#include "platform/grid.h"
#include "stats_browser/form4.h"
#include "support/browser_helpers.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::make_unique<TempProgramFolder>();
        ui = std::make_unique<ScriptedInteraction>();
        board = std::make_unique<QWidget>();
        board->setGeometry(120, 90, 1500, 1000);
    }
    void TearDown() override
    {
        board.reset();  // takes the browser with it
        ui->failOnUnexpectedAlarms();
        ui.reset();
        folder.reset();
    }

    // Loads the browser (as the menu does) and shows it.
    Form4& open()
    {
        if (!browser)
            browser = new Form4(board.get());
        browser->Form_Load();
        browser->show();
        return *browser;
    }

    // Clicks a button on its tab as the user would.
    void click(QPushButton* b)
    {
        for (int i = 0; i < browser->SSTab1->count(); ++i)
            if (browser->SSTab1->widget(i)->isAncestorOf(b))
                browser->SSTab1->setCurrentIndex(i);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }

    // The texts of one column's data rows, top to bottom.
    static QStringList column(const Grid& g, int col)
    {
        QStringList out;
        for (int r = 1; r < g.rows(); ++r)
            out << g.textMatrix(r, col);
        return out;
    }
    // The texts of one row, columns 1 to last.
    static QStringList row(const Grid& g, int r)
    {
        QStringList out;
        for (int c = 1; c < g.cols(); ++c)
            out << g.textMatrix(r, c);
        return out;
    }

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedInteraction> ui;
    std::unique_ptr<QWidget> board;
    Form4* browser = nullptr;
};

#include "support/board_fixture.h"

#include <QTest>

void BoardTest::SetUp()
{
    folder = std::make_unique<TempProgramFolder>();
    ui = std::make_unique<ScriptedInteraction>();
    board = std::make_unique<Form1>();
    ASSERT_TRUE(board->Form_Load());
    board->show();
    ui->clear();
}

void BoardTest::TearDown()
{
    board.reset();
    ui.reset();
    folder.reset();
}

void BoardTest::click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void BoardTest::doubleClick(QWidget* w)
{
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

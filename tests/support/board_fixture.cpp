#include "support/board_fixture.h"

#include "presentation/control_resizer.h"

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
    ui->failOnUnexpectedAlarms();
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

void resizeKeepingRatio(Form1& board, int width)
{
    const QRect outer = board.frameGeometry();
    const int frameHeight = outer.height() - board.height();
    const int outerWidth = width + outer.width() - board.width();
    board.resize(width, layout::toWhole(float(outerWidth) * board.resizer().keptProportion(&board)) - frameHeight);
}

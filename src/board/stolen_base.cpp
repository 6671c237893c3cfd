// Stolen bases: a Ctrl+click on the runner's piece credits him; the "SB"
// label only explains how.
#include "board/form1.h"
#include "board/runners.h"
#include "board/sheet_lookup.h"
#include "platform/grid.h"
#include "platform/interaction.h"

void Form1::lbl_SB_Click()
{
    platform::interaction().msgBox(
        QStringLiteral("To record a stolen base:\r\n\r\n"
                       "Hold down CTRL key, then click on the top half of the runner who stole the base."),
        QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Information);
}

void Form1::pb_Player_Click(int piece)
{
    if (piece < 1 || piece > 4)
        return;
    const board::PlayControls p = play();
    // A drag ends with a release over the piece; it is not a click.
    if (p.pieces.dragged(piece))
        return;
    // A piece showing nobody picks nobody, whatever name it last held.
    const QString runner = p.pieces.pb_Player[static_cast<size_t>(piece - 1)]->hiddenText;
    if (p.pieces.isFree(piece) || runner.isEmpty())
        return;
    p.stealRunner.setText(runner);
    if (p.pieces.releaseShift(piece) & 2) {
        StealRunnerIndex = piece;
        StolenBase(piece);
    }
}

void Form1::StolenBase(int pieceIndex)
{
    if (GameAlreadySaved() || !PlayGuard())
        return;
    if (pieceIndex < 1 || pieceIndex > 4)
        return;
    const board::PlayControls p = play();
    Grid* g = p.statsGrid(p.battingSide());
    const QString runner = p.pieces.pb_Player[static_cast<size_t>(pieceIndex - 1)]->hiddenText;
    const int row = board::findRow(g, board::col::Batter, runner);
    if (row <= 0) {
        notices.show(QStringLiteral("Runner not found on the Stats sheet. Nothing recorded."));
        return;
    }
    AppendEventLogLine(p.stealRunner.text(), QStringLiteral("_____SB"));
    ChangeOfState();
    board::countBatter(g, row, board::col::BatSB);
    EventMessage();
}

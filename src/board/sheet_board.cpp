// The board as the statistics sheet sees it.
#include "board/form1.h"

using board::Side;

void Form1::sheetClicked()
{
    ConstantUpdate();
}

QString Form1::selectedLineupEntry(Side s) const
{
    const ListBox* list = side(s).lineup;
    return list->itemText(list->listIndex());
}

QString Form1::currentPitcher(Side s) const
{
    return side(s).pitcher->text();
}

QString Form1::lineScoreRuns(Side s) const
{
    return lineScore.runs(s)->text();
}

void Form1::pitcherSaved(Side s, const QString& pitcher)
{
    side(s).pitcherPhoto->clearPicture();
    side(s).pitcher->hiddenText = pitcher;
}

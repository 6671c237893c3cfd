// The board as the statistics sheet sees it.
#include "board/form1.h"

void Form1::sheetClicked()
{
    ConstantUpdate();
}

QString Form1::selectedLineupEntry(bool visitors) const
{
    const ListBox* list = side(visitors).lineup;
    return list->itemText(list->listIndex());
}

QString Form1::currentPitcher(bool visitors) const
{
    return side(visitors).pitcher->text();
}

QString Form1::lineScoreRuns(bool visitors) const
{
    return side(visitors).lineScore[20]->text();
}

void Form1::pitcherSaved(bool visitors, const QString& pitcher)
{
    side(visitors).pitcherPhoto->clearPicture();
    side(visitors).pitcher->hiddenText = pitcher;
}

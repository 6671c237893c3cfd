// The board as the statistics sheet sees it.
#include "board/form1.h"

void Form1::sheetClicked()
{
    ConstantUpdate();
}

QString Form1::selectedLineupEntry(bool visitors) const
{
    const ListBox* list = visitors ? List1 : List2;
    return list->itemText(list->listIndex());
}

QString Form1::currentPitcher(bool visitors) const
{
    return (visitors ? lbl_VisPitcher : lbl_HomePitcher)->text();
}

QString Form1::lineScoreRuns(bool visitors) const
{
    return (visitors ? tb_BoxScore : tb_BoxScoreBottom)[20]->text();
}

void Form1::pitcherSaved(bool visitors, const QString& pitcher)
{
    (visitors ? img_VisPitch : img_HomePitch)->clearPicture();
    (visitors ? lbl_VisPitcher : lbl_HomePitcher)->hiddenText = pitcher;
}

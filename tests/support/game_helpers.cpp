#include "support/game_helpers.h"

#include "board/form1.h"
#include "board/game_rules.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"

namespace gamehelp {

QStringList lineup(const QString& prefix, int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("%1%2=P%2").arg(prefix).arg(i);
    return out;
}

Grid& grid(Form1& board, bool visitors)
{
    return visitors ? *board.statsSheet()->grd_VisStats : *board.statsSheet()->grd_HomeStats;
}

QString cell(Form1& board, bool visitors, int row, int col)
{
    return grid(board, visitors).textMatrix(row, col);
}

void fillSide(Form1& board, bool visitors, const QStringList& entries)
{
    ListBox* list = visitors ? board.List1 : board.List2;
    list->clear();
    list->addItems(entries);
    Grid& g = grid(board, visitors);
    for (int i = 0; i < entries.size(); ++i) {
        g.setTextMatrix(i + 1, 1, game::entryName(entries.at(i)));
        if (i < 9)
            g.setTextMatrix(i + 1, 18, QStringLiteral("1"));
    }
}

void setPitcher(Form1& board, bool visitors, const QString& name, int row)
{
    (visitors ? board.lbl_VisPitcher : board.lbl_HomePitcher)->setText(name);
    grid(board, visitors).setTextMatrix(row, 11, name);
}

void atBat(Form1& board, bool visitors)
{
    (visitors ? board.Option5 : board.Option6)->setChecked(true);
}

void pick(Form1& board, bool visitors, int row)
{
    (visitors ? board.List1 : board.List2)->setListIndex(row);
}

void standardGame(Form1& board)
{
    fillSide(board, true, lineup(QStringLiteral("V"), 9));
    fillSide(board, false, lineup(QStringLiteral("H"), 9));
    setPitcher(board, true, QStringLiteral("VP"));
    setPitcher(board, false, QStringLiteral("HP"));
    atBat(board, true);
    pick(board, true, 0);
}

unsigned backColor(const QObject* w)
{
    return w->property("backColor").toUInt();
}

}  // namespace gamehelp

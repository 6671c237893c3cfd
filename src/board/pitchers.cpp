// Pitching changes: the pitcher labels, the pitchers listed on the sheet,
// the innings credited to the outgoing pitcher, and the pitchers' photos.
#include "board/form1.h"
#include "board/game_rules.h"
#include "board/sheet_lookup.h"
#include "common/numbers.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "presentation/photos.h"
#include "stats_sheet/form2.h"
#include "stats_sheet/innings.h"
#include "stats_sheet/sheet_columns.h"

namespace {

namespace col = sheet::col;
constexpr int LastPlayerRow = 49;

Grid* pitchingGrid(const Form1& board, bool visitors)
{
    Grid* grid = board.side(visitors).stats;
    if (!grid)
        errors::raise(errors::InvalidCall);
    return grid;
}

}  // namespace

void Form1::lbl_VisPitcher_DblClick()
{
    changePitcher(true);
}

void Form1::lbl_HomePitcher_DblClick()
{
    changePitcher(false);
}

void Form1::changePitcher(bool visitors)
{
    ListBox* list = side(visitors).lineup;
    ClickLabel* label = side(visitors).pitcher;
    QLabel* batterIndex = side(visitors).batterIndex;
    const int selected = list->listIndex();
    const QString entry = selected >= 0 ? list->itemText(selected) : QString();
    if (entry.isEmpty())
        return;

    side(visitors).pitcherPhoto->clearPicture();
    label->hiddenText = label->text();
    const QString name = game::entryName(entry);
    label->setText(name);

    if (!name.isEmpty()) {
        Grid* grid = pitchingGrid(*this, visitors);
        for (int row = 1; row <= LastPlayerRow; ++row) {
            const QString listed = grid->textMatrix(row, col::Pitcher);
            if (listed == name)
                break;
            if (listed.isEmpty()) {
                grid->setTextMatrix(row, col::Pitcher, name);
                break;
            }
        }
    }

    // A sheet cell the credit cannot read is reported; the change goes on.
    guarded([this, visitors] { CalcPitcherIP(visitors); });

    if (!batterIndex->text().isEmpty()) {
        const int row = static_cast<int>(num::Val(batterIndex->text()));
        if (row >= 0 && row < list->count())
            list->setListIndex(row);
    }
    AppendEventLogLine(label->text(), QStringLiteral("_____[current pitcher]"));
}

void Form1::CalcPitcherIP(bool visitorsLabel)
{
    // The outgoing pitcher of the label's own side is credited with the outs
    // his side made in the field: the other side's completed half-innings,
    // and the outs of the half-inning in progress while that side bats.
    const QString outgoing = side(visitorsLabel).pitcher->hiddenText;
    if (outgoing.isEmpty())
        return;
    const double outs = outsInTheField(visitorsLabel);

    Grid* grid = pitchingGrid(*this, visitorsLabel);
    const int own = board::findRow(grid, col::Pitcher, outgoing);
    if (own < 0)
        return;
    QStringList others;
    for (int row = 1; row <= LastPlayerRow; ++row)
        if (row != own)
            others << grid->textMatrix(row, col::IP);
    const innings::Units credit = innings::creditLeft(outs, others);
    grid->setTextMatrix(own, col::IP, innings::text(credit));
    if (Form2* sheet = statsSheet())
        sheet->inningsCredited(grid, own);
}

double Form1::outsInTheField(bool visitorsFielding) const
{
    const auto& battingHalves = side(!visitorsFielding).lineScore;
    const bool otherSideAtBat = side(!visitorsFielding).atBat->isChecked();
    int completed = 0;
    for (size_t i = 0; i < 20; ++i)
        if (battingHalves[i]->completed())
            ++completed;
    // A typed third out has already completed its half-inning and handed the
    // bat over, while OUTS still reads "3": those outs are in the completed
    // box of the other side, not in a half-inning of the side now fielding.
    const double inProgress = num::Val(tb_OUT->text());
    const bool countsNow = otherSideAtBat && inProgress > 0 && inProgress < 3;
    return 3.0 * completed + (countsNow ? inProgress : 0.0);
}

void Form1::refreshPitcherPhotos()
{
    const QString folder = lbl_PhotoPath->text();
    if (!lbl_VisPitcher->text().isEmpty())
        photos::refreshPhoto(*img_VisPitch, folder, lbl_VisPitcher->text());
    if (!lbl_HomePitcher->text().isEmpty())
        photos::refreshPhoto(*img_HomePitch, folder, lbl_HomePitcher->text());
}

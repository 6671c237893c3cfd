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

using board::Side;

namespace {

namespace col = sheet::col;
constexpr int LastPlayerRow = 49;

Grid* pitchingGrid(const Form1& board, Side s)
{
    Grid* grid = board.side(s).stats;
    if (!grid)
        errors::raise(errors::InvalidCall);
    return grid;
}

}  // namespace

void Form1::changePitcher(Side s)
{
    ListBox* list = side(s).lineup;
    ClickLabel* label = side(s).pitcher;
    QLabel* batterIndex = side(s).batterIndex;
    const int selected = list->listIndex();
    const QString entry = selected >= 0 ? list->itemText(selected) : QString();
    if (entry.isEmpty())
        return;

    side(s).pitcherPhoto->clearPicture();
    label->hiddenText = label->text();
    const QString name = game::entryName(entry);
    label->setText(name);

    if (!name.isEmpty()) {
        Grid* grid = pitchingGrid(*this, s);
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
    guarded([this, s] { CalcPitcherIP(s); });

    if (!batterIndex->text().isEmpty()) {
        const int row = static_cast<int>(num::Val(batterIndex->text()));
        if (row >= 0 && row < list->count())
            list->setListIndex(row);
    }
    AppendEventLogLine(label->text(), QStringLiteral("_____[current pitcher]"));
}

void Form1::CalcPitcherIP(Side s)
{
    // The outgoing pitcher of the label's own side is credited with the outs
    // his side made in the field: the other side's completed half-innings,
    // and the outs of the half-inning in progress while that side bats.
    const QString outgoing = side(s).pitcher->hiddenText;
    if (outgoing.isEmpty())
        return;
    const double outs = outsInTheField(s);

    Grid* grid = pitchingGrid(*this, s);
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

double Form1::outsInTheField(Side fielding) const
{
    const SideControls batting = side(board::otherSide(fielding));
    const auto& battingHalves = batting.lineScore;
    const bool otherSideAtBat = batting.atBat->isChecked();
    int completed = 0;
    for (size_t i = 0; i < board::LineScorePanel::InningBoxes; ++i)
        if (battingHalves[i]->completed())
            ++completed;
    // A typed third out has already completed its half-inning and handed the
    // bat over, while OUTS still reads "3": those outs are in the completed
    // box of the other side, not in a half-inning of the side now fielding.
    const double inProgress = num::Val(tb_OUT->text());
    const bool countsNow = otherSideAtBat && inProgress > 0 && inProgress < 3;
    return 3.0 * completed + (countsNow ? inProgress : 0.0);
}

void board::SidePanel::refreshPitcherPhoto(const QString& folder) const
{
    if (!pitcher->text().isEmpty())
        photos::refreshPhoto(*pitcherPhoto, folder, pitcher->text());
}

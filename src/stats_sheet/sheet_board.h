#pragma once
// What the sheet needs of the board it belongs to, and all it sees of it:
// the board implements this, so the sheet never includes the board.
#include "common/side.h"

#include <QString>

class QWidget;

class SheetBoard {
public:
    // The window the sheet is centred over.
    virtual QWidget* boardWindow() = 0;
    // A click on the sheet brings the board's running figures up to date.
    virtual void sheetClicked() = 0;

    // What the save reads: the entry selected in a side's lineup ("" when
    // none), the side's current pitcher, the runs total of its line score.
    virtual QString selectedLineupEntry(board::Side s) const = 0;
    virtual QString currentPitcher(board::Side s) const = 0;
    virtual QString lineScoreRuns(board::Side s) const = 0;
    // Outs a side has made in the field: three per completed half-inning of
    // the other side, plus the outs of the half-inning in progress (0 to 2)
    // while the other side bats.
    virtual double outsInTheField(board::Side fielding) const = 0;

    // What a stored game writes back: the side's pitcher photo is cleared and
    // its current pitcher becomes the one a pitching change replaces.
    virtual void pitcherSaved(board::Side s, const QString& pitcher) = 0;

protected:
    ~SheetBoard() = default;
};

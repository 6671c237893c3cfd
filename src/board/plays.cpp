// The plays: hits, walks and strikeouts, the outs and the third out, and
// the charging of the fielding side's pitcher. A play checks everything it
// will need before it writes anything, so it is recorded whole or not at all.
#include "board/form1.h"
#include "board/game_rules.h"
#include "board/sheet_lookup.h"
#include "common/numbers.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/interaction.h"

using board::Side;

void Form1::wirePlays()
{
    const std::pair<ClickLabel*, void (Form1::*)()> plays[] = {
        {lbl_Single, &Form1::lbl_Single_Click}, {lbl_Double, &Form1::lbl_Double_Click},
        {lbl_Triple, &Form1::lbl_Triple_Click}, {lbl_Homer, &Form1::lbl_Homer_Click},
        {lbl_BB, &Form1::lbl_BB_Click},         {lbl_K, &Form1::lbl_K_Click},
        {lbl_GO, &Form1::lbl_GO_Click},         {lbl_FO, &Form1::lbl_FO_Click},
        {lbl_LO, &Form1::lbl_LO_Click},         {lbl_PO, &Form1::lbl_PO_Click},
        {lbl_FC, &Form1::lbl_FC_Click},         {lbl_DP, &Form1::lbl_DP_Click},
        {lbl_Pick, &Form1::lbl_Pick_Click},     {lbl_AB, &Form1::lbl_AB_Click},
        {lbl_SB, &Form1::lbl_SB_Click},
    };
    for (const auto& [label, handler] : plays)
        connect(label, &ClickLabel::Click, this, [this, h = handler] {
            guarded([this, h] {
                if (!GameAlreadySaved())
                    (this->*h)();
            });
        });
    for (int n = 1; n <= 4; ++n)
        connect(pb_Player[static_cast<size_t>(n - 1)], &ClickLabel::Click, this,
                [this, n] { guarded([this, n] { pb_Player_Click(n); }); });
}

// ---------------------------------------------------------------- checks and shared steps

bool Form1::OutsReadyForPlay()
{
    const auto outs = num::strictWhole(tb_OUT->text());
    if (!outs || *outs < 0 || *outs > 2) {
        ShowNotice(QStringLiteral("OUTS must be 0, 1 or 2. Nothing recorded."));
        return false;
    }
    if (!num::strict(tb_OutsCount->text())) {
        platform::interaction().msgBox(QStringLiteral("Only numbers 0 and higher are allowed. An error has occurred."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Warning);
        return false;
    }
    return true;
}

bool Form1::BatterOnSheet()
{
    const Side side = board::battingSide(*this);
    if (board::findRow(board::statsGrid(*this, side), board::col::Batter, lbl_Selected->text()) > 0)
        return true;
    ShowNotice(QStringLiteral("Batter not found on the Stats sheet. Nothing recorded."));
    return false;
}

bool Form1::PitcherOnSheet()
{
    const Side field = board::otherSide(board::battingSide(*this));
    const QLabel* pitcher = board::pitcherLabel(*this, field);
    if (pitcher && board::findRow(board::statsGrid(*this, field), board::col::Pitcher, pitcher->text()) > 0)
        return true;
    ShowNotice(QStringLiteral("Pitcher not found on the Stats sheet. Nothing recorded."));
    return false;
}

void Form1::LogPlay(const QString& literal)
{
    const Side side = board::battingSide(*this);
    if (side != Side::None)
        AppendEventLogLine(board::playSubject(*this, side), literal);
}

void Form1::RecordBatterCount(int column)
{
    const Side side = board::battingSide(*this);
    Grid* g = board::statsGrid(*this, side);
    const int row = board::findRow(g, board::col::Batter, lbl_Selected->text());
    if (row > 0)
        board::countBatter(g, row, column);
}

void Form1::AddOuts(int outs)
{
    const auto now = num::strict(tb_OUT->text());
    if (!now)
        return;
    outsSide_ = static_cast<int>(board::battingSide(*this));
    // The write ends the half-inning inside it at the third out.
    tb_OUT->setText(num::text(*now + outs));
}

// ---------------------------------------------------------------- hits, walks, strikeouts

void Form1::RecordHit(int batterColumn, const QString& literal, bool homeRun)
{
    if (!PlayGuard() || !BatterOnSheet() || !PitcherOnSheet())
        return;
    LogPlay(literal);
    RecordBatterCount(batterColumn);
    AssignHit(board::col::PitH);
    if (homeRun)
        AssignHR();
}

void Form1::lbl_Single_Click()
{
    RecordHit(board::col::Bat1B, QStringLiteral("_____1B"), false);
}

void Form1::lbl_Double_Click()
{
    RecordHit(board::col::Bat2B, QStringLiteral("_____2B"), false);
}

void Form1::lbl_Triple_Click()
{
    RecordHit(board::col::Bat3B, QStringLiteral("_____3B"), false);
}

void Form1::lbl_Homer_Click()
{
    RecordHit(board::col::BatHR, QStringLiteral("_____HR"), true);
}

void Form1::lbl_BB_Click()
{
    if (!PlayGuard() || !BatterOnSheet() || !PitcherOnSheet())
        return;
    LogPlay(QStringLiteral("_____BB"));
    RecordBatterCount(board::col::BatBB);
    AssignBB();
}

void Form1::lbl_K_Click()
{
    if (!PlayGuard() || !OutsReadyForPlay() || !BatterOnSheet() || !PitcherOnSheet())
        return;
    LogPlay(QStringLiteral("_____K"));
    RecordBatterCount(board::col::BatK);
    AssignK();
}

// ---------------------------------------------------------------- charging the fielding side
// Each routine decides the sides once, at entry: a third out inside it sets
// the other option, and the fielding pitcher must not change under it.

namespace {

// The fielding side's current pitcher's row, or -1.
int fieldingPitcherRow(const Form1& f, Side field, Grid** grid)
{
    *grid = board::statsGrid(f, field);
    const QLabel* pitcher = board::pitcherLabel(f, field);
    return pitcher ? board::findRow(*grid, board::col::Pitcher, pitcher->text()) : -1;
}

// Adds one to a count of the fielding side's current pitcher; false when he
// is not on his side's sheet (then nothing is counted).
bool chargeFieldingPitcher(Form1& f, Side batting, int column)
{
    Grid* g = nullptr;
    const int row = fieldingPitcherRow(f, board::otherSide(batting), &g);
    if (row <= 0)
        return false;
    board::countUp(g, row, column);
    return true;
}

}  // namespace

// column: the pitcher's count the hit raises (his "H").
void Form1::AssignHit(int column)
{
    const Side side = board::battingSide(*this);
    ChangeOfState();
    if (!chargeFieldingPitcher(*this, side, column))
        return;
    BoxScoreEdit* hits = Form1::side(side == Side::Visitors).lineScore[21];
    hits->setText(num::text(num::Val(hits->text()) + 1.0));
    HitRecordedMsg();
    AssignAtBat();
}

void Form1::AssignHR()
{
    const Side side = board::battingSide(*this);
    ChangeOfState();
    chargeFieldingPitcher(*this, side, board::col::PitHR);
}

void Form1::AssignBB()
{
    const Side side = board::battingSide(*this);
    ChangeOfState();
    AdvanceLineup();
    if (!chargeFieldingPitcher(*this, side, board::col::PitBB))
        return;
    EventMessage();
}

void Form1::AssignK()
{
    const Side side = board::battingSide(*this);
    ChangeOfState();
    if (!chargeFieldingPitcher(*this, side, board::col::PitK))
        return;
    if (!num::strict(tb_OUT->text()))
        return;
    AddOuts(1);
    OutRecordedMsg();
}

// ---------------------------------------------------------------- outs

void Form1::RecordOut(const QString& literal, int outs)
{
    if (!PlayGuard() || !OutsReadyForPlay() || !BatterOnSheet())
        return;
    LogPlay(literal);
    AddOuts(outs);
    OutRecordedMsg();
}

void Form1::lbl_GO_Click()
{
    RecordOut(QStringLiteral("_____GO"), 1);
}

void Form1::lbl_FO_Click()
{
    RecordOut(QStringLiteral("_____FO"), 1);
}

void Form1::lbl_LO_Click()
{
    RecordOut(QStringLiteral("_____LO"), 1);
}

void Form1::lbl_PO_Click()
{
    RecordOut(QStringLiteral("_____PO"), 1);
}

void Form1::lbl_DP_Click()
{
    if (!PlayGuard())
        return;
    if (num::Val(tb_OUT->text()) == 2) {
        ShowNotice(QStringLiteral("There are already 2 outs."));
        return;
    }
    if (!OutsReadyForPlay() || !BatterOnSheet())
        return;
    LogPlay(QStringLiteral("_____DP"));
    AddOuts(2);
    OutRecordedMsg();
}

void Form1::lbl_FC_Click()
{
    if (!LineupsLoaded())
        return;
    if (num::Val(tb_OUT->text()) == 2) {
        platform::interaction().msgBox(QStringLiteral("FC requires < 2 outs. Use GO if it's the 3rd out."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Information);
        return;
    }
    if (!PitchersAndBatterReady() || !OutsReadyForPlay() || !BatterOnSheet())
        return;
    // Refused at 2 outs, so this out never ends the half-inning and the log
    // line written after it still names the side that made it.
    AddOuts(1);
    LogPlay(QStringLiteral("_____FC"));
    AssignAtBat();
    ShowNotice(QStringLiteral("OUT recorded."));
}

void Form1::lbl_Pick_Click()
{
    if (!PlayGuard() || !OutsReadyForPlay())
        return;
    LogPlay(QStringLiteral("_____TO"));
    AddOuts(1);
    ShowNotice(QStringLiteral("OUT recorded."));
    if (num::Val(tb_OUT->text()) != 3)
        return;
    ShowNotice(QStringLiteral("END OF INNING."));
    ClearBases();
    AppendHalfInningMarker();
    tb_OUT->setText(QStringLiteral("0"));
}

void Form1::lbl_AB_Click()
{
    if (!LineupsLoaded())
        return;
    // No pitcher is required, but a batter of the side at bat is: an at-bat
    // charged to nobody is no at-bat.
    const Side side = board::battingSide(*this);
    const QString batter = lbl_Selected->text();
    if (batter.isEmpty() || side == Side::None || !board::lineupHoldsName(board::lineup(*this, side), batter)) {
        ShowNotice(QStringLiteral("No batter is at the plate: pick the batter first. Nothing recorded."));
        return;
    }
    if (!BatterOnSheet())
        return;
    LogPlay(QStringLiteral("_____AB [ERR]"));
    AssignAtBat();
    ShowNotice(QStringLiteral("At-Bat recorded."));
}

void Form1::OutRecordedMsg()
{
    ShowNotice(QStringLiteral("OUT recorded."));
    const QString batter = lbl_Selected->text();
    if (!batter.isEmpty())
        for (int n = 1; n <= 4; ++n)
            if (pb_Player[static_cast<size_t>(n - 1)]->hiddenText == batter)
                ClearPiece(n, false);
    if (num::Val(tb_OUT->text()) == 3) {
        ShowNotice(QStringLiteral("END OF INNING."));
        ClearBases();
        AppendHalfInningMarker();
        board::chargeAtBat(*this, static_cast<Side>(outsSide_));
        tb_OUT->setText(QStringLiteral("0"));
        return;
    }
    AssignAtBat();
}

void Form1::HitRecordedMsg()
{
    ShowNotice(QStringLiteral("HIT recorded."));
}

// The plays: hits, walks and strikeouts, the outs and the third out, and
// the charging of the fielding side's pitcher. A play checks everything it
// will need before it writes anything, so it is recorded whole or not at all.
// What a play reads and writes on the board it reaches through the board's
// play controls.
#include "board/form1.h"
#include "board/game_rules.h"
#include "board/sheet_lookup.h"
#include "common/numbers.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/interaction.h"

using board::PlayControls;
using board::Side;

void board::wirePlays(Form1& f)
{
    const std::pair<ClickLabel*, void (Form1::*)()> plays[] = {
        {f.lbl_Single, &Form1::lbl_Single_Click}, {f.lbl_Double, &Form1::lbl_Double_Click},
        {f.lbl_Triple, &Form1::lbl_Triple_Click}, {f.lbl_Homer, &Form1::lbl_Homer_Click},
        {f.lbl_BB, &Form1::lbl_BB_Click},         {f.lbl_K, &Form1::lbl_K_Click},
        {f.lbl_GO, &Form1::lbl_GO_Click},         {f.lbl_FO, &Form1::lbl_FO_Click},
        {f.lbl_LO, &Form1::lbl_LO_Click},         {f.lbl_PO, &Form1::lbl_PO_Click},
        {f.lbl_FC, &Form1::lbl_FC_Click},         {f.lbl_DP, &Form1::lbl_DP_Click},
        {f.lbl_Pick, &Form1::lbl_Pick_Click},     {f.lbl_AB, &Form1::lbl_AB_Click},
        {f.lbl_SB, &Form1::lbl_SB_Click},
    };
    for (const auto& [label, handler] : plays)
        QObject::connect(label, &ClickLabel::Click, &f, [&f, h = handler] {
            guarded([&f, h] {
                if (!f.GameAlreadySaved())
                    (f.*h)();
            });
        });
    for (int n = 1; n <= 4; ++n)
        QObject::connect(f.pieces.pb_Player[static_cast<size_t>(n - 1)], &ClickLabel::Click, &f,
                         [&f, n] { guarded([&f, n] { f.pb_Player_Click(n); }); });
}

// ---------------------------------------------------------------- checks and shared steps

namespace {

// Checks a play makes before it writes anything; each refuses with a notice
// and returns false.
bool OutsReadyForPlay(Form1& f)
{
    const PlayControls p = f.play();
    const auto outs = num::strictWhole(p.outs.text());
    if (!outs || *outs < 0 || *outs > 2) {
        f.notices.show(QStringLiteral("OUTS must be 0, 1 or 2. Nothing recorded."));
        return false;
    }
    if (!num::strict(p.outsCount.text())) {
        platform::interaction().msgBox(QStringLiteral("Only numbers 0 and higher are allowed. An error has occurred."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Warning);
        return false;
    }
    return true;
}

bool BatterOnSheet(Form1& f)
{
    const PlayControls p = f.play();
    if (board::findRow(p.statsGrid(p.battingSide()), board::col::Batter, p.batter.text()) > 0)
        return true;
    f.notices.show(QStringLiteral("Batter not found on the Stats sheet. Nothing recorded."));
    return false;
}

bool PitcherOnSheet(Form1& f)
{
    const PlayControls p = f.play();
    const Side field = board::otherSide(p.battingSide());
    const QLabel* pitcher = p.pitcher(field);
    if (pitcher && board::findRow(p.statsGrid(field), board::col::Pitcher, pitcher->text()) > 0)
        return true;
    f.notices.show(QStringLiteral("Pitcher not found on the Stats sheet. Nothing recorded."));
    return false;
}

void LogPlay(Form1& f, const QString& literal)
{
    const PlayControls p = f.play();
    const Side side = p.battingSide();
    if (side != Side::None)
        f.AppendEventLogLine(p.playSubject(side), literal);
}

void RecordBatterCount(Form1& f, int column)
{
    const PlayControls p = f.play();
    Grid* g = p.statsGrid(p.battingSide());
    const int row = board::findRow(g, board::col::Batter, p.batter.text());
    if (row > 0)
        board::countBatter(g, row, column);
}

void RecordHit(Form1& f, int batterColumn, const QString& literal, bool homeRun)
{
    if (!f.PlayGuard() || !BatterOnSheet(f) || !PitcherOnSheet(f))
        return;
    LogPlay(f, literal);
    RecordBatterCount(f, batterColumn);
    f.AssignHit(board::col::PitH);
    if (homeRun)
        f.AssignHR();
}

void RecordOut(Form1& f, const QString& literal, int outs)
{
    if (!f.PlayGuard() || !OutsReadyForPlay(f) || !BatterOnSheet(f))
        return;
    LogPlay(f, literal);
    f.AddOuts(outs);
    f.OutRecordedMsg();
}

}  // namespace

void Form1::AddOuts(int outs)
{
    const PlayControls p = play();
    const auto now = num::strict(p.outs.text());
    if (!now)
        return;
    outsSide_ = p.battingSide();
    // The write ends the half-inning inside it at the third out.
    p.outs.setText(num::text(*now + outs));
}

// ---------------------------------------------------------------- hits, walks, strikeouts

void Form1::lbl_Single_Click()
{
    RecordHit(*this, board::col::Bat1B, QStringLiteral("_____1B"), false);
}

void Form1::lbl_Double_Click()
{
    RecordHit(*this, board::col::Bat2B, QStringLiteral("_____2B"), false);
}

void Form1::lbl_Triple_Click()
{
    RecordHit(*this, board::col::Bat3B, QStringLiteral("_____3B"), false);
}

void Form1::lbl_Homer_Click()
{
    RecordHit(*this, board::col::BatHR, QStringLiteral("_____HR"), true);
}

void Form1::lbl_BB_Click()
{
    if (!PlayGuard() || !BatterOnSheet(*this) || !PitcherOnSheet(*this))
        return;
    LogPlay(*this, QStringLiteral("_____BB"));
    RecordBatterCount(*this, board::col::BatBB);
    AssignBB();
}

void Form1::lbl_K_Click()
{
    if (!PlayGuard() || !OutsReadyForPlay(*this) || !BatterOnSheet(*this) || !PitcherOnSheet(*this))
        return;
    LogPlay(*this, QStringLiteral("_____K"));
    RecordBatterCount(*this, board::col::BatK);
    AssignK();
}

// ---------------------------------------------------------------- charging the fielding side
// Each routine decides the sides once, at entry: a third out inside it sets
// the other option, and the fielding pitcher must not change under it.

namespace {

// Adds one to a count of the fielding side's current pitcher; false when he
// is not on his side's sheet (then nothing is counted).
bool chargeFieldingPitcher(const PlayControls& p, Side batting, int column)
{
    const Side field = board::otherSide(batting);
    Grid* g = p.statsGrid(field);
    const QLabel* pitcher = p.pitcher(field);
    const int row = pitcher ? board::findRow(g, board::col::Pitcher, pitcher->text()) : -1;
    if (row <= 0)
        return false;
    board::countUp(g, row, column);
    return true;
}

}  // namespace

// column: the pitcher's count the hit raises (his "H").
void Form1::AssignHit(int column)
{
    const PlayControls p = play();
    const Side side = p.battingSide();
    ChangeOfState();
    if (!chargeFieldingPitcher(p, side, column))
        return;
    BoxScoreEdit* hits = lineScore.hits(side);
    hits->setText(num::text(num::Val(hits->text()) + 1.0));
    HitRecordedMsg();
    AssignAtBat();
}

void Form1::AssignHR()
{
    const PlayControls p = play();
    const Side side = p.battingSide();
    ChangeOfState();
    chargeFieldingPitcher(p, side, board::col::PitHR);
}

void Form1::AssignBB()
{
    const PlayControls p = play();
    const Side side = p.battingSide();
    ChangeOfState();
    AdvanceLineup();
    if (!chargeFieldingPitcher(p, side, board::col::PitBB))
        return;
    EventMessage();
}

void Form1::AssignK()
{
    const PlayControls p = play();
    const Side side = p.battingSide();
    ChangeOfState();
    if (!chargeFieldingPitcher(p, side, board::col::PitK))
        return;
    if (!num::strict(p.outs.text()))
        return;
    AddOuts(1);
    OutRecordedMsg();
}

// ---------------------------------------------------------------- outs

void Form1::lbl_GO_Click()
{
    RecordOut(*this, QStringLiteral("_____GO"), 1);
}

void Form1::lbl_FO_Click()
{
    RecordOut(*this, QStringLiteral("_____FO"), 1);
}

void Form1::lbl_LO_Click()
{
    RecordOut(*this, QStringLiteral("_____LO"), 1);
}

void Form1::lbl_PO_Click()
{
    RecordOut(*this, QStringLiteral("_____PO"), 1);
}

void Form1::lbl_DP_Click()
{
    if (!PlayGuard())
        return;
    if (num::Val(play().outs.text()) == 2) {
        notices.show(QStringLiteral("There are already 2 outs."));
        return;
    }
    if (!OutsReadyForPlay(*this) || !BatterOnSheet(*this))
        return;
    LogPlay(*this, QStringLiteral("_____DP"));
    AddOuts(2);
    OutRecordedMsg();
}

void Form1::lbl_FC_Click()
{
    const PlayControls p = play();
    if (!p.lineupsLoaded())
        return;
    if (num::Val(p.outs.text()) == 2) {
        platform::interaction().msgBox(QStringLiteral("FC requires < 2 outs. Use GO if it's the 3rd out."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Information);
        return;
    }
    if (!p.pitchersAndBatterSet()) {
        PitcherBatterSelectWarn();
        return;
    }
    if (!OutsReadyForPlay(*this) || !BatterOnSheet(*this))
        return;
    // Refused at 2 outs, so this out never ends the half-inning and the log
    // line written after it still names the side that made it.
    AddOuts(1);
    LogPlay(*this, QStringLiteral("_____FC"));
    AssignAtBat();
    notices.show(QStringLiteral("OUT recorded."));
}

void Form1::lbl_Pick_Click()
{
    if (!PlayGuard() || !OutsReadyForPlay(*this))
        return;
    LogPlay(*this, QStringLiteral("_____TO"));
    AddOuts(1);
    notices.show(QStringLiteral("OUT recorded."));
    const PlayControls p = play();
    if (num::Val(p.outs.text()) != 3)
        return;
    notices.show(QStringLiteral("END OF INNING."));
    ClearBases();
    AppendHalfInningMarker();
    p.outs.setText(QStringLiteral("0"));
}

void Form1::lbl_AB_Click()
{
    const PlayControls p = play();
    if (!p.lineupsLoaded())
        return;
    // No pitcher is required, but a batter of the side at bat is: an at-bat
    // charged to nobody is no at-bat.
    const Side side = p.battingSide();
    const QString batter = p.batter.text();
    if (batter.isEmpty() || side == Side::None || !board::lineupHoldsName(p.lineup(side), batter)) {
        notices.show(QStringLiteral("No batter is at the plate: pick the batter first. Nothing recorded."));
        return;
    }
    if (!BatterOnSheet(*this))
        return;
    LogPlay(*this, QStringLiteral("_____AB [ERR]"));
    AssignAtBat();
    notices.show(QStringLiteral("At-Bat recorded."));
}

void Form1::OutRecordedMsg()
{
    notices.show(QStringLiteral("OUT recorded."));
    const PlayControls p = play();
    const QString batter = p.batter.text();
    if (!batter.isEmpty())
        for (int n = 1; n <= 4; ++n)
            if (p.pieces.pb_Player[static_cast<size_t>(n - 1)]->hiddenText == batter)
                p.pieces.clear(n, false);
    if (num::Val(p.outs.text()) == 3) {
        notices.show(QStringLiteral("END OF INNING."));
        ClearBases();
        AppendHalfInningMarker();
        p.chargeAtBat(outsSide_);
        p.outs.setText(QStringLiteral("0"));
        return;
    }
    AssignAtBat();
}

void Form1::HitRecordedMsg()
{
    notices.show(QStringLiteral("HIT recorded."));
}

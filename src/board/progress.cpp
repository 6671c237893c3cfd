// Game progress: the play guard and the counting rule, at-bats and the
// lineup advance, outs and half-innings, runs and the line score, the
// sheet's copy of it, and manual line-score entry.
#include "board/form1.h"
#include "board/game_rules.h"
#include "board/sheet_lookup.h"
#include "common/colours.h"
#include "common/numbers.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "stats_sheet/form2.h"

#include <cmath>

using board::Side;

namespace {

BoxScoreEdit* halfInningBox(const Form1& f, int h)
{
    const game::BoxRef ref = game::boxOfHalfInning(h);
    const auto i = static_cast<size_t>(ref.index);
    return f.side(ref.visitors).lineScore[i];
}

}  // namespace

void Form1::wireProgress()
{
    events::onChange(tb_OUT, [this] { guarded([this] { tb_OUT_Change(); }); });
    events::onChange(tb_OutsCount, [this] { guarded([this] { tb_OutsCount_Change(); }); });
    connect(lbl_RBI, &ClickLabel::Click, this, [this] {
        guarded([this] {
            if (!GameAlreadySaved())
                lbl_RBI_Click();
        });
    });
    connect(Command5, &QPushButton::clicked, this, [this] { guarded([this] { Command5_Click(); }); });
    for (int i = 0; i < 23; ++i) {
        const auto k = static_cast<size_t>(i);
        connect(tb_BoxScore[k], &BoxScoreEdit::GotFocus, this,
                [this, i] { guarded([this, i] { tb_BoxScore_GotFocus(i); }); });
        connect(tb_BoxScoreBottom[k], &BoxScoreEdit::GotFocus, this,
                [this, i] { guarded([this, i] { tb_BoxScoreBottom_GotFocus(i); }); });
        connect(tb_BoxScore[k], &BoxScoreEdit::DblClick, this,
                [this, i] { guarded([this, i] { tb_BoxScore_DblClick(i); }); });
        connect(tb_BoxScoreBottom[k], &BoxScoreEdit::DblClick, this,
                [this, i] { guarded([this, i] { tb_BoxScoreBottom_DblClick(i); }); });
    }
    for (int d = 0; d < 10; ++d) {
        ClickLabel* digit = lbl_Digit[static_cast<size_t>(d)];
        digit->setCursor(Qt::PointingHandCursor);
        connect(digit, &ClickLabel::Click, this, [this, d] { guarded([this, d] { lblDigit_Click(d); }); });
    }
}

// ---------------------------------------------------------------- the play guard

bool Form1::LineupsLoaded() const
{
    return List1->count() > 0 && List2->count() > 0;
}

bool Form1::PitchersAndBatterReady()
{
    const QString batter = lbl_Selected->text();
    bool ready = !lbl_VisPitcher->text().isEmpty() && !lbl_HomePitcher->text().isEmpty() && !batter.isEmpty();
    // The batter must belong to the side at bat: after a change of sides the
    // previous side's batter stays named until a new pick, and a play must
    // not be charged to him.
    if (ready) {
        const Side side = board::battingSide(*this);
        ready = side != Side::None && board::lineupHoldsName(board::lineup(*this, side), batter);
    }
    if (!ready)
        PitcherBatterSelectWarn();
    return ready;
}

bool Form1::PlayGuard()
{
    return LineupsLoaded() && PitchersAndBatterReady();
}

bool Form1::GameAlreadySaved()
{
    // SAVE TO DB stores a run's game once: a second game recorded on this
    // board could never be saved.
    const Form2* sheet = statsSheet();
    if (!sheet || !sheet->gameSaved())
        return false;
    ShowNotice(QStringLiteral("This game is saved. Start the program again to record the next game."));
    return true;
}

void Form1::PitcherBatterSelectWarn()
{
    ShowNotice(QStringLiteral("Both pitchers must be selected first. 'AT BAT' button must be selected. "
                              "Then first batter must be selected."));
}

void Form1::ChangeOfState()
{
    const QString name = pb_Player[0]->hiddenText;
    for (Side s : {Side::Visitors, Side::Home}) {
        Grid* g = board::statsGrid(*this, s);
        const int row = board::findRow(g, board::col::Batter, name);
        if (row > 0) {
            if (g->textMatrix(row, board::col::PlayedFlag) != QLatin1String("1"))
                g->setTextMatrix(row, board::col::PlayedFlag, QStringLiteral("1"));
            return;
        }
    }
}

void Form1::EventMessage()
{
    ShowNotice(QStringLiteral("Stat Recorded."));
    StealRunnerIndex = 0;
}

// ---------------------------------------------------------------- at-bats

void Form1::AssignAtBat()
{
    ChangeOfState();
    if (board::chargeAtBat(*this, board::battingSide(*this)))
        AdvanceLineup();
}

void Form1::AdvanceLineup()
{
    // The order goes on from the current batter's place, not from whatever
    // entry the user highlighted since (a bench player he was reading).
    auto advance = [](ListBox* list, const QLabel* batterIndex) {
        const int order = std::min(list->count(), 9);
        if (order == 0)
            return;
        const double at = num::Val(batterIndex->text());
        const bool inOrder = !batterIndex->text().isEmpty() && at >= 0 && at < order;
        // The ninth batter, or the last of a short lineup, is followed by the first.
        const int next = inOrder && at + 1 < order ? static_cast<int>(at) + 1 : 0;
        list->setListIndex(next);
    };
    if (Option5->isChecked())
        advance(List1, lbl_L1current);
    if (Option6->isChecked())
        advance(List2, lbl_L2current);
}

// ---------------------------------------------------------------- outs and half-innings

void Form1::tb_OUT_Change()
{
    if (outsRewriting_)
        return;
    ChangeOfState();
    // Text that is not a number yet (emptied or half typed) changes nothing.
    const auto count = num::strict(tb_OutsCount->text());
    if (!count)
        return;
    if (*count == game::OutsLimit) {
        platform::interaction().msgBox(QStringLiteral("Maximum INNINGS reached. Use manual scoring to complete game."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Information);
        return;
    }
    const auto outs = num::strict(tb_OUT->text());
    if (!outs)
        return;
    if (*outs >= 3) {
        // "4" or "3.5" settle to "3" and end this one half-inning only.
        outsRewriting_ = true;
        tb_OUT->setText(QStringLiteral("3"));
        outsRewriting_ = false;
        tb_OutsCount->setText(num::text(*count + 3));
    }

    if (const auto c = num::strict(tb_OutsCount->text())) {
        if (const auto h = game::halfInningCompletedAt(*c)) {
            BoxScoreEdit* box = halfInningBox(*this, *h);
            box->setCompleted(true);
            if (box->text().isEmpty())
                box->setText(QStringLiteral("0"));
        }
    }

    const auto now = num::strict(tb_OUT->text());
    if (!now || *now != 3)
        return;
    if (Option5->isChecked()) {
        Option6->setChecked(true);
        look::setBackColour(List2, colours::White);
        look::setBackColour(List1, colours::IdleBoxColor);
    } else if (Option6->isChecked()) {
        Option5->setChecked(true);
        look::setBackColour(List1, colours::White);
        look::setBackColour(List2, colours::IdleBoxColor);
    }
}

void Form1::tb_OutsCount_Change()
{
    auto count = num::strict(tb_OutsCount->text());
    if (!count) {
        platform::interaction().msgBox(QStringLiteral("Only numbers 0 and higher are allowed. An error has occurred."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Warning);
        return;
    }
    if (*count < 0) {
        tb_OutsCount->setText(QStringLiteral("0"));
        count = 0.0;
    }
    for (int h = 1; h <= game::HalfInnings; ++h)
        halfInningBox(*this, h)->setCompleted(game::halfInningMarked(h, *count));
}

// ---------------------------------------------------------------- runs and the line score

void Form1::lbl_RBI_Click()
{
    if (!PlayGuard())
        return;
    const Side side = board::battingSide(*this);

    if (const auto h = game::runHalfInning(num::Val(tb_OutsCount->text()))) {
        BoxScoreEdit* box = halfInningBox(*this, *h);
        box->setText(num::text(num::Val(box->text()) + 1.0));
    }
    Command5_Click();

    AppendEventLogLine(board::playSubject(*this, side), QStringLiteral("_____RBI"));

    Grid* g = board::statsGrid(*this, side);
    const int row = board::findRow(g, board::col::Batter, lbl_Selected->text());
    if (row <= 0)
        return;
    board::countBatter(g, row, board::col::BatRBI);
    AssignER();
    EventMessage();
}

void Form1::AssignER()
{
    ChangeOfState();
    const Side field = board::otherSide(board::battingSide(*this));
    Grid* g = board::statsGrid(*this, field);
    const QLabel* pitcher = board::pitcherLabel(*this, field);
    if (!g || !pitcher)
        return;
    const int row = board::findRow(g, board::col::Pitcher, pitcher->text());
    if (row > 0)
        board::countUp(g, row, board::col::PitER);
}

void Form1::Command5_Click()
{
    ScoreUpdate();
}

void Form1::ScoreUpdate()
{
    guarded([this] {
        for (auto* row : {&tb_BoxScore, &tb_BoxScoreBottom}) {
            BoxScoreEdit* runs = (*row)[20];
            runs->setText(QStringLiteral("0"));
            double sum = 0;
            for (size_t i = 0; i < 20; ++i) {
                const double next = sum + num::Val((*row)[i]->text());
                if (!std::isfinite(next)) {
                    runs->setText(num::text(sum));
                    errors::raise(errors::Overflow);
                }
                sum = next;
            }
            runs->setText(num::text(sum));
        }
    });
}

// ---------------------------------------------------------------- the sheet's copy

void Form1::ConstantUpdate()
{
    guarded([this] {
        Command5_Click();
        if (!form2_)
            return;
        Grid* grid = form2_->grd_BoxScore;
        for (size_t k = 9; k <= 21; ++k)
            grid->setColWidth(static_cast<int>(k) + 1, tb_BoxScore[k]->text().isEmpty() ? 0 : 350);
        for (size_t i = 0; i <= 22; ++i) {
            grid->setTextMatrix(1, static_cast<int>(i) + 1, tb_BoxScore[i]->text());
            grid->setTextMatrix(2, static_cast<int>(i) + 1, tb_BoxScoreBottom[i]->text());
        }
    });
}

// ---------------------------------------------------------------- manual entry

void Form1::tb_BoxScore_GotFocus(int index)
{
    lbl_BoxSel->setText(QString::number(index));
    lbl_VisHome->setText(QStringLiteral("V"));
    ConstantUpdate();
}

void Form1::tb_BoxScoreBottom_GotFocus(int index)
{
    lbl_BoxSel->setText(QString::number(index));
    lbl_VisHome->setText(QStringLiteral("H"));
    ConstantUpdate();
}

// Only inning boxes carry a completed mark; the totals boxes keep theirs.
void Form1::tb_BoxScore_DblClick(int index)
{
    if (index >= 0 && index < 20) {
        BoxScoreEdit* box = tb_BoxScore[static_cast<size_t>(index)];
        box->setCompleted(!box->completed());
    }
}

void Form1::tb_BoxScoreBottom_DblClick(int index)
{
    if (index >= 0 && index < 20) {
        BoxScoreEdit* box = tb_BoxScoreBottom[static_cast<size_t>(index)];
        box->setCompleted(!box->completed());
    }
}

void Form1::lblDigit_Click(int digit)
{
    lbl_NumSel->setText(QString::number(digit));
    PutValue();
}

void Form1::PutValue()
{
    if (lbl_BoxSel->text().isEmpty())
        return;
    const double at = num::Val(lbl_BoxSel->text());
    if (at < 0 || at > 22)
        return;
    const auto i = static_cast<size_t>(at);
    BoxScoreEdit* target = nullptr;
    if (lbl_VisHome->text() == QLatin1String("V"))
        target = tb_BoxScore[i];
    else if (lbl_VisHome->text() == QLatin1String("H"))
        target = tb_BoxScoreBottom[i];
    if (!target)
        return;
    const int caret = target->hasSelectedText() ? target->selectionStart() : target->cursorPosition();
    if (caret != 0)
        target->setText(target->text() + lbl_NumSel->text());
    else
        target->setText(lbl_NumSel->text());
    target->setCursorPosition(static_cast<int>(target->text().size()));
}

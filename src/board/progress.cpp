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

BoxScoreEdit* halfInningBox(const board::PlayControls& p, int h)
{
    const game::BoxRef ref = game::boxOfHalfInning(h);
    return p.of(ref.side)->lineScore[static_cast<size_t>(ref.index)];
}

// The number pad's digit into the line-score box that last took the focus:
// appended, or replacing the text when the caret stands at its start.
void PutValue(const QLabel& boxSelected, const QLabel& boxSide, const QString& digit,
              const board::LineScorePanel& lineScore)
{
    if (boxSelected.text().isEmpty())
        return;
    const double at = num::Val(boxSelected.text());
    if (at < 0 || at > board::LineScorePanel::Errors)
        return;
    const auto i = static_cast<size_t>(at);
    BoxScoreEdit* target = nullptr;
    if (boxSide.text() == QLatin1String("V"))
        target = lineScore.row(Side::Visitors)[i];
    else if (boxSide.text() == QLatin1String("H"))
        target = lineScore.row(Side::Home)[i];
    if (!target)
        return;
    const int caret = target->hasSelectedText() ? target->selectionStart() : target->cursorPosition();
    if (caret != 0)
        target->setText(target->text() + digit);
    else
        target->setText(digit);
    target->setCursorPosition(static_cast<int>(target->text().size()));
}

}  // namespace

void board::wireProgress(Form1& f)
{
    events::onChange(f.tb_OUT, [&f] { guarded([&f] { f.tb_OUT_Change(); }); });
    events::onChange(f.tb_OutsCount, [&f] { guarded([&f] { f.tb_OutsCount_Change(); }); });
    QObject::connect(f.lbl_RBI, &ClickLabel::Click, &f, [&f] {
        guarded([&f] {
            if (!f.GameAlreadySaved())
                f.lbl_RBI_Click();
        });
    });
    QObject::connect(f.Command5, &QPushButton::clicked, &f, [&f] { guarded([&f] { f.ScoreUpdate(); }); });
    for (int i = 0; i < static_cast<int>(LineScorePanel::Row().size()); ++i) {
        for (Side s : {Side::Visitors, Side::Home}) {
            BoxScoreEdit* box = f.lineScore.row(s)[static_cast<size_t>(i)];
            QObject::connect(box, &BoxScoreEdit::GotFocus, &f,
                             [&f, s, i] { guarded([&f, s, i] { f.lineScoreBoxFocused(s, i); }); });
            QObject::connect(box, &BoxScoreEdit::DblClick, &f,
                             [&f, s, i] { guarded([&f, s, i] { f.lineScore.toggleCompleted(s, i); }); });
        }
    }
    for (int d = 0; d < 10; ++d) {
        ClickLabel* digit = f.lbl_Digit[static_cast<size_t>(d)];
        digit->setCursor(Qt::PointingHandCursor);
        QObject::connect(digit, &ClickLabel::Click, &f, [&f, d] { guarded([&f, d] { f.lblDigit_Click(d); }); });
    }
}

// ---------------------------------------------------------------- the play guard

bool Form1::PlayGuard()
{
    const board::PlayControls p = play();
    if (!p.lineupsLoaded())
        return false;
    if (p.pitchersAndBatterSet())
        return true;
    PitcherBatterSelectWarn();
    return false;
}

bool Form1::GameAlreadySaved()
{
    // SAVE TO DB stores a run's game once: a second game recorded on this
    // board could never be saved.
    const Form2* sheet = statsSheet();
    if (!sheet || !sheet->gameSaved())
        return false;
    notices.show(QStringLiteral("This game is saved. Start the program again to record the next game."));
    return true;
}

void Form1::PitcherBatterSelectWarn()
{
    notices.show(QStringLiteral("Both pitchers must be selected first. 'AT BAT' button must be selected. "
                                "Then first batter must be selected."));
}

void Form1::ChangeOfState()
{
    const board::PlayControls p = play();
    const QString name = p.pieces.pb_Player[0]->hiddenText;
    for (Side s : {Side::Visitors, Side::Home}) {
        Grid* g = p.statsGrid(s);
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
    notices.show(QStringLiteral("Stat Recorded."));
    StealRunnerIndex = 0;
}

// ---------------------------------------------------------------- at-bats

void Form1::AssignAtBat()
{
    ChangeOfState();
    const board::PlayControls p = play();
    if (p.chargeAtBat(p.battingSide()))
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
    const board::PlayControls p = play();
    for (const SideControls* own : {&p.visitors, &p.home})
        if (own->atBat->isChecked())
            advance(own->lineup, own->batterIndex);
}

// ---------------------------------------------------------------- outs and half-innings

void Form1::tb_OUT_Change()
{
    if (outsRewriting_)
        return;
    ChangeOfState();
    const board::PlayControls p = play();
    // Text that is not a number yet (emptied or half typed) changes nothing.
    const auto count = num::strict(p.outsCount.text());
    if (!count)
        return;
    if (*count == game::OutsLimit) {
        platform::interaction().msgBox(QStringLiteral("Maximum INNINGS reached. Use manual scoring to complete game."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Information);
        return;
    }
    const auto outs = num::strict(p.outs.text());
    if (!outs)
        return;
    if (*outs >= 3) {
        // "4" or "3.5" settle to "3" and end this one half-inning only.
        outsRewriting_ = true;
        p.outs.setText(QStringLiteral("3"));
        outsRewriting_ = false;
        p.outsCount.setText(num::text(*count + 3));
    }

    if (const auto c = num::strict(p.outsCount.text())) {
        if (const auto h = game::halfInningCompletedAt(*c)) {
            BoxScoreEdit* box = halfInningBox(p, *h);
            box->setCompleted(true);
            if (box->text().isEmpty())
                box->setText(QStringLiteral("0"));
        }
    }

    const auto now = num::strict(p.outs.text());
    if (!now || *now != 3)
        return;
    // The sides change: the other side bats, its lineup lit.
    const Side batting = p.battingSide();
    if (batting == Side::None)
        return;
    const SideControls& next = *p.of(board::otherSide(batting));
    next.atBat->setChecked(true);
    look::setBackColour(next.lineup, colours::White);
    look::setBackColour(p.of(batting)->lineup, colours::IdleBoxColor);
}

void Form1::tb_OutsCount_Change()
{
    const board::PlayControls p = play();
    auto count = num::strict(p.outsCount.text());
    if (!count) {
        platform::interaction().msgBox(QStringLiteral("Only numbers 0 and higher are allowed. An error has occurred."),
                                       QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Warning);
        return;
    }
    if (*count < 0) {
        p.outsCount.setText(QStringLiteral("0"));
        count = 0.0;
    }
    for (int h = 1; h <= game::HalfInnings; ++h)
        halfInningBox(p, h)->setCompleted(game::halfInningMarked(h, *count));
}

// ---------------------------------------------------------------- runs and the line score

void Form1::lbl_RBI_Click()
{
    if (!PlayGuard())
        return;
    const board::PlayControls p = play();
    const Side side = p.battingSide();

    if (const auto h = game::runHalfInning(num::Val(p.outsCount.text()))) {
        BoxScoreEdit* box = halfInningBox(p, *h);
        box->setText(num::text(num::Val(box->text()) + 1.0));
    }
    ScoreUpdate();

    AppendEventLogLine(p.playSubject(side), QStringLiteral("_____RBI"));

    Grid* g = p.statsGrid(side);
    const int row = board::findRow(g, board::col::Batter, p.batter.text());
    if (row <= 0)
        return;
    board::countBatter(g, row, board::col::BatRBI);
    AssignER();
    EventMessage();
}

void Form1::AssignER()
{
    ChangeOfState();
    const board::PlayControls p = play();
    const Side field = board::otherSide(p.battingSide());
    Grid* g = p.statsGrid(field);
    const QLabel* pitcher = p.pitcher(field);
    if (!g || !pitcher)
        return;
    const int row = board::findRow(g, board::col::Pitcher, pitcher->text());
    if (row > 0)
        board::countUp(g, row, board::col::PitER);
}

void Form1::ScoreUpdate()
{
    guarded([this] {
        for (Side s : {Side::Visitors, Side::Home}) {
            const board::LineScorePanel::Row& row = lineScore.row(s);
            BoxScoreEdit* runs = lineScore.runs(s);
            runs->setText(QStringLiteral("0"));
            double sum = 0;
            for (size_t i = 0; i < board::LineScorePanel::InningBoxes; ++i) {
                const double next = sum + num::Val(row[i]->text());
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
        ScoreUpdate();
        const Form2* sheet = statsSheet();
        if (!sheet)
            return;
        // The sheet's box score has a column for each box, after the team's
        // name; from the tenth inning on, a column shows only while the
        // visitors' box holds something.
        Grid* grid = sheet->grd_BoxScore;
        for (size_t k = 9; k <= board::LineScorePanel::Hits; ++k)
            grid->setColWidth(static_cast<int>(k) + 1, tb_BoxScore[k]->text().isEmpty() ? 0 : 350);
        for (size_t i = 0; i < tb_BoxScore.size(); ++i) {
            grid->setTextMatrix(1, static_cast<int>(i) + 1, tb_BoxScore[i]->text());
            grid->setTextMatrix(2, static_cast<int>(i) + 1, tb_BoxScoreBottom[i]->text());
        }
    });
}

// ---------------------------------------------------------------- manual entry

void Form1::lineScoreBoxFocused(Side s, int index)
{
    lbl_BoxSel->setText(QString::number(index));
    lbl_VisHome->setText(s == Side::Visitors ? QStringLiteral("V") : QStringLiteral("H"));
    ConstantUpdate();
}

void Form1::lblDigit_Click(int digit)
{
    lbl_NumSel->setText(QString::number(digit));
    PutValue(*lbl_BoxSel, *lbl_VisHome, lbl_NumSel->text(), lineScore);
}

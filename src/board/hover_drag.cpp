// How the board answers the mouse besides clicks: the outcome and link labels
// light up under the pointer and show a border while pressed; the surfaces
// around them put them back to rest; the dice panels and the play panel are
// dragged over the board, and the whole window by its top frame.
#include "board/form1.h"
#include "platform/guarded.h"
#include "presentation/charts.h"
#include "presentation/control_resizer.h"
#include "presentation/feedback.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScrollBar>
#include <QWindow>

namespace {

// A move or press over a control belongs to that control: without this, Qt
// hands what a control ignores (a move over a button, a press on a die's
// number) on to the panel or surface beneath, which would reset colours,
// scroll the lineups or start a panel drag.
void keepMouseEventsOf(const QList<QWidget*>& controls)
{
    for (QWidget* w : controls)
        w->setAttribute(Qt::WA_NoMousePropagation);
}

QList<QWidget*> directChildren(const QWidget* parent)
{
    return parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

void Form1::wireFeedback()
{
    size_t i = 0;
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels()) {
        auto* l = pb_Res->findChild<ClickLabel*>(QString::fromLatin1(o.name));
        Q_ASSERT(l);
        outcomeLabels_[i++] = l;
        l->setMouseTracking(true);
        const unsigned hover = o.hover;
        connect(l, &ClickLabel::MouseDown, this, [l](int, int, double, double) { feedback::setBorderStyle(l, 1); });
        connect(l, &ClickLabel::MouseUp, this, [l](int, int, double, double) { feedback::setBorderStyle(l, 0); });
        connect(l, &ClickLabel::MouseMove, this,
                [l, hover](int, int, double, double) { feedback::setBackColor(l, hover); });
    }
    i = 0;
    for (ClickLabel* l : lbl_chrt)
        linkLabels_[i++] = l;
    linkLabels_[i++] = lbl_rules;
    linkLabels_[i++] = lbl_help;
    for (ClickLabel* l : linkLabels_) {
        // The release puts the label back to rest (with the charts' Click).
        connect(l, &ClickLabel::MouseDown, this, [l](int, int, double, double) { feedback::setBorderStyle(l, 1); });
        connect(l, &ClickLabel::MouseMove, this,
                [l](int, int, double, double) { feedback::setBackColor(l, feedback::LinkHover); });
    }

    // The surfaces see the moves over their bare parts, with no button held too.
    for (QWidget* w : {static_cast<QWidget*>(this), boardArea, static_cast<QWidget*>(Picture1),
                       static_cast<QWidget*>(pb_Res), static_cast<QWidget*>(Frame3)})
        w->setMouseTracking(true);
    keepMouseEventsOf(directChildren(boardArea));
    keepMouseEventsOf(directChildren(Picture1));
    keepMouseEventsOf(directChildren(Frame3));
    keepMouseEventsOf(directChildren(pb_Res));
    keepMouseEventsOf(fra_ColourDice->findChildren<QWidget*>());
    keepMouseEventsOf(fra_FaceDice->findChildren<QWidget*>());

    connect(Picture1, &ClickLabel::MouseMove, this, &Form1::Picture1_MouseMove);
    connect(pb_Res, &ClickLabel::MouseMove, this, &Form1::pb_Res_MouseMove);
    // The bare window is its surface around the controls.
    for (QWidget* w : {static_cast<QWidget*>(this), boardArea})
        events::onMouse(w, {[this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); },
                            [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); }, {}});
    events::onMouse(Frame3, {[this](int b, int s, double x, double y) { Frame3_MouseDown(b, s, x, y); },
                             [this](int b, int s, double x, double y) {
                                 guarded([&] { Frame3_MouseMove(b, s, x, y); });
                             },
                             {}});
    events::onMouse(fra_ColourDice,
                    {{},
                     [this](int b, int s, double x, double y) { fra_ColourDice_MouseMove(b, s, x, y); },
                     [this](int b, int s, double x, double y) { guarded([&] { fra_ColourDice_MouseUp(b, s, x, y); }); }});
    events::onMouse(fra_FaceDice,
                    {{}, [this](int b, int s, double x, double y) { fra_FaceDice_MouseMove(b, s, x, y); }, {}});
}

// ---------------------------------------------------------------- resets

void Form1::ResetOutcomeLabels()
{
    // Nothing is written for a label already at rest, so a move over the
    // board costs no repaint.
    size_t i = 0;
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels())
        feedback::setBackColor(outcomeLabels_[i++], o.resting);
}

void Form1::ResetLinkLabels()
{
    for (ClickLabel* l : linkLabels_)
        feedback::setBackColor(l, feedback::ButtonFace);
}

void Form1::NudgeLineups()
{
    for (ListBox* list : {List1, List2})
        list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

// ---------------------------------------------------------------- surfaces

void Form1::Form_MouseDown(int, int, double x, double y)
{
    DragOrigin = feedback::roundedPoint(x, y);
}

void Form1::Form_MouseMove(int, int, double, double)
{
    NudgeLineups();
}

void Form1::Picture1_MouseMove(int, int, double, double)
{
    NudgeLineups();
    ResetOutcomeLabels();
}

void Form1::pb_Res_MouseMove(int button, int, double x, double y)
{
    ResetOutcomeLabels();
    if (button != 1)
        DragOrigin = QPoint();
    else if (events::ctrlDown())
        pb_Res->move(feedback::centredDragTo(pb_Res->geometry(), {x, y}, pb_Res->parentWidget()->size()));
}

// ---------------------------------------------------------------- dragging

void Form1::CentredDrag(QWidget* panel, int button, double x, double y)
{
    if (button != 1) {
        DragOrigin = QPoint();
        return;
    }
    panel->move(feedback::centredDragTo(panel->geometry(), {x, y}, panel->parentWidget()->size()));
}

void Form1::fra_ColourDice_MouseMove(int button, int, double x, double y)
{
    CentredDrag(fra_ColourDice, button, x, y);
}

void Form1::fra_ColourDice_MouseUp(int, int, double, double)
{
    // The new place becomes the layout the next resize keeps.
    resizer().InitializeResizer(this);
}

void Form1::fra_FaceDice_MouseMove(int button, int, double x, double y)
{
    if (events::ctrlDown())
        CentredDrag(fra_FaceDice, button, x, y);
}

void Form1::Frame3_MouseDown(int, int, double x, double y)
{
    DragOrigin = feedback::roundedPoint(x, y);
    windowAtPress_ = pos();
    pointerAtPress_ = Frame3->mapToGlobal(QPointF(x, y)).toPoint();
    systemMoveAsked_ = false;
}

void Form1::Frame3_MouseMove(int button, int, double x, double y)
{
    if (button == 1) {
        if (onWayland()) {
            // The compositor alone places windows there: it moves this one
            // with the pointer until the button is released.
            if (!systemMoveAsked_ && windowHandle())
                systemMoveAsked_ = windowHandle()->startSystemMove();
        } else {
            // From where the window and the pointer stood at the press, not
            // from the window's last reported place, which lags behind the
            // moves asked of the window manager and would make it jitter.
            // The grab point stays under the pointer either way.
            const QPoint pointer = Frame3->mapToGlobal(QPointF(x, y)).toPoint();
            move(windowAtPress_ + (pointer - pointerAtPress_));
        }
    }
    ResetLinkLabels();
    NudgeLineups();
}

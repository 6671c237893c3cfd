// How the board answers the mouse besides clicks: the outcome and link labels
// light up under the pointer and show a border while pressed; the surfaces
// around them put them back to rest; the dice panels and the play panel are
// dragged over the board, and the whole window by its top frame.
#include "board/form1.h"
#include "board/outcome_panel.h"
#include "platform/guarded.h"
#include "presentation/charts.h"
#include "presentation/control_resizer.h"
#include "presentation/feedback.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScrollBar>
#include <QWindow>
#include <memory>

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

// Scrolls each lineup one entry back towards its top.
void NudgeLineups(const Form1& f)
{
    for (ListBox* list : {f.List1, f.List2})
        list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

// The window and the pointer (screen) at the press that starts a window
// drag by the top frame; whether the desktop has been asked to move the
// window itself.
struct WindowDrag {
    QPoint windowAtPress;
    QPoint pointerAtPress;
    bool systemMoveAsked = false;
};

void Frame3_MouseDown(Form1& f, WindowDrag& drag, double x, double y)
{
    f.DragOrigin = feedback::roundedPoint(x, y);
    drag.windowAtPress = f.pos();
    drag.pointerAtPress = f.Frame3->mapToGlobal(QPointF(x, y)).toPoint();
    drag.systemMoveAsked = false;
}

void Frame3_MouseMove(Form1& f, WindowDrag& drag, int button, double x, double y,
                      const std::array<ClickLabel*, 11>& linkLabels)
{
    if (button == 1) {
        if (onWayland()) {
            // The compositor alone places windows there: it moves this one
            // with the pointer until the button is released.
            if (!drag.systemMoveAsked && f.windowHandle())
                drag.systemMoveAsked = f.windowHandle()->startSystemMove();
        } else {
            // From where the window and the pointer stood at the press, not
            // from the window's last reported place, which lags behind the
            // moves asked of the window manager and would make it jitter.
            // The grab point stays under the pointer either way.
            const QPoint pointer = f.Frame3->mapToGlobal(QPointF(x, y)).toPoint();
            f.move(drag.windowAtPress + (pointer - drag.pointerAtPress));
        }
    }
    for (ClickLabel* l : linkLabels)
        feedback::setBackColor(l, feedback::ButtonFace);
    NudgeLineups(f);
}

// The panel's centre follows the pointer with the left button alone.
void CentredDrag(Form1& f, QWidget* panel, int button, double x, double y)
{
    if (button != 1) {
        f.DragOrigin = QPoint();
        return;
    }
    panel->move(feedback::centredDragTo(panel->geometry(), {x, y}, panel->parentWidget()->size()));
}

}  // namespace

void board::wireFeedback(Form1& f)
{
    size_t i = 0;
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels()) {
        ClickLabel* l = f.outcomes.labels()[i++];
        l->setMouseTracking(true);
        const unsigned hover = o.hover;
        QObject::connect(l, &ClickLabel::MouseDown, &f,
                         [l](int, int, double, double) { feedback::setBorderStyle(l, 1); });
        QObject::connect(l, &ClickLabel::MouseUp, &f, [l](int, int, double, double) { feedback::setBorderStyle(l, 0); });
        QObject::connect(l, &ClickLabel::MouseMove, &f,
                         [l, hover](int, int, double, double) { feedback::setBackColor(l, hover); });
    }
    // The charts, "RULES" and "ZRQ HELP".
    std::array<ClickLabel*, 11> linkLabels{};
    i = 0;
    for (ClickLabel* l : f.lbl_chrt)
        linkLabels[i++] = l;
    linkLabels[i++] = f.lbl_rules;
    linkLabels[i++] = f.lbl_help;
    for (ClickLabel* l : linkLabels) {
        // The release puts the label back to rest (with the charts' Click).
        QObject::connect(l, &ClickLabel::MouseDown, &f,
                         [l](int, int, double, double) { feedback::setBorderStyle(l, 1); });
        QObject::connect(l, &ClickLabel::MouseMove, &f,
                         [l](int, int, double, double) { feedback::setBackColor(l, feedback::LinkHover); });
    }

    // The surfaces see the moves over their bare parts, with no button held too.
    for (QWidget* w : {static_cast<QWidget*>(&f), f.boardArea, static_cast<QWidget*>(f.Picture1),
                       static_cast<QWidget*>(f.pb_Res), static_cast<QWidget*>(f.Frame3)})
        w->setMouseTracking(true);
    keepMouseEventsOf(directChildren(f.boardArea));
    keepMouseEventsOf(directChildren(f.Picture1));
    keepMouseEventsOf(directChildren(f.Frame3));
    keepMouseEventsOf(directChildren(f.pb_Res));
    keepMouseEventsOf(f.fra_ColourDice->findChildren<QWidget*>());
    keepMouseEventsOf(f.fra_FaceDice->findChildren<QWidget*>());

    QObject::connect(f.Picture1, &ClickLabel::MouseMove, &f, [&f](int, int, double, double) {
        NudgeLineups(f);
        f.outcomes.rest();
    });
    QObject::connect(f.pb_Res, &ClickLabel::MouseMove, &f, [&f](int button, int, double x, double y) {
        f.outcomes.rest();
        if (button != 1)
            f.DragOrigin = QPoint();
        else if (events::ctrlDown())
            f.pb_Res->move(feedback::centredDragTo(f.pb_Res->geometry(), {x, y}, f.pb_Res->parentWidget()->size()));
    });
    // The bare window is its surface around the controls.
    for (QWidget* w : {static_cast<QWidget*>(&f), f.boardArea})
        events::onMouse(w, {[&f](int, int, double x, double y) { f.DragOrigin = feedback::roundedPoint(x, y); },
                            [&f](int, int, double, double) { NudgeLineups(f); }, {}});
    auto drag = std::make_shared<WindowDrag>();
    events::onMouse(f.Frame3, {[&f, drag](int, int, double x, double y) { Frame3_MouseDown(f, *drag, x, y); },
                               [&f, drag, linkLabels](int b, int, double x, double y) {
                                   guarded([&] { Frame3_MouseMove(f, *drag, b, x, y, linkLabels); });
                               },
                               {}});
    events::onMouse(f.fra_ColourDice,
                    {{},
                     [&f](int b, int, double x, double y) { CentredDrag(f, f.fra_ColourDice, b, x, y); },
                     [&f](int, int, double, double) {
                         // The new place becomes the layout the next resize keeps.
                         guarded([&f] { f.resizer().InitializeResizer(&f); });
                     }});
    events::onMouse(f.fra_FaceDice, {{}, [&f](int b, int, double x, double y) {
                                         if (events::ctrlDown())
                                             CentredDrag(f, f.fra_FaceDice, b, x, y);
                                     },
                                     {}});
}

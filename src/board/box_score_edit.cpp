#include "board/box_score_edit.h"

#include "common/colours.h"

#include <QFocusEvent>

BoxScoreEdit::BoxScoreEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    applyLook();
}

void BoxScoreEdit::setCompleted(bool on)
{
    // Every change of the outs count sets all 40 marks, nearly all of them
    // to what they were; a style-sheet write re-polishes the box each time.
    if (on == completed_)
        return;
    completed_ = on;
    applyLook();
}

void BoxScoreEdit::applyLook()
{
    setStyleSheet(QStringLiteral("QLineEdit { color: black; background-color: %1; border: 1px solid #606060; }")
                      .arg(colours::fromBgr(backColor()).name()));
}

unsigned BoxScoreEdit::backColor() const
{
    return completed_ ? colours::CompletedHalfColor : colours::IdleBoxColor;
}

void BoxScoreEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // Re-activating the window (after a notice) is not the box taking focus.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        emit GotFocus();
}

void BoxScoreEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    emit DblClick();
}

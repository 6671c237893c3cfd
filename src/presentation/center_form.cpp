#include "presentation/center_form.h"

#include "presentation/control_resizer.h"

#include <QWidget>

void CenterOverMain(const QWidget* board, const std::vector<QWidget*>& targets)
{
    if (!board)
        return;
    for (QWidget* target : targets) {
        if (!target || target == board)
            continue;
        const QRect b = board->frameGeometry();
        const QRect t = target->frameGeometry();
        const float left = float(b.x()) + float(b.width() - t.width()) / 2.0f;
        const float top = float(b.y()) + float(b.height() - t.height()) / 2.0f;
        // move() places a window by its outer corner.
        target->move(layout::toWhole(left), layout::toWhole(top));
    }
}

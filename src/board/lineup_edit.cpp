// Lineup editing: moving, renaming and dragging entries, the right-click
// view of a whole entry, and the lineups' tooltips. Only the lineup entries
// change; the sheet's rows and the current batter stay as they are.
#include "board/side_panel.h"
#include "platform/events.h"
#include "platform/interaction.h"

#include <QCheckBox>
#include <QLineEdit>

#include <climits>

namespace {

// The entry nearest to a point of the list's viewport (the last one for a
// point below the entries), or -1 for an empty list; inside tells whether the
// point lies in the list's client area.
int nearestRow(const ListBox* list, QPointF point, bool* inside = nullptr)
{
    const QPoint p = point.toPoint();
    if (inside)
        *inside = list->viewport()->rect().contains(p);
    int best = -1;
    int bestDistance = INT_MAX;
    for (int row = 0; row < list->count(); ++row) {
        const QRect r = list->visualItemRect(list->item(row));
        if (r.isEmpty())
            continue;
        const int distance = p.y() < r.top() ? r.top() - p.y() : (p.y() > r.bottom() ? p.y() - r.bottom() : 0);
        if (distance < bestDistance) {
            best = row;
            bestDistance = distance;
            if (distance == 0)
                break;
        }
    }
    return best;
}

}  // namespace

namespace board {

// ---------------------------------------------------------------- tooltips

void SidePanel::showEntryTooltip(int button, double x, double y) const
{
    const int row = nearestRow(lineup, QPointF(x, y));
    if (row < 0)
        return;
    // While an entry is dragged in edit mode the highlight follows the
    // pointer and shows where the entry will land.
    if (button == 1 && dragSource_ >= 0 && edit->isChecked())
        lineup->setListIndexSilently(row);
    const QString entry = lineup->itemText(row);
    lineup->setToolTip(entry);
    // The view asks the entry under the pointer first.
    lineup->item(row)->setToolTip(entry);
}

// ---------------------------------------------------------------- EDIT, UP, DN, rename

void SidePanel::editToggled() const
{
    editBox->setVisible(edit->isChecked());
}

void SidePanel::moveEntry(int step) const
{
    const int from = lineup->listIndex();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= lineup->count())
        return;
    QListWidgetItem* a = lineup->item(from);
    QListWidgetItem* b = lineup->item(to);
    const QString moved = a->text();
    a->setText(b->text());
    b->setText(moved);
    // Selecting the moved entry runs the batter pick for it.
    lineup->setListIndex(to);
}

void SidePanel::renameEntry() const
{
    const int row = lineup->listIndex();
    if (editBox->text().isEmpty() || row < 0)
        return;
    lineup->item(row)->setText(editBox->text());
    editBox->clear();
}

// ---------------------------------------------------------------- drag and right-click view

void SidePanel::lineupPressed()
{
    // A left press has already selected the entry under the pointer.
    if (edit->isChecked())
        dragSource_ = lineup->listIndex();
}

void SidePanel::lineupReleased(int button, int shift, double x, double y, QLineEdit* busy)
{
    ListBox* list = lineup;
    bool inside = false;
    const int row = nearestRow(list, QPointF(x, y), &inside);
    const int source = dragSource_;
    dragSource_ = -1;

    if (button == 2 && inside && row >= 0) {
        // The view selects the entry for the time the box is shown; the busy
        // flag keeps the batter pick out, and the previous selection comes
        // back silently so the batting order goes on from where it was.
        const int previous = list->listIndex();
        busy->setText(QStringLiteral("1"));
        list->setListIndex(row);
        platform::interaction().msgBox(list->itemText(row), QMessageBox::Ok, platform::applicationTitle(),
                                       QMessageBox::Warning);
        list->setListIndexSilently(previous);
        busy->setText(QStringLiteral("0"));
        return;
    }

    // A left-button drag in edit mode: the entry pressed on moves to the
    // entry under the pointer at the release.
    if (button != 1 || !edit->isChecked())
        return;
    if (source < 0 || source >= list->count() || row < 0 || row == source)
        return;
    const QString text = list->itemText(source);
    delete list->takeItem(source);
    // Before the release entry, after it with Shift alone; that entry moved
    // up by one when the dragged entry came from above it.
    int at = row > source ? row - 1 : row;
    if (shift == 1)
        ++at;
    list->insertItem(at, text);
    list->setListIndex(at);
}

}  // namespace board

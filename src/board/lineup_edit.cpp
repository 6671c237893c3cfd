// Lineup editing: moving, renaming and dragging entries, the right-click
// view of a whole entry, and the lineups' tooltips. Only the lineup entries
// change; the sheet's rows and the current batter stay as they are.
#include "board/form1.h"
#include "platform/interaction.h"

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

// ---------------------------------------------------------------- tooltips

void Form1::List1_MouseMove(int button, int, double x, double y)
{
    showEntryTooltip(true, button, x, y);
}

void Form1::List2_MouseMove(int button, int, double x, double y)
{
    showEntryTooltip(false, button, x, y);
}

void Form1::showEntryTooltip(bool visitors, int button, double x, double y)
{
    ListBox* list = side(visitors).lineup;
    const int row = nearestRow(list, QPointF(x, y));
    if (row < 0)
        return;
    // While an entry is dragged in edit mode the highlight follows the
    // pointer and shows where the entry will land.
    if (button == 1 && dragSourceIndex_ >= 0 && side(visitors).edit->isChecked())
        list->setListIndexSilently(row);
    const QString entry = list->itemText(row);
    list->setToolTip(entry);
    // The view asks the entry under the pointer first.
    list->item(row)->setToolTip(entry);
}

// ---------------------------------------------------------------- EDIT, UP, DN, rename

void Form1::Check1_Click()
{
    tb_List1edit->setVisible(Check1->isChecked());
}

void Form1::Check2_Click()
{
    tb_List2edit->setVisible(Check2->isChecked());
}

void Form1::Command2_Click()
{
    moveEntry(true, -1);
}

void Form1::Command3_Click()
{
    moveEntry(true, 1);
}

void Form1::Command8_Click()
{
    moveEntry(false, -1);
}

void Form1::Command4_Click()
{
    moveEntry(false, 1);
}

void Form1::moveEntry(bool visitors, int step)
{
    ListBox* list = side(visitors).lineup;
    const int from = list->listIndex();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= list->count())
        return;
    QListWidgetItem* a = list->item(from);
    QListWidgetItem* b = list->item(to);
    const QString moved = a->text();
    a->setText(b->text());
    b->setText(moved);
    // Selecting the moved entry runs the batter pick for it.
    list->setListIndex(to);
}

void Form1::List1_DblClick()
{
    renameEntry(true);
}

void Form1::List2_DblClick()
{
    renameEntry(false);
}

void Form1::renameEntry(bool visitors)
{
    ListBox* list = side(visitors).lineup;
    QLineEdit* box = side(visitors).editBox;
    const int row = list->listIndex();
    if (box->text().isEmpty() || row < 0)
        return;
    list->item(row)->setText(box->text());
    box->clear();
}

// ---------------------------------------------------------------- drag and right-click view

void Form1::List1_MouseDown(int, int, double, double)
{
    lineupMouseDown(true);
}

void Form1::List2_MouseDown(int, int, double, double)
{
    lineupMouseDown(false);
}

void Form1::List1_MouseUp(int button, int shift, double x, double y)
{
    lineupMouseUp(true, button, shift, x, y);
}

void Form1::List2_MouseUp(int button, int shift, double x, double y)
{
    lineupMouseUp(false, button, shift, x, y);
}

void Form1::lineupMouseDown(bool visitors)
{
    // A left press has already selected the entry under the pointer.
    if (side(visitors).edit->isChecked())
        dragSourceIndex_ = side(visitors).lineup->listIndex();
}

void Form1::lineupMouseUp(bool visitors, int button, int shift, double x, double y)
{
    ListBox* list = side(visitors).lineup;
    bool inside = false;
    const int row = nearestRow(list, QPointF(x, y), &inside);
    const int source = dragSourceIndex_;
    dragSourceIndex_ = -1;

    if (button == 2 && inside && row >= 0) {
        // The view selects the entry for the time the box is shown; the busy
        // flag keeps the batter pick out, and the previous selection comes
        // back silently so the batting order goes on from where it was.
        const int previous = list->listIndex();
        tb_ListBoxStatus->setText(QStringLiteral("1"));
        list->setListIndex(row);
        platform::interaction().msgBox(list->itemText(row), QMessageBox::Ok, platform::applicationTitle(),
                                       QMessageBox::Warning);
        list->setListIndexSilently(previous);
        tb_ListBoxStatus->setText(QStringLiteral("0"));
        return;
    }

    // A left-button drag in edit mode: the entry pressed on moves to the
    // entry under the pointer at the release.
    if (button != 1 || !side(visitors).edit->isChecked())
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

// Correcting the statistics on the sheet: the grids only display, and one
// floating text box, Text1, is laid over the current cell to edit it. Enter
// writes the text and moves down a row; the editor losing the focus discards
// it; Delete on a grid clears the current cell. The box score has no editor.
#include "common/colours.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/look.h"
#include "stats_sheet/form2.h"
#include "stats_sheet/sheet_columns.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString VisitorsTag = QStringLiteral("V");
const QString HomeTag = QStringLiteral("H");

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A zero-width column (the fixed column, the played flags) is never edited
// or cleared: a played flag must not vanish by accident.
bool visibleCell(const Grid* grid, int row, int column)
{
    return row >= 1 && column >= 0 && column < grid->cols() && grid->colWidth(column) >= 1;
}

class CellEditor : public QObject {
public:
    explicit CellEditor(Form2* sheet) : QObject(sheet), sheet_(sheet) {}

    void startEditing(Grid* grid, const QString& tag)
    {
        const int row = grid->currentRowIndex();
        const int column = grid->currentColIndex();
        if (!visibleCell(grid, row, column))
            return;
        sheet_->lbl_GridSelected->setText(tag);
        QLineEdit* editor = sheet_->Text1;
        const QRect cell = grid->cellRect(row, column);
        editor->setGeometry(QRect(grid->viewport()->mapTo(sheet_, cell.topLeft()), cell.size()));
        editor->show();
        const QString text = grid->textMatrix(row, column);
        editor->setText(text);
        editor->setSelection(0, int(text.size()));
        editor->raise();
        editor->setFocus(Qt::OtherFocusReason);
    }

    void commit()
    {
        Grid* grid = selectedGrid();
        if (grid) {
            const int row = grid->currentRowIndex();
            const int column = grid->currentColIndex();
            if (visibleCell(grid, row, column)) {
                grid->setTextMatrix(row, column, sheet_->Text1->text());
                sheet_->cellTyped(grid, row, column);
                if (row < grid->rows() - 1)
                    grid->setCurrentCell(row + 1, column);
            }
            grid->setFocus(Qt::OtherFocusReason);
        }
        sheet_->Text1->hide();
    }

    void clearCell(Grid* grid)
    {
        const int row = grid->currentRowIndex();
        const int column = grid->currentColIndex();
        if (visibleCell(grid, row, column)) {
            grid->setTextMatrix(row, column, QString());
            sheet_->cellTyped(grid, row, column);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == sheet_->Text1)
            return editorEvent(e);
        if (e->type() == QEvent::FocusIn)
            if (auto* grid = qobject_cast<Grid*>(watched))
                placeFirstCurrentCell(grid);
        return false;
    }

private:
    bool editorEvent(QEvent* e)
    {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            // Enter belongs to the editor (never to "SAVE TO DB"); Escape
            // leaves the edit open instead of closing the sheet.
            if (isEnter(key) || key == Qt::Key_Escape) {
                e->accept();
                if (e->type() == QEvent::KeyPress && isEnter(key))
                    guarded([this] { commit(); });
                return true;
            }
        } else if (e->type() == QEvent::FocusOut) {
            // Another window coming to the front is not the user leaving the cell.
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                guarded([this] { sheet_->Text1->hide(); });
        }
        return false;
    }

    Grid* selectedGrid() const
    {
        const QString tag = sheet_->lbl_GridSelected->text();
        if (tag == VisitorsTag)
            return sheet_->grd_VisStats;
        if (tag == HomeTag)
            return sheet_->grd_HomeStats;
        return nullptr;
    }

    // Until the user picks a cell the current cell is the last row's played
    // flag, a hidden cell, so Enter on a grid just tabbed into opens nothing
    // (the view would otherwise make the first cell current). The view must
    // not scroll down to it.
    static void placeFirstCurrentCell(Grid* grid)
    {
        if (grid->currentRowIndex() != 0 || grid->rows() < 2)
            return;
        const bool scrolls = grid->hasAutoScroll();
        grid->setAutoScroll(false);
        grid->setCurrentCell(grid->rows() - 1, grid->cols() - 1);
        grid->setAutoScroll(scrolls);
    }

    Form2* sheet_;
};

}  // namespace

void Form2::cellTyped(const Grid* grid, int row, int column)
{
    if (column == sheet::col::IP)
        typedInnings_.insert({grid, row});
}

void Form2::inningsCredited(const Grid* grid, int row)
{
    typedInnings_.erase({grid, row});
}

bool Form2::inningsTyped(const Grid* grid, int row) const
{
    return typedInnings_.count({grid, row}) > 0;
}

void Form2::wireEditing()
{
    auto* editor = new CellEditor(this);
    cellEditor_ = editor;
    Text1->hide();
    Text1->setFrame(false);
    Text1->setStyleSheet(QStringLiteral("QLineEdit { %1 }").arg(colours::styleOn(0x00E0E0E0)));
    look::setFont(Text1, QStringLiteral("Calibri"), 8.25);
    Text1->installEventFilter(editor);
    lbl_GridSelected->setText(QStringLiteral("0"));

    const std::pair<Grid*, QString> grids[] = {{grd_VisStats, VisitorsTag}, {grd_HomeStats, HomeTag}};
    for (const auto& entry : grids) {
        Grid* grid = entry.first;
        const QString tag = entry.second;
        grid->installEventFilter(editor);
        connect(grid, &Grid::cellClicked, this,
                [editor, grid, tag] { guarded([&] { editor->startEditing(grid, tag); }); });
        connect(grid, &Grid::keyDown, this, [editor, grid, tag](int key, Qt::KeyboardModifiers) {
            guarded([&] {
                if (isEnter(key))
                    editor->startEditing(grid, tag);
                else if (key == Qt::Key_Delete)
                    editor->clearCell(grid);
            });
        });
    }
}

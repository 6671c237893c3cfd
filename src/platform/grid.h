#pragma once
// The few operations the program uses of a grid control, over our own table
// model shown in a QTableView. Row 0 is the header row and column 0 the fixed
// column, exactly as the program counts them: textMatrix(0, 1) is the first
// field name, textMatrix(1, 1) the first data cell.
#include <QAbstractTableModel>
#include <QColor>
#include <QFontMetricsF>
#include <QPalette>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <vector>

#include "platform/text_columns.h"

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    // Counts include the header row and the fixed column.
    int rows() const;
    int cols() const;
    void setRows(int rows);  // at least 1 (the header)
    void setCols(int cols);  // at least 1 (the fixed column)

    // Reading or writing outside rows x cols throws ProgramError
    // (30009 "Invalid Row value" / 30010 "Invalid Col value").
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Throws as textMatrix does when (row, col) is outside the grid.
    void checkCell(int row, int col) const;
    void checkRow(int row) const;
    void checkCol(int col) const;

    // The texts of rows row1..row2 and columns col1..col2 (header row and
    // fixed column counted, hidden columns included): cells of a row joined
    // by tabs, rows by newlines.
    QString rangeText(int row1, int col1, int row2, int col2) const;

    // Replaces all rows below the header at once (fast for large results).
    // Each row holds the texts of columns 0..cols-1 (missing ones are empty,
    // extra ones are dropped). Cell colours of the old rows go with them;
    // column colours and alignments stay.
    void setDataRows(std::vector<QStringList> rows);
    // The same from a result held column by column: columns[c] for grid
    // column c, each with `rows` cells.
    void setDataColumns(std::vector<TextColumn> columns, size_t rows);
    // Header row only, every data row removed; their storage goes back to
    // the allocator.
    void clearData();

    // Rewrites every data cell of a column as f gives it for the cell's
    // text; f runs once per distinct text (a formatted column of a large
    // result holds few). One refresh of the column, none while redraw is off.
    void mapDataTexts(int col, const std::function<QString(const QString&)>& f);

    // Colours of single cells; an invalid QColor means the grid's default.
    // Colours are kept opaque.
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& c);
    // The same back colour for every cell of rows row1..row2 and columns
    // col1..col2, as one write (a large grid coloured row by row).
    void setRangeBackColor(int row1, int col1, int row2, int col2, const QColor& c);
    QColor cellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& c);
    // A whole column's back colour for its data rows (cheap for large grids):
    // as if every data cell of the column were given it, so it replaces the
    // column's own cell back colours; it also colours rows loaded later.
    // cellBackColor reports it for cells without a colour of their own.
    void setColBackColor(int col, const QColor& c);
    // The colour of the fixed column's cells (the header's button colour).
    QColor fixedBackColor() const { return fixedBack_; }
    void setFixedBackColor(const QColor& c);
    // The desktop's colours the cells without a back colour of their own
    // stand on. A cell with a back colour and no text colour gets black or
    // white, whichever reads on it; a text colour of its own that would not
    // read on the desktop's background gives way to the desktop's text colour.
    void setDesktopColours(const QPalette& palette);

    // Alignment codes: 0 left-top, 1 left-centre, 2 left-bottom, 3 centre-top,
    // 4 centre-centre, 5 centre-bottom, 6 right-top, 7 right-centre,
    // 8 right-bottom, 9 general (text left, numbers right).
    // colAlignment is that of the data cells (default 9), colAlignmentFixed
    // that of the header cell (default: the header's own). A column of -1
    // sets every column; a code outside 0..9 throws 380.
    int colAlignment(int col) const;
    void setColAlignment(int col, int code);
    int colAlignmentFixed(int col) const;  // -1 while never set
    void setColAlignmentFixed(int col, int code);
    static Qt::Alignment alignmentOf(int code, const QString& text);

    // The widest of a column's texts in the font, in pixels, and whether
    // they are all figures (digits, signs, separators), the header's text
    // left out of that question. Measures each distinct text at most once.
    struct TextExtent {
        int widest = 0;
        bool figures = true;
    };
    TextExtent textExtent(int col, const QFontMetricsF& fm) const;

    // Sorts the data rows (1..rows-1) by one column as text or as numbers.
    // Stable: rows with equal keys keep their order. Each row's cell colours
    // go with it. Text comparison ignores case. As numbers, empty cells come
    // first, then numbers by value, then other texts (descending reverses).
    void sortRows(int col, bool ascending, bool numeric);
    // Whether every non-empty data cell of the column reads as a number
    // (with "." or the user's decimal separator).
    bool isNumericColumn(int col) const;

    // While off, text writes raise no change notifications; switching it on
    // again refreshes the whole view once (for rewriting a column of a large
    // result cell by cell).
    bool redraw() const { return redraw_; }
    void setRedraw(bool on);

    // QAbstractTableModel: the view shows data rows 1..rows-1; row 0 is the
    // horizontal header.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Every role of a cell at once: the view's painting asks for seven per
    // cell, and the cell is looked up once for them all.
    void multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // 0 means no colour of its own; a set colour is stored opaque, so never 0.
    struct CellColours {
        QRgb back = 0;
        QRgb fore = 0;
    };
    // A column's cells, header included, as indices into its distinct texts
    // (see TextColumn). A cell's colours are an index into the grid's
    // palette of colour pairs; a column never coloured holds none.
    struct Column {
        TextColumn text;
        std::vector<quint32> colours;  // empty, or one per row (0 = none)
    };
    const QString& cell(int row, int col) const;
    // Two corners of a range, checked, as top-left and bottom-right.
    void orderRange(int& row1, int& col1, int& row2, int& col2) const;
    CellColours cellColours(int row, int col) const;
    // The text colour a cell is drawn in (invalid: the view's own) on its
    // back colour (0: the desktop's).
    QColor foreOn(QRgb ownFore, QRgb back, bool fixedCell) const;
    void setCellColours(int row, int col, CellColours c);
    quint32 paletteIndex(CellColours c);
    // Appends a text to a column's texts, tidying them when edits have left
    // many unused.
    quint32 addText(Column& c, const QString& text);
    void compactTexts(Column& c);
    // Every column with empty data rows, keeping its header cell.
    void freshColumns(size_t dataRows);
    // The roles' list is made only when a notification goes out: with
    // redraw off a large grid is rewritten cell by cell without allocating.
    void cellChanged(int row, int col, std::initializer_list<int> roles);

    int cols_ = 1;
    int rows_ = 1;                   // the header included
    std::vector<Column> columns_;
    std::vector<CellColours> palette_{CellColours{}};
    std::unordered_map<quint64, quint32> paletteIndex_;
    CellColours lastColours_;       // the pair looked up last, and its index
    quint32 lastIndex_ = 0;
    std::vector<QRgb> colBack_;     // 0 = none
    std::vector<int> align_;        // data cells
    std::vector<int> alignFixed_;   // header cells, -1 = the header's own
    QColor fixedBack_;
    QColor fixedFore_{Qt::black};
    QColor desktopBase_{Qt::white};
    QColor desktopText_{Qt::black};
    bool redraw_ = true;
    bool headerDirty_ = false;
    bool dataDirty_ = false;
};

class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    GridModel& model() { return model_; }
    const GridModel& model() const { return model_; }

    int rows() const { return model_.rows(); }
    int cols() const { return model_.cols(); }
    void setRows(int n) { model_.setRows(n); }
    void setCols(int n);
    QString textMatrix(int row, int col) const { return model_.textMatrix(row, col); }
    void setTextMatrix(int row, int col, const QString& t) { model_.setTextMatrix(row, col, t); }

    // Widths and heights in twips; a width of 0 hides the column (it keeps
    // its texts), a negative width restores the default. Widths last across
    // setDataRows and clearData.
    int colWidth(int col) const;
    void setColWidth(int col, int twipsWidth);
    // The widths on screen follow a window that scales its controls: each
    // given width times the factor (1 by default); colWidth keeps reporting
    // the given width.
    void setWidthScale(double factor);
    int rowHeightTwips() const;               // the data rows' height
    void setRowHeightTwips(int twipsHeight);  // every row, header included
    void setDataRowHeightTwips(int twipsHeight);  // rows 1.., the header keeps its height
    int headerHeightTwips() const;
    void setHeaderHeightTwips(int twipsHeight);

    // The current cell, counting the header row and the fixed column
    // (row 0 / col 0 mean none chosen among the data cells).
    int currentRowIndex() const;
    int currentColIndex() const;
    // Makes a data cell current and the selection that cell alone (a hidden
    // column may be current; it is never shown). Row 0 clears the current cell.
    void setCurrentCell(int row, int col);
    // The selected cells as tab- and newline-separated text: the rectangle the
    // selection spans (the current cell alone when nothing is selected).
    QString clipText() const;

    // The rectangle of a cell in the view's viewport coordinates (row 0: the
    // header section, above the viewport).
    QRect cellRect(int row, int col) const;

    // While held, the columns are not fitted to their texts; the last
    // release fits them once. A grid refilled and then reformatted (raw
    // rates are wider than their rounded figures) would otherwise resize
    // its columns twice, and a resize told to the view repaints the grid
    // again on its next turn.
    void holdFitting();
    void releaseFitting();

signals:
    void cellClicked(int row, int col);
    void cellDoubleClicked(int row, int col);
    void headerDoubleClicked(int col);
    // Every key pressed while the grid has the focus, before the grid's own
    // handling (arrow keys move the current cell).
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void applyColumnWidth(int col);
    void applyColumnWidths();
    // Every shown column at its given width, or wider where a figure or the
    // header would not show whole in the font; a column of names also takes
    // the grid's free room, from the left, until its names show whole.
    void fitColumns();
    void forgetExtents(int firstCol, int lastCol, bool headerToo);
    int givenPx(int col) const;
    void applyRowHeights();

    GridModel model_;
    std::vector<int> widthsTwips_;  // -1 = the default width
    int dataRowTwips_ = -1;         // -1 = from the font
    int headerTwips_ = -1;          // -1 = the header's own
    double widthScale_ = 1.0;
    // The width each column's data texts need, with the cell's margins,
    // and whether they are figures; widest -1 = not measured since a change.
    std::vector<GridModel::TextExtent> extents_;
    std::vector<int> headerPx_;  // -1 = not measured since a change
    bool fitting_ = false;
    int fitHolds_ = 0;
    bool fitWanted_ = false;  // a fit asked for while held
};

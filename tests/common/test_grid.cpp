#include "platform/grid.h"

#include "common/colours.h"
#include "platform/guarded.h"
#include "platform/twips.h"
#include "support/paint_count.h"
#include "support/scripted_interaction.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <malloc.h>

namespace {

// Header texts in row 0 from column 1 (column 0 is the empty fixed column),
// then the given data rows.
void fill(Grid& g, const QStringList& header, const std::vector<QStringList>& data)
{
    g.setCols(int(header.size()) + 1);
    g.setRows(1);
    for (int c = 0; c < header.size(); ++c)
        g.setTextMatrix(0, c + 1, header[c]);
    std::vector<QStringList> rows;
    for (const QStringList& d : data)
        rows.push_back(QStringList{QString()} + d);
    g.model().setDataRows(std::move(rows));
}

// Runs f and returns the number and description it failed with.
template <class F>
std::pair<int, QString> failure(F f)
{
    try {
        f();
    } catch (const ProgramError& e) {
        return {e.number, e.description};
    }
    return {0, QString()};
}

QPoint centreOf(const Grid& g, int row, int col) { return g.cellRect(row, col).center(); }

QColor backShown(const Grid& g, int row, int col)
{
    return g.model().data(g.model().index(row - 1, col), Qt::BackgroundRole).value<QBrush>().color();
}

QStringList column(const Grid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << g.textMatrix(r, col);
    return out;
}

// Qt's checks of a model, run on every change the model announces; what
// they find wrong is collected instead of printed.
class ModelChecks {
public:
    explicit ModelChecks(QAbstractItemModel& model)
    {
        found().clear();
        previous_ = qInstallMessageHandler(&collect);
        tester_ = std::make_unique<QAbstractItemModelTester>(&model,
                                                             QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~ModelChecks()
    {
        tester_.reset();
        qInstallMessageHandler(previous_);
    }
    static QStringList& found()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtDebugMsg && QByteArray(context.category ? context.category : "") == "qt.modeltest")
            found() << text;
    }
    QtMessageHandler previous_ = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

}  // namespace

TEST(Grid, EveryChangeTheModelAnnouncesMatchesWhatItThenHolds)
{
    // The view trusts the announced ranges: a row announced in the wrong
    // place shows a neighbour's texts or reads past the end.
    Grid g;
    g.resize(400, 200);
    g.show();
    ModelChecks checks(g.model());
    GridModel& m = g.model();
    auto numberRows = [&] {
        // Column 0 names its row, so a neighbour read in its place shows.
        for (int r = 1; r < m.rows(); ++r)
            m.setTextMatrix(r, 0, QStringLiteral("r%1").arg(r));
    };

    g.setCols(4);
    for (int c = 1; c < 4; ++c)
        m.setTextMatrix(0, c, QStringLiteral("F%1").arg(c));
    g.setRows(4);
    numberRows();
    g.setRows(7);
    numberRows();
    g.setRows(3);
    g.setRows(1);
    g.setRows(5);
    numberRows();
    g.setCols(6);
    g.setCols(2);
    g.setCols(4);

    m.setDataRows({{"r1", "Smith", "3", ".250"}, {"r2", "jones", "10", "1.000"}, {"r3", "", "2", ""},
                   {"r4", "Adams", "", ".333"}});
    m.setCellBackColor(2, 1, Qt::yellow);
    m.setCellForeColor(0, 2, Qt::red);
    m.setRangeBackColor(0, 1, 3, 3, Qt::cyan);
    m.setRangeBackColor(2, 2, 4, 3, Qt::green);
    m.setColBackColor(3, Qt::lightGray);
    m.setFixedBackColor(Qt::gray);
    m.setDesktopColours(g.palette());
    m.setColAlignment(-1, 3);
    m.setColAlignment(2, 7);
    m.setColAlignmentFixed(-1, 4);
    m.setColAlignmentFixed(1, 0);
    m.mapDataTexts(3, [](const QString& t) { return t.isEmpty() ? t : t + QStringLiteral("0"); });
    m.sortRows(2, true, true);
    m.sortRows(1, false, false);
    m.setRedraw(false);
    m.setTextMatrix(1, 2, QStringLiteral("11"));
    m.setTextMatrix(0, 2, QStringLiteral("AB"));
    m.setRangeBackColor(0, 1, 4, 1, Qt::white);
    m.setRedraw(true);

    std::vector<TextColumn> columns(3);
    for (TextColumn& c : columns) {
        c.texts = {QString(), QStringLiteral("x"), QStringLiteral("y")};
        c.cells = {1, 2, 0, 1, 2, 2};
    }
    m.setDataColumns(std::move(columns), 6);
    m.sortRows(1, true, false);
    m.clearData();
    g.setRows(3);
    numberRows();
    m.clearData();
    m.setRedraw(false);
    m.setRedraw(true);

    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.textMatrix(0, 2), QStringLiteral("AB"));
    EXPECT_TRUE(ModelChecks::found().isEmpty()) << ModelChecks::found().join(QLatin1Char('\n')).toStdString();
}

TEST(Grid, CountsTheHeaderRowAndTheFixedColumn)
{
    Grid g;
    g.setCols(4);
    g.setRows(3);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.cols(), 4);
    // The view shows the data rows only; row 0 is its horizontal header.
    EXPECT_EQ(g.model().rowCount(), 2);
    EXPECT_EQ(g.model().columnCount(), 4);
    EXPECT_TRUE(g.verticalHeader()->isHidden());

    g.setTextMatrix(0, 1, QStringLiteral("Batter"));
    g.setTextMatrix(1, 1, QStringLiteral("Smith"));
    g.setTextMatrix(2, 0, QStringLiteral("Team"));
    EXPECT_EQ(g.model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Batter"));
    EXPECT_EQ(g.model().index(0, 1).data().toString(), QStringLiteral("Smith"));
    EXPECT_EQ(g.model().index(1, 0).data().toString(), QStringLiteral("Team"));
    EXPECT_EQ(g.textMatrix(2, 3), QString());  // never written

    // The view never edits; the fixed column cannot be selected.
    EXPECT_FALSE(g.model().flags(g.model().index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(g.model().flags(g.model().index(0, 1)) & Qt::ItemIsSelectable);
    EXPECT_FALSE(g.model().flags(g.model().index(0, 0)) & Qt::ItemIsSelectable);

    // Growing keeps what is there.
    g.setRows(5);
    g.setCols(6);
    EXPECT_EQ(g.textMatrix(1, 1), QStringLiteral("Smith"));
    EXPECT_EQ(g.textMatrix(4, 5), QString());

    EXPECT_EQ(g.currentRowIndex(), 0);
    EXPECT_EQ(g.currentColIndex(), 0);
    g.resize(500, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setCurrentCell(2, 3);
    EXPECT_EQ(g.currentRowIndex(), 2);
    EXPECT_EQ(g.currentColIndex(), 3);
    EXPECT_EQ(g.currentIndex().row(), 1);
    g.setCurrentCell(0, 3);
    EXPECT_EQ(g.currentRowIndex(), 0);

    // The rectangle of a cell lies over that cell, and clicks report the
    // grid's own row and column numbers.
    EXPECT_EQ(g.indexAt(centreOf(g, 3, 2)), g.model().index(2, 2));
    QSignalSpy clicked(&g, &Grid::cellClicked);
    QSignalSpy doubled(&g, &Grid::cellDoubleClicked);
    QSignalSpy header(&g, &Grid::headerDoubleClicked);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(g, 3, 2));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 3);
    EXPECT_EQ(clicked[0][1].toInt(), 2);
    EXPECT_EQ(g.currentRowIndex(), 3);
    EXPECT_EQ(g.currentColIndex(), 2);

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(g, 1, 0));
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked[1][0].toInt(), 1);
    EXPECT_EQ(clicked[1][1].toInt(), 0);
    EXPECT_TRUE(g.selectionModel()->selectedIndexes().isEmpty());

    // A real double-click starts with a press and release on the cell.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(g, 2, 3));
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centreOf(g, 2, 3));
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled[0][0].toInt(), 2);
    EXPECT_EQ(doubled[0][1].toInt(), 3);

    QHeaderView* h = g.horizontalHeader();
    const QPoint onSection(h->sectionViewportPosition(2) + h->sectionSize(2) / 2, h->height() / 2);
    QTest::mouseDClick(h->viewport(), Qt::LeftButton, {}, onSection);
    ASSERT_EQ(header.count(), 1);
    EXPECT_EQ(header[0][0].toInt(), 2);
    // A header click selects no column.
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, onSection);
    EXPECT_FALSE(g.selectionModel()->isColumnSelected(2, {}));
}

TEST(Grid, OutOfRangeRaisesTheGridErrors)
{
    Grid g;
    g.setCols(19);
    g.setRows(50);
    const std::pair<int, QString> badRow{30009, QStringLiteral("Invalid Row value")};
    const std::pair<int, QString> badCol{30010, QStringLiteral("Invalid Col value")};

    EXPECT_EQ(failure([&] { g.textMatrix(50, 1); }), badRow);
    EXPECT_EQ(failure([&] { g.textMatrix(-1, 1); }), badRow);
    EXPECT_EQ(failure([&] { g.textMatrix(1, 19); }), badCol);
    EXPECT_EQ(failure([&] { g.textMatrix(50, 19); }), badRow);  // the row is checked first
    EXPECT_EQ(failure([&] { g.setTextMatrix(50, 1, QStringLiteral("1")); }), badRow);
    EXPECT_EQ(failure([&] { g.model().setCellBackColor(0, -1, Qt::red); }), badCol);
    EXPECT_EQ(failure([&] { g.model().cellForeColor(51, 0); }), badRow);
    EXPECT_EQ(failure([&] { g.setColWidth(19, 0); }), badCol);
    EXPECT_EQ(failure([&] { g.colWidth(-1); }), badCol);
    EXPECT_EQ(failure([&] { g.setCurrentCell(50, 1); }), badRow);
    EXPECT_EQ(failure([&] { g.cellRect(1, 19); }), badCol);
    EXPECT_EQ(failure([&] { g.model().sortRows(19, true, false); }), badCol);
    EXPECT_EQ(failure([&] { g.model().rangeText(0, 0, 50, 18); }), badRow);
    EXPECT_EQ(failure([&] { g.model().setColAlignment(1, 10); }).first, int(errors::InvalidPropertyValue));
    EXPECT_EQ(failure([&] { g.setRows(0); }), badRow);

    // The last cell is in range, and a failed write changes nothing.
    EXPECT_EQ(failure([&] { g.setTextMatrix(49, 18, QStringLiteral("1")); }).first, 0);
    EXPECT_EQ(g.textMatrix(49, 18), QStringLiteral("1"));
    EXPECT_EQ(g.rows(), 50);
    EXPECT_EQ(g.cols(), 19);

    // Inside a handler the failure becomes the "Program Error" box.
    ScriptedInteraction ui;
    EXPECT_FALSE(guarded([&] { g.setTextMatrix(50, 10, QStringLiteral("1")); }));
    EXPECT_EQ(ui.programErrors(),
              QStringList{QStringLiteral("The following error has occurred: 30009, Invalid Row value")});
}

TEST(Grid, ZeroWidthColumnsStayHiddenAndKeepTheirText)
{
    Grid g;
    g.setCols(19);
    g.setRows(50);
    g.setColWidth(0, 0);
    g.setColWidth(1, 1800);
    g.setColWidth(18, 0);
    for (int c = 2; c < 18; ++c)
        g.setColWidth(c, 400);
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_TRUE(g.isColumnHidden(18));
    EXPECT_FALSE(g.isColumnHidden(1));
    EXPECT_EQ(g.colWidth(18), 0);
    EXPECT_EQ(g.colWidth(1), 1800);
    EXPECT_EQ(g.columnWidth(1), twips::toPx(1800));
    g.setTextMatrix(3, 18, QStringLiteral("1"));
    EXPECT_EQ(g.textMatrix(3, 18), QStringLiteral("1"));

    // The arrow keys never land on a hidden column.
    g.resize(800, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    g.setCurrentCell(1, 17);
    QTest::keyClick(&g, Qt::Key_Right);
    EXPECT_EQ(g.currentColIndex(), 17);
    g.setCurrentCell(1, 1);
    QTest::keyClick(&g, Qt::Key_Left);
    EXPECT_EQ(g.currentColIndex(), 1);
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.currentRowIndex(), 2);

    // A hidden cell may still be the current cell (nothing is shown there).
    g.setCurrentCell(49, 18);
    EXPECT_EQ(g.currentRowIndex(), 49);
    EXPECT_EQ(g.currentColIndex(), 18);
    EXPECT_TRUE(g.isColumnHidden(18));

    // A reload or a clear forgets no width; new columns come in at the
    // default width without disturbing the others.
    g.model().setDataRows({QStringList{QString(), QStringLiteral("Smith")}});
    EXPECT_TRUE(g.isColumnHidden(18));
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_EQ(g.columnWidth(1), twips::toPx(1800));
    g.model().clearData();
    EXPECT_EQ(g.rows(), 1);
    EXPECT_TRUE(g.isColumnHidden(18));
    g.setCols(21);
    EXPECT_TRUE(g.isColumnHidden(18));
    EXPECT_FALSE(g.isColumnHidden(20));
    EXPECT_EQ(g.columnWidth(2), twips::toPx(400));
    g.setCols(10);
    g.setCols(19);
    EXPECT_FALSE(g.isColumnHidden(18));  // a new column 18, not the old one

    g.setColWidth(18, 350);
    EXPECT_FALSE(g.isColumnHidden(18));
    EXPECT_EQ(g.columnWidth(18), twips::toPx(350));
    g.setColWidth(18, -1);
    EXPECT_EQ(g.columnWidth(18), g.horizontalHeader()->defaultSectionSize());
}

TEST(Grid, CellColoursAndBandingSurviveTextChanges)
{
    Grid g;
    g.setCols(19);
    g.setRows(50);
    const QColor grey = colours::fromBgr(0x00E0E0E0);
    const QColor yellow = colours::fromBgr(0x00C0FFFF);
    for (int r = 1; r < 50; ++r)
        for (int c = 1; c < 19; ++c)
            g.model().setCellBackColor(r, c, r % 2 ? grey : yellow);

    for (int r = 1; r < 50; ++r)
        for (int c = 1; c < 19; ++c)
            g.setTextMatrix(r, c, QString::number(r * c));
    g.setTextMatrix(2, 5, QString());
    EXPECT_EQ(g.model().cellBackColor(1, 1), grey);
    EXPECT_EQ(g.model().cellBackColor(2, 5), yellow);
    EXPECT_EQ(g.model().cellBackColor(49, 18), grey);
    EXPECT_EQ(backShown(g, 2, 5), yellow);

    // Row 0 and column 0 keep the fixed-cell colour, that of the header.
    EXPECT_FALSE(g.model().cellBackColor(0, 3).isValid());
    EXPECT_FALSE(g.model().cellBackColor(4, 0).isValid());
    EXPECT_EQ(backShown(g, 4, 0), g.palette().color(QPalette::Button));
    EXPECT_FALSE(g.model().headerData(3, Qt::Horizontal, Qt::BackgroundRole).isValid());

    g.model().setCellForeColor(3, 12, Qt::blue);
    EXPECT_EQ(g.model().cellForeColor(3, 12), QColor(Qt::blue));
    EXPECT_EQ(g.model().index(2, 12).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::blue));
    g.model().setCellForeColor(3, 12, QColor());
    EXPECT_FALSE(g.model().cellForeColor(3, 12).isValid());
    EXPECT_EQ(g.model().cellBackColor(3, 12), grey);  // the back colour is its own

    // A column colour is as if every data cell of the column were given it;
    // a later cell colour wins over it.
    g.model().setColBackColor(5, Qt::red);
    EXPECT_EQ(g.model().cellBackColor(2, 5), QColor(Qt::red));
    EXPECT_EQ(backShown(g, 7, 5), QColor(Qt::red));
    EXPECT_EQ(g.model().cellBackColor(2, 6), yellow);
    g.model().setCellBackColor(2, 5, Qt::green);
    EXPECT_EQ(g.model().cellBackColor(2, 5), QColor(Qt::green));
    EXPECT_EQ(g.model().cellBackColor(3, 5), QColor(Qt::red));

    // One notification per changed cell, none for a write of the same text.
    QSignalSpy changed(&g.model(), &QAbstractItemModel::dataChanged);
    g.setTextMatrix(4, 4, QStringLiteral("99"));
    g.setTextMatrix(4, 4, QStringLiteral("99"));
    EXPECT_EQ(changed.count(), 1);
    // With redraw off a column rewrite raises nothing until redraw is back.
    changed.clear();
    g.model().setRedraw(false);
    for (int r = 1; r < 50; ++r)
        g.setTextMatrix(r, 17, QStringLiteral(".50"));
    EXPECT_EQ(changed.count(), 0);
    g.model().setRedraw(true);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(g.textMatrix(49, 17), QStringLiteral(".50"));

    // A range coloured at once is as if each of its cells were, fore
    // colours kept; its corners may come in either order.
    g.model().setCellForeColor(10, 3, Qt::blue);
    g.model().setRangeBackColor(11, 4, 10, 2, Qt::cyan);
    for (int r = 10; r <= 11; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(g.model().cellBackColor(r, c), QColor(Qt::cyan)) << r << "," << c;
    EXPECT_EQ(g.model().cellForeColor(10, 3), QColor(Qt::blue));
    EXPECT_EQ(g.model().cellBackColor(13, 3), grey);
    EXPECT_EQ(g.model().cellBackColor(10, 6), yellow);
    EXPECT_EQ(backShown(g, 11, 4), QColor(Qt::cyan));

    // A reload takes the old rows' cell colours away with them; the column
    // colour stays with its column.
    g.model().setDataRows({QStringList{}, QStringList{}});
    EXPECT_FALSE(g.model().cellBackColor(1, 1).isValid());
    EXPECT_EQ(g.model().cellBackColor(2, 5), QColor(Qt::red));
}

TEST(Grid, EveryRoleOfACellAnswersAtOnceAndUnknownRolesAreEmpty)
{
    // How the view's painting asks: all roles of a cell in one call, into
    // slots it may have used for the previous cell.
    Grid g;
    fill(g, {QStringLiteral("Batter"), QStringLiteral("K")},
         {{QStringLiteral("Smith"), QStringLiteral("3")}, {QStringLiteral("Jones"), QString()}});
    g.model().setCellForeColor(1, 2, Qt::blue);
    g.model().setColBackColor(1, Qt::red);
    auto ask = [&](int row, int col) {
        std::vector<QModelRoleData> roles;
        for (int role : {int(Qt::DisplayRole), int(Qt::TextAlignmentRole), int(Qt::BackgroundRole),
                         int(Qt::ForegroundRole), int(Qt::FontRole), int(Qt::DecorationRole), int(Qt::CheckStateRole)}) {
            roles.emplace_back(role);
            roles.back().setData(QStringLiteral("left over"));
        }
        g.model().multiData(g.model().index(row - 1, col), roles);
        return roles;
    };
    using A = Qt::Alignment;
    const auto coloured = ask(1, 2);
    EXPECT_EQ(coloured[0].data().toString(), QStringLiteral("3"));
    EXPECT_EQ(coloured[1].data().value<A>(), A(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_FALSE(coloured[2].data().isValid());
    EXPECT_EQ(coloured[3].data().value<QBrush>().color(), QColor(Qt::blue));
    for (size_t i = 4; i < coloured.size(); ++i)
        EXPECT_FALSE(coloured[i].data().isValid()) << i;

    const auto banded = ask(2, 1);
    EXPECT_EQ(banded[0].data().toString(), QStringLiteral("Jones"));
    EXPECT_EQ(banded[1].data().value<A>(), A(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(banded[2].data().value<QBrush>().color(), QColor(Qt::red));
    // A back colour of its own brings a text colour that reads on it.
    EXPECT_EQ(banded[3].data().value<QBrush>().color(), QColor(Qt::black));
    EXPECT_EQ(ask(2, 0)[2].data().value<QBrush>().color(), g.palette().color(QPalette::Button));
    // Outside the rows: nothing at all.
    for (const QModelRoleData& d : ask(3, 1))
        EXPECT_FALSE(d.data().isValid());
}

TEST(Grid, WindowShowsTheGridAsDrawnAfreshWhenScrollBarsComeAndGo)
{
    // What is on screen after each refresh, against the window drawn anew:
    // a scroll bar shown, moved or hidden without being repainted would
    // leave stale pixels behind.
    QWidget window;
    window.resize(420, 260);
    Grid g(&window);
    g.setGeometry(10, 10, 400, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto load = [&](int rows, int cols) {
        std::vector<QStringList> data;
        for (int r = 0; r < rows; ++r) {
            QStringList row{QString()};
            for (int c = 1; c < cols; ++c)
                row << QStringLiteral("%1.%2").arg(r).arg(c);
            data.push_back(row);
        }
        g.setCols(cols);
        g.model().setDataRows(std::move(data));
        g.doItemsLayout();
        QApplication::processEvents();
    };
    const struct {
        int rows, cols;
    } steps[] = {{3, 3}, {60, 3}, {60, 12}, {61, 12}, {61, 12}, {3, 12}, {3, 3}, {60, 12}, {0, 2}};
    for (const auto& s : steps) {
        load(s.rows, s.cols);
        const QImage shown = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage fresh = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, fresh) << s.rows << " rows, " << s.cols << " columns";
    }

    // New rows that leave both bars as they were repaint neither of them.
    load(60, 12);
    load(60, 12);
    PaintCount bars;
    g.horizontalScrollBar()->installEventFilter(&bars);
    g.verticalScrollBar()->installEventFilter(&bars);
    load(60, 12);
    load(60, 12);
    EXPECT_EQ(bars.paints, 0);
}

TEST(Grid, AlignmentCodesAndGeneralAlignment)
{
    using A = Qt::Alignment;
    EXPECT_EQ(GridModel::alignmentOf(5, {}), A(Qt::AlignHCenter | Qt::AlignBottom));
    // General: what reads as a number goes right, anything else left.
    EXPECT_EQ(GridModel::alignmentOf(9, QStringLiteral(".333")), A(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(GridModel::alignmentOf(9, QStringLiteral("2B")), A(Qt::AlignLeft | Qt::AlignVCenter));

    Grid g;
    fill(g, {QStringLiteral("Batter"), QStringLiteral("K")}, {{QStringLiteral("Smith"), QStringLiteral("3")}});
    auto shown = [&](int col) { return g.model().index(0, col).data(Qt::TextAlignmentRole).value<A>(); };
    EXPECT_EQ(g.model().colAlignment(1), 9);
    EXPECT_EQ(shown(1), A(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(shown(2), A(Qt::AlignRight | Qt::AlignVCenter));
    g.model().setColAlignment(-1, 3);
    g.model().setColAlignment(2, 7);
    EXPECT_EQ(shown(1), A(Qt::AlignHCenter | Qt::AlignTop));
    EXPECT_EQ(shown(2), A(Qt::AlignRight | Qt::AlignVCenter));
    // Header cells have their own alignment.
    EXPECT_FALSE(g.model().headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).isValid());
    g.model().setColAlignmentFixed(-1, 3);
    EXPECT_EQ(g.model().headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<A>(),
              A(Qt::AlignHCenter | Qt::AlignTop));
    EXPECT_EQ(g.model().colAlignment(1), 3);
    // The alignment is the column's: it lasts across a reload.
    g.model().setDataRows({{QString(), QStringLiteral("Jones"), QStringLiteral("1")}});
    EXPECT_EQ(shown(2), A(Qt::AlignRight | Qt::AlignVCenter));
}

TEST(Grid, SortKeepsColoursWithRowsAndComparesNumbersByValue)
{
    Grid g;
    fill(g, {QStringLiteral("Name"), QStringLiteral("Value")},
         {{QStringLiteral("c"), QStringLiteral("10")},
          {QStringLiteral("a"), QStringLiteral("9")},
          {QStringLiteral("B"), QStringLiteral("2")},
          {QStringLiteral("d"), QString()},
          {QStringLiteral("e"), QStringLiteral("x")},
          {QStringLiteral("f"), QStringLiteral("9")}});
    // Each row gets a colour from its name, so the colour must travel with it.
    auto colourOf = [](const QString& name) { const int k = name.toLower()[0].unicode();
        return QColor(k * 37 % 256, k * 91 % 256, 200);
    };
    for (int r = 1; r < g.rows(); ++r) {
        g.model().setCellBackColor(r, 1, colourOf(g.textMatrix(r, 1)));
        g.model().setCellForeColor(r, 2, colourOf(g.textMatrix(r, 1)));
    }
    auto coloursFollowed = [&] {
        for (int r = 1; r < g.rows(); ++r) {
            const QColor want = colourOf(g.textMatrix(r, 1));
            if (g.model().cellBackColor(r, 1) != want || g.model().cellForeColor(r, 2) != want)
                return false;
        }
        return true;
    };
    const QStringList byNumber{QStringLiteral("d"), QStringLiteral("B"), QStringLiteral("a"),
                               QStringLiteral("f"), QStringLiteral("c"), QStringLiteral("e")};

    g.model().sortRows(2, true, true);
    EXPECT_EQ(column(g, 1), byNumber);
    EXPECT_TRUE(coloursFollowed());
    EXPECT_EQ(g.textMatrix(0, 1), QStringLiteral("Name"));  // the header stays on top

    g.model().sortRows(2, true, false);
    EXPECT_EQ(column(g, 2), (QStringList{QString(), QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("9"),
                                         QStringLiteral("9"), QStringLiteral("x")}));
    EXPECT_TRUE(coloursFollowed());

    // Descending as numbers; equal values keep their order (a before f).
    g.model().sortRows(2, true, true);
    g.model().sortRows(2, false, true);
    EXPECT_EQ(column(g, 1), (QStringList{QStringLiteral("e"), QStringLiteral("c"), QStringLiteral("a"),
                                         QStringLiteral("f"), QStringLiteral("B"), QStringLiteral("d")}));
    EXPECT_TRUE(coloursFollowed());

    // Text ignores case.
    g.model().sortRows(1, true, false);
    EXPECT_EQ(column(g, 1), (QStringList{QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("c"),
                                         QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("f")}));
    EXPECT_TRUE(coloursFollowed());

    // Formatted innings pitched sort by value, not by their text.
    Grid ip;
    fill(ip, {QStringLiteral("IP")},
         {{QStringLiteral("12.35")}, {QStringLiteral(".50")}, {QStringLiteral("1.00")}, {QStringLiteral("-1")}});
    ip.model().sortRows(1, true, true);
    EXPECT_EQ(column(ip, 1), (QStringList{QStringLiteral("-1"), QStringLiteral(".50"), QStringLiteral("1.00"),
                                          QStringLiteral("12.35")}));
    ip.model().sortRows(1, false, false);
    EXPECT_EQ(column(ip, 1), (QStringList{QStringLiteral("12.35"), QStringLiteral("1.00"), QStringLiteral(".50"),
                                          QStringLiteral("-1")}));
}

TEST(Grid, ClipTextJoinsTheSelectedCells)
{
    Grid g;
    fill(g, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
         {{QStringLiteral("a1"), QStringLiteral("b1"), QStringLiteral("c1")},
          {QStringLiteral("a2"), QString(), QStringLiteral("c2")},
          {QStringLiteral("a3"), QStringLiteral("b3"), QStringLiteral("c3")}});
    g.setTextMatrix(2, 0, QStringLiteral("fixed"));
    g.setColWidth(3, 0);
    g.resize(500, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));

    EXPECT_EQ(g.clipText(), QString());
    g.setCurrentCell(1, 1);
    EXPECT_EQ(g.clipText(), QStringLiteral("a1"));
    // Click, then Shift+click: the rectangle between them, rows in order.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(g, 3, 2));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(g, 1, 1));
    EXPECT_EQ(g.clipText(), QStringLiteral("a1\tb1\na2\t\na3\tb3"));
    // Extending onto the fixed column adds nothing of it.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(g, 2, 0));
    EXPECT_FALSE(g.clipText().contains(QStringLiteral("fixed")));

    // The whole grid, as a workbook export takes it: header row, fixed
    // column and hidden column included.
    EXPECT_EQ(g.model().rangeText(0, 0, g.rows() - 1, g.cols() - 1),
              QStringLiteral("\tA\tB\tC\n\ta1\tb1\tc1\nfixed\ta2\t\tc2\n\ta3\tb3\tc3"));
}

TEST(Grid, RowHeightsInTwips)
{
    Grid g;
    fill(g, {QStringLiteral("A")}, {{QStringLiteral("1")}, {QStringLiteral("2")}});
    EXPECT_EQ(g.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_GE(g.rowHeight(0), g.fontMetrics().height());

    g.setRowHeightTwips(240);
    EXPECT_EQ(g.rowHeightTwips(), 240);
    EXPECT_EQ(g.rowHeight(1), twips::toPx(240));
    EXPECT_EQ(g.horizontalHeader()->height(), twips::toPx(240));

    g.setDataRowHeightTwips(200);
    EXPECT_EQ(g.rowHeight(0), twips::toPx(200));
    EXPECT_EQ(g.horizontalHeader()->height(), twips::toPx(240));
    EXPECT_EQ(g.headerHeightTwips(), 240);

    // Rows loaded later have the same height.
    g.model().setDataRows(std::vector<QStringList>(30));
    EXPECT_EQ(g.rowHeight(29), twips::toPx(200));
    EXPECT_EQ(g.cellRect(30, 1).top() - g.cellRect(29, 1).top(), twips::toPx(200));
}

TEST(Grid, LoadsAQuarterMillionRowsAtOnce)
{
    constexpr int rowCount = 250000;
    constexpr int colCount = 20;
    Grid g;
    QStringList header;
    for (int c = 1; c <= colCount; ++c)
        header << QStringLiteral("F%1").arg(c);
    fill(g, header, {});
    g.setColWidth(0, 0);
    g.setColWidth(7, 0);
    g.setDataRowHeightTwips(200);
    g.resize(900, 500);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));

    std::vector<QStringList> rows(rowCount);
    for (int r = 0; r < rowCount; ++r) {
        QStringList& row = rows[size_t(r)];
        row.reserve(colCount + 1);
        row << QString();
        for (int c = 1; c <= colCount; ++c)
            row << QString::number((r * 7919 + c * 104729) % 1000003);
    }

    QSignalSpy changed(&g.model(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&g.model(), &QAbstractItemModel::rowsInserted);
    // How long this takes is measured by bench_grid_select.
    g.model().setDataRows(std::move(rows));
    g.grab();  // paint the first page
    g.scrollToBottom();
    g.grab();  // and the last
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(inserted.count(), 0);

    EXPECT_EQ(g.rows(), rowCount + 1);
    EXPECT_EQ(g.textMatrix(rowCount, colCount),
              QString::number((qint64(rowCount - 1) * 7919 + colCount * 104729) % 1000003));
    EXPECT_TRUE(g.isColumnHidden(7));
    EXPECT_EQ(g.rowHeight(rowCount - 1), twips::toPx(200));
    EXPECT_EQ(g.verticalScrollBar()->value(), g.verticalScrollBar()->maximum());

    g.model().sortRows(3, true, true);
    g.grab();
    double prev = -1;
    bool ordered = true;
    for (int r = 1; r <= rowCount; r += 997) {
        const double v = g.textMatrix(r, 3).toDouble();
        ordered = ordered && v >= prev;
        prev = v;
    }
    EXPECT_TRUE(ordered);
}

TEST(Grid, CellsSharingATextAreEditedAlone)
{
    Grid g;
    g.setCols(3);
    g.setTextMatrix(0, 1, QStringLiteral("Team"));
    g.setTextMatrix(0, 2, QStringLiteral("IP"));
    // A result read column by column: every row of column 1 holds the same
    // text, and the header's text is also a data text of column 2.
    TextColumn team;
    team.texts.push_back(QStringLiteral("Cubs"));
    team.cells.assign(5, 1);
    TextColumn ip;
    ip.texts = {QString(), QStringLiteral("IP"), QStringLiteral("5.67"), QStringLiteral("0.5")};
    ip.cells = {1, 2, 3, 0, 2};
    g.model().setDataColumns({TextColumn{}, team, ip}, 5);
    EXPECT_EQ(g.rows(), 6);
    EXPECT_EQ(g.textMatrix(0, 1), QStringLiteral("Team"));
    EXPECT_EQ(column(g, 2), (QStringList{"IP", "5.67", "0.5", "", "5.67"}));

    g.setTextMatrix(3, 1, QStringLiteral("Reds"));
    EXPECT_EQ(column(g, 1), (QStringList{"Cubs", "Cubs", "Reds", "Cubs", "Cubs"}));
    // A column rewritten through its distinct texts leaves the header alone.
    g.model().mapDataTexts(2, [](const QString& t) { return t.isEmpty() ? t : QLatin1Char('[') + t + ']'; });
    EXPECT_EQ(g.textMatrix(0, 2), QStringLiteral("IP"));
    EXPECT_EQ(column(g, 2), (QStringList{"[IP]", "[5.67]", "[0.5]", "", "[5.67]"}));
    g.setTextMatrix(2, 2, QStringLiteral("x"));
    EXPECT_EQ(column(g, 2), (QStringList{"[IP]", "x", "[0.5]", "", "[5.67]"}));

    // Rows given as lists share their texts too; an edit still touches one cell.
    const QString shared = QStringLiteral("Smith");
    g.model().setDataRows({{QString(), shared, shared}, {QString(), shared, shared}});
    g.setTextMatrix(1, 2, QStringLiteral("Jones"));
    EXPECT_EQ(g.model().rangeText(1, 1, 2, 2), QStringLiteral("Smith\tJones\nSmith\tSmith"));

    // Thousands of edits of a few cells: each keeps the last text written.
    for (int round = 0; round < 3000; ++round)
        for (int r = 1; r <= 2; ++r)
            g.setTextMatrix(r, 1, QString::number(round * 10 + r));
    EXPECT_EQ(g.textMatrix(1, 1), QStringLiteral("29991"));
    EXPECT_EQ(g.textMatrix(2, 1), QStringLiteral("29992"));
    EXPECT_EQ(g.textMatrix(2, 2), QStringLiteral("Smith"));
    EXPECT_EQ(g.textMatrix(0, 1), QStringLiteral("Team"));
}

TEST(Grid, SortMatchesAStableSortOfTheRows)
{
    // The order a stable sort of whole rows gives with the grid's rules: text
    // ignoring case; as numbers, blank cells first, then numbers by value,
    // then other texts; descending reverses, equal keys keep their order.
    const QStringList values{"10", "9", "9.0", " ", "", "b", "B", "a", "-1", ".50", "0.5", "x1", "X1", "2", "10"};
    std::vector<QStringList> rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back({QString(), values[(i * 7 + i / 13) % values.size()], QString::number(i)});
    auto expected = [&](bool ascending, bool numeric) {
        struct Key {
            int kind;
            double value;
            QString text;
        };
        auto keyOf = [numeric](const QString& t) {
            if (!numeric)
                return Key{2, 0, t};
            if (t.trimmed().isEmpty())
                return Key{0, 0, t};
            bool ok = false;
            const double v = t.toDouble(&ok);
            return ok ? Key{1, v, t} : Key{2, 0, t};
        };
        auto less = [](const Key& a, const Key& b) {
            if (a.kind != b.kind)
                return a.kind < b.kind;
            if (a.kind == 1)
                return a.value < b.value;
            return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
        };
        std::vector<QStringList> sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const QStringList& a, const QStringList& b) {
            return ascending ? less(keyOf(a[1]), keyOf(b[1])) : less(keyOf(b[1]), keyOf(a[1]));
        });
        QStringList order;
        for (const QStringList& r : sorted)
            order << r[2];
        return order;
    };
    for (bool numeric : {false, true}) {
        for (bool ascending : {true, false}) {
            Grid g;
            fill(g, {QStringLiteral("Value"), QStringLiteral("Row")}, {});
            std::vector<QStringList> copy = rows;
            g.model().setDataRows(std::move(copy));
            g.model().sortRows(1, ascending, numeric);
            EXPECT_EQ(column(g, 2), expected(ascending, numeric))
                << (numeric ? "numbers" : "text") << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(Grid, ClearingKeepsTheHeaderAndGivesTheRowsBack)
{
    auto residentMb = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1.0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
        return -1.0;
    };
    Grid g;
    fill(g, {QStringLiteral("Batter"), QStringLiteral("GameID")}, {});
    g.model().setCellBackColor(0, 1, Qt::yellow);
    g.model().setColBackColor(2, Qt::cyan);
    malloc_trim(0);
    const double before = residentMb();
    {
        std::vector<QStringList> rows(200000);
        for (int r = 0; r < 200000; ++r)
            rows[size_t(r)] = {QString(), QStringLiteral("Batter number %1").arg(r), QString::number(r * 7919)};
        g.model().setDataRows(std::move(rows));
    }
    g.model().setCellForeColor(7, 1, Qt::red);
    const double loaded = residentMb();
    g.model().clearData();
    malloc_trim(0);
    const double cleared = residentMb();

    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.textMatrix(0, 2), QStringLiteral("GameID"));
    EXPECT_EQ(g.model().cellBackColor(0, 1), QColor(Qt::yellow));
    // New rows start without the old rows' colours; the column's stays.
    g.model().setDataRows({{QString(), QStringLiteral("a"), QStringLiteral("1")}});
    EXPECT_FALSE(g.model().cellForeColor(1, 1).isValid());
    EXPECT_EQ(g.model().cellBackColor(1, 2), QColor(Qt::cyan));
    // Most of what the rows took is the system's again.
    ASSERT_GT(loaded - before, 20.0);
    EXPECT_LT(cleared - before, (loaded - before) / 4) << before << " " << loaded << " " << cleared;
}

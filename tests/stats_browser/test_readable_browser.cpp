// The browser on a dark desktop and on the default one: every text of its
// eight tabs reads (from the rendered pixels), every grid shows the widest
// figures whole, and the bracket shows a long name from its beginning.
#include "analysis_fixture.h"
#include "platform/events.h"
#include "platform/twips.h"
#include "support/readable_check.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

namespace {

const QString LongName = QStringLiteral("Summit Valley Miners Baseball");  // 29 letters and a blank

// Each data cell of a shown column as wide as a saved game can make it:
// 12-digit ids, counts of four digits, rates of three whole digits and their
// decimals (an ERA of 999.99), 30-letter names.
void fillWidest(Grid& g)
{
    for (int c = 1; c < g.cols(); ++c) {
        if (g.isColumnHidden(c))
            continue;
        const QString head = g.textMatrix(0, c);
        for (int r = 1; r < g.rows(); ++r) {
            const QString text = g.textMatrix(r, c);
            bool number = false;
            text.toDouble(&number);
            if (head.contains(QStringLiteral("GameID"), Qt::CaseInsensitive))
                g.setTextMatrix(r, c, QStringLiteral("999999999999"));
            else if (number || text.startsWith('.'))
                g.setTextMatrix(r, c, text.contains('.') ? QStringLiteral("999.") + QString(text.size() - text.indexOf('.') - 1, '9')
                                                         : QStringLiteral("9999"));
            else if (head == QStringLiteral("Matchup"))
                g.setTextMatrix(r, c, LongName + QStringLiteral("  vs  ") + LongName);
            else if (!text.isEmpty())
                g.setTextMatrix(r, c, LongName);
        }
    }
}

class ReadableBrowserTest : public AnalysisTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        palette_.emplace(GetParam());
        AnalysisTest::SetUp();
        // The Game Stats tab shows the first game.
        clickCell(*browser->MSHFlexGrid1, 1, Form4::GameIdColumn);
    }
    void TearDown() override
    {
        AnalysisTest::TearDown();
        palette_.reset();
    }

    std::vector<Grid*> grids() const
    {
        Form4& b = *browser;
        return {b.MSHFlexGrid1, b.MSHFlexGrid2, b.MSHFlexGrid3, b.MSHFlexGrid4,  b.MSHFlexGrid5,  b.MSHFlexGrid6,
                b.MSHFlexGrid7, b.MSHFlexGrid8, b.MSHFlexGrid9, b.MSHFlexGrid10, b.MSHFlexGrid11, b.MSHFlexGrid12};
    }

private:
    std::optional<readable::DesktopPalette> palette_;
};

}  // namespace

TEST_P(ReadableBrowserTest, EveryTextOfEveryTabReads)
{
    browser->tb_Team->setText(LongName);
    browser->lbl_Team_Click(0);
    for (int tab = 0; tab < browser->SSTab1->count(); ++tab) {
        browser->SSTab1->setCurrentIndex(tab);
        QWidget* page = browser->SSTab1->widget(tab);
        SCOPED_TRACE(browser->SSTab1->tabText(tab).toStdString());
        const auto texts = readable::textsOf(page);
        EXPECT_FALSE(texts.empty());
        for (const readable::Text& t : texts)
            EXPECT_GE(t.contrast, 4.5) << t.where.toStdString();
    }
    for (const readable::Text& t : readable::textsOf(browser->SSTab1->tabBar()))
        EXPECT_GE(t.contrast, 4.5) << t.where.toStdString();
}

// Beyond the rows and columns the page shows at first, each view as its
// button runs it: rates that are all decimals (".00"), zeros and blanks
// among them.
TEST_P(ReadableBrowserTest, EveryCellOfEveryAggregateViewReads)
{
    Form4& b = *browser;
    const std::pair<Grid*, QPushButton*> views[] = {
        {b.MSHFlexGrid4, b.Command6},  {b.MSHFlexGrid4, b.Command7},  {b.MSHFlexGrid4, b.Command8},
        {b.MSHFlexGrid5, b.Command14}, {b.MSHFlexGrid5, b.Command13}, {b.MSHFlexGrid5, b.Command12},
        {b.MSHFlexGrid9, b.Command30}, {b.MSHFlexGrid10, b.Command34},
    };
    for (const auto& [grid, button] : views) {
        SCOPED_TRACE(button->objectName().toStdString());
        showTabOf(*grid);
        button->click();
        ASSERT_GT(grid->rows(), 2);
        const auto cells = readable::everyCellOf(*grid);
        EXPECT_GE(cells.size(), size_t(grid->rows() - 1));
        for (const readable::Text& t : cells)
            EXPECT_GE(t.contrast, 4.5) << t.where.toStdString();
    }
}

TEST_P(ReadableBrowserTest, EveryGridShowsTheWidestFiguresWholeAndNamesWhereItHasRoom)
{
    // The board's style sheet reaches the browser, as on the desktop: fonts
    // are then no longer handed down to the grids' parts.
    board->setStyleSheet(QStringLiteral("QLineEdit { color: black; background-color: white; }"));
    for (Grid* g : grids()) {
        SCOPED_TRACE(g->objectName().toStdString());
        ASSERT_GT(g->rows(), 1);
        // A Part's width is the least a column gets; what was given is kept
        // for the workbooks.
        std::vector<int> given;
        for (int c = 0; c < g->cols(); ++c)
            given.push_back(g->colWidth(c));
        fillWidest(*g);
        EXPECT_EQ(readable::cutCells(*g).join('\n').toStdString(), "");
        for (int c = 0; c < g->cols(); ++c) {
            EXPECT_EQ(g->colWidth(c), given[size_t(c)]) << c;
            if (given[size_t(c)] > 0) {
                EXPECT_GE(g->horizontalHeader()->sectionSize(c), twips::toPx(given[size_t(c)])) << c;
            }
        }
    }
}

TEST_P(ReadableBrowserTest, ABracketSlotShowsALongNameFromItsBeginning)
{
    browser->SSTab1->setCurrentIndex(7);
    browser->tb_Team->setText(LongName);
    browser->lbl_Team_Click(3);
    browser->lbl_Champ_Click();
    for (QLabel* slot : std::initializer_list<QLabel*>{browser->lbl_Team[3], browser->lbl_Champ}) {
        EXPECT_EQ(slot->text(), LongName);
        EXPECT_GE(slot->font().pointSizeF(), 6.0);
        EXPECT_LT(slot->font().pointSizeF(), 11.25);
        const bool fits = QFontMetrics(slot->font()).horizontalAdvance(LongName) <= slot->contentsRect().width();
        // Whole, or cut at its end only.
        if (!fits) {
            EXPECT_TRUE(slot->alignment() & Qt::AlignLeft);
        }
    }
    // A short one keeps the slot's font and stands in the middle.
    browser->tb_Team->setText(QStringLiteral("Sox"));
    browser->lbl_Team_Click(3);
    EXPECT_EQ(browser->lbl_Team[3]->font().pointSizeF(), 11.25);
    EXPECT_TRUE(browser->lbl_Team[3]->alignment() & Qt::AlignHCenter);
}

INSTANTIATE_TEST_SUITE_P(Palettes, ReadableBrowserTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? std::string("Dark") : std::string("Default"); });

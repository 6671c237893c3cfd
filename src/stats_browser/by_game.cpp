// Line scores, batting and pitching by game: the saved rows of one table
// each, filtered by what the user typed. A filter is bound as a LIKE
// pattern, so "%" and "_" in it stay wildcards while an apostrophe is just a
// character; the text is used exactly as typed, blanks included.
#include "stats_browser/form4.h"

#include "common/colours.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/look.h"
#include "stats_browser/query.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QString prefix(const QLineEdit* box)
{
    return box->text() + QLatin1Char('%');
}

QString contains(const QLineEdit* box)
{
    return QLatin1Char('%') + box->text() + QLatin1Char('%');
}

void widthRange(browser::View& v, int first, int last, int twips)
{
    for (int c = first; c <= last; ++c)
        v.widths.emplace_back(c, twips);
}

constexpr unsigned White = 0x00FFFFFF;
constexpr unsigned PaleCyan = 0x00FFFACC;

}  // namespace

void Form4::wireByGame()
{
    const std::pair<QPushButton*, void (Form4::*)()> buttons[] = {
        {Command4, &Form4::Command4_Click}, {Command11, &Form4::Command11_Click},
        {Command5, &Form4::Command5_Click}, {Command3, &Form4::Command3_Click},
        {Command9, &Form4::Command9_Click}, {Command2, &Form4::Command2_Click},
        {Command1, &Form4::Command1_Click}, {Command10, &Form4::Command10_Click},
    };
    for (const auto& [b, handler] : buttons)
        connect(b, &QPushButton::clicked, this, [this, handler = handler] { guarded([&] { (this->*handler)(); }); });
}

// ---------------------------------------------------------------- line scores

void Form4::Command4_Click()
{
    lineScores(allLineScoresView(), true, White);
}

browser::View Form4::allLineScoresView() const
{
    // Newest game first; within a game the visitors' row ("a_VIS") above the
    // home row, so each colour pair is one game.
    return lineScoresView(QString(), {}, true);
}

void Form4::Command11_Click()
{
    lineScores(lineScoresView(QStringLiteral("GameID LIKE ?"), {contains(Text9)}, false), false, PaleCyan);
}

browser::View Form4::lineScoresView(const QString& condition, const QVariantList& params, bool newestFirst) const
{
    browser::View v;
    v.showGrid = false;
    v.parts = db::Parts{browser::selectFields(QStringLiteral("BoxScores")), QStringLiteral("BoxScores"), condition};
    v.params = params;
    // Sorted after reading, as by ORDER BY GameID DESC, Host, rowid (Host is
    // NOCASE); see the batting views below.
    if (newestFirst)
        v.sortAfter = {{QStringLiteral("GameID"), true, false}, {QStringLiteral("Host"), false, true}};
    v.header = browser::fieldsOf(QStringLiteral("BoxScores"));
    v.widths = {{0, 300}, {1, 1450}, {21, 500}, {22, 500}, {23, 500}, {24, 500}, {25, 0}, {26, 1200}};
    widthRange(v, 2, 21, 320);
    v.alignments = {{1, browser::LeftTop}};
    return v;
}

void Form4::lineScores(const browser::View& v, bool hideWhileFilling, unsigned firstPairColour)
{
    Grid& g = *MSHFlexGrid1;
    // Hidden while it fills and colours, the user sees the finished grid.
    if (hideWhileFilling)
        g.hide();
    g.setFont(look::font(QStringLiteral("Calibri"), 8, g.font().bold()));
    runView(g, v);

    // Two rows per saved game share a colour, alternating from game to game.
    // A row without a partner (a game saved only in part) is coloured alone.
    GridModel& m = g.model();
    const QColor pairColours[2] = {colours::fromBgr(firstPairColour),
                                   colours::fromBgr(firstPairColour == White ? PaleCyan : White)};
    m.setRedraw(false);
    int pair = 0;
    if (m.cols() > 1)
        for (int r = 1; r < m.rows(); r += 2, ++pair)
            m.setRangeBackColor(r, 1, std::min(r + 1, m.rows() - 1), m.cols() - 1, pairColours[pair % 2]);
    m.setRedraw(true);
    g.setCurrentCell(0, 0);
    g.show();
}

// ---------------------------------------------------------------- batting

// Newest or oldest game first, each game's rows as they were saved. The rows
// are read in saved order and sorted by GameID afterwards: an ORDER BY on
// the unindexed GameID makes SQLite sort whole rows through temporary
// storage, the largest cost of a view of the whole table.

void Form4::Command5_Click()
{
    runView(*MSHFlexGrid2, battingByPlayerView());
}

browser::View Form4::battingByPlayerView() const
{
    return battingView(QStringLiteral("Batter LIKE ?"), prefix(Text1), Qt::DescendingOrder);
}

void Form4::Command3_Click()
{
    runView(*MSHFlexGrid2, battingView(QStringLiteral("Team LIKE ?"), prefix(Text2), Qt::AscendingOrder));
}

void Form4::Command9_Click()
{
    runView(*MSHFlexGrid2, battingView(QStringLiteral("GameID LIKE ?"), contains(Text7), std::nullopt));
}

browser::View Form4::battingView(const QString& condition, const QString& filter,
                                 std::optional<Qt::SortOrder> byGameId) const
{
    browser::View v;
    v.parts = db::Parts{browser::selectFields(QStringLiteral("Batting")), QStringLiteral("Batting"), condition};
    v.params = {filter};
    if (byGameId)
        v.sortAfter = {{QStringLiteral("GameID"), *byGameId == Qt::DescendingOrder}};
    v.header = browser::fieldsOf(QStringLiteral("Batting"));
    v.widths = {{0, 300}, {1, 2000}, {10, 1400}, {11, 1900}, {12, 1600}};
    widthRange(v, 2, 10, 490);  // AB ends at 490 too
    v.alignments = {{1, browser::LeftTop}, {11, browser::LeftTop}};
    return v;
}

// ---------------------------------------------------------------- pitching

void Form4::Command2_Click()
{
    runView(*MSHFlexGrid3, pitchingByPlayerView());
}

browser::View Form4::pitchingByPlayerView() const
{
    return pitchingView(QStringLiteral("Pitcher LIKE ?"), prefix(Text3), Qt::DescendingOrder, 1600, true);
}

void Form4::Command1_Click()
{
    // Innings as stored: a pitcher saved without outs reads 0.0001 here.
    runView(*MSHFlexGrid3,
            pitchingView(QStringLiteral("Team LIKE ?"), prefix(Text4), Qt::AscendingOrder, 2200, false));
}

void Form4::Command10_Click()
{
    runView(*MSHFlexGrid3, pitchingView(QStringLiteral("GameID LIKE ?"), contains(Text8), std::nullopt, 2200, true));
}

browser::View Form4::pitchingView(const QString& condition, const QString& filter,
                                  std::optional<Qt::SortOrder> byGameId, int gameIdWidth, bool formatInnings) const
{
    browser::View v;
    v.parts = db::Parts{browser::selectFields(QStringLiteral("Pitching")), QStringLiteral("Pitching"), condition};
    v.params = {filter};
    if (byGameId)
        v.sortAfter = {{QStringLiteral("GameID"), *byGameId == Qt::DescendingOrder}};
    v.header = browser::fieldsOf(QStringLiteral("Pitching"));
    // Column 10 exists only in a result with a tenth field.
    v.widths = {{0, 300}, {1, 2000}, {10, 1400}, {8, 1900}, {9, gameIdWidth}};
    widthRange(v, 2, 7, 690);
    v.alignments = {{1, browser::LeftTop}, {8, browser::LeftTop}};
    if (formatInnings)
        v.formats = {{7, 2}};
    return v;
}

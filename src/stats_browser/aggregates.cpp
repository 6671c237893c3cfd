// Aggregate batting and pitching: every player's totals over all saved
// games, one row per team and player, all and filtered by a name's prefix.
#include "stats_browser/form4.h"

#include "platform/guarded.h"
#include "stats_browser/aggregate_rows.h"
#include "stats_browser/query.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QVariantList prefixOf(const QLineEdit* box)
{
    return {box->text() + QLatin1Char('%')};
}

}  // namespace

void Form4::wireAggregates()
{
    const std::pair<QPushButton*, void (Form4::*)()> buttons[] = {
        {Command6, &Form4::Command6_Click},   {Command7, &Form4::Command7_Click},
        {Command8, &Form4::Command8_Click},   {Command14, &Form4::Command14_Click},
        {Command13, &Form4::Command13_Click}, {Command12, &Form4::Command12_Click},
    };
    for (const auto& [b, handler] : buttons)
        connect(b, &QPushButton::clicked, this, [this, handler = handler] { guarded([&] { (this->*handler)(); }); });
}

void Form4::Command6_Click()
{
    runView(*MSHFlexGrid4, allBattersView());
}

browser::View Form4::allBattersView() const
{
    return aggregateBattingView(QString(), {}, 550);
}

void Form4::Command7_Click()
{
    runView(*MSHFlexGrid4, aggregateBattingView(browser::prefixWhere("Batter"), prefixOf(Text6), 575));
}

void Form4::Command8_Click()
{
    runView(*MSHFlexGrid4, aggregateBattingView(browser::prefixWhere("Team"), prefixOf(Text5), 575));
}

void Form4::Command14_Click()
{
    runView(*MSHFlexGrid5, allPitchersView());
}

browser::View Form4::allPitchersView() const
{
    return aggregatePitchingView(QString(), {});
}

void Form4::Command13_Click()
{
    runView(*MSHFlexGrid5, aggregatePitchingView(browser::prefixWhere("Pitcher"), prefixOf(Text10)));
}

void Form4::Command12_Click()
{
    runView(*MSHFlexGrid5, aggregatePitchingView(browser::prefixWhere("Team"), prefixOf(Text11)));
}

browser::View Form4::aggregateBattingView(const QString& where, const QVariantList& params, int countWidth) const
{
    browser::View v;
    v.statement = browser::aggregateStatement(browser::AggregateTable::Batting, where);
    v.params = params;
    v.readFirst = [where, params](db::Connection& c) {
        return browser::aggregateRows(c, browser::AggregateTable::Batting, where, params);
    };
    v.header = browser::aggregateHeader(browser::AggregateTable::Batting);
    v.widths = {{0, 300}, {1, 2000}, {2, 1700}};
    for (int c = 3; c <= 13; ++c)
        v.widths.emplace_back(c, countWidth);
    v.alignments = {{1, browser::LeftTop}, {2, browser::LeftTop}};
    v.formats = {{12, 3}, {13, 3}};
    return v;
}

browser::View Form4::aggregatePitchingView(const QString& where, const QVariantList& params) const
{
    browser::View v;
    v.statement = browser::aggregateStatement(browser::AggregateTable::Pitching, where);
    v.params = params;
    v.readFirst = [where, params](db::Connection& c) {
        return browser::aggregateRows(c, browser::AggregateTable::Pitching, where, params);
    };
    v.header = browser::aggregateHeader(browser::AggregateTable::Pitching);
    v.widths = {{0, 300}, {1, 1700}, {2, 1500}, {3, 430}, {4, 430}, {5, 430}, {6, 430}, {7, 430}, {8, 625},
                {9, 550}, {10, 550}, {11, 550}, {12, 600}, {13, 600}, {14, 650}, {15, 650}};
    v.alignments = {{1, browser::LeftTop}, {2, browser::LeftTop}};
    for (int c = 8; c <= 15; ++c)
        v.formats.emplace_back(c, 2);
    return v;
}

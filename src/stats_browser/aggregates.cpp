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

// where: nothing for the all-players view, a name's prefix otherwise.
browser::View aggregateView(browser::AggregateTable table, const QString& where, const QVariantList& params)
{
    browser::View v;
    v.statement = browser::aggregateStatement(table, where);
    v.params = params;
    v.readFirst = [table, where, params](db::Connection& c) { return browser::aggregateRows(c, table, where, params); };
    v.header = browser::aggregateHeader(table);
    const std::vector<browser::ColumnLook> looks = browser::aggregateLooks(table);
    for (int c = 0; c < int(looks.size()); ++c) {
        const browser::ColumnLook& look = looks[size_t(c)];
        v.widths.emplace_back(c, where.isEmpty() ? look.width : look.filteredWidth);
        if (look.name)
            v.alignments.emplace_back(c, browser::LeftTop);
        if (look.decimals)
            v.formats.emplace_back(c, look.decimals);
    }
    return v;
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
    return aggregateBattingView(QString(), {});
}

void Form4::Command7_Click()
{
    runView(*MSHFlexGrid4, aggregateBattingView(browser::prefixWhere("Batter"), prefixOf(Text6)));
}

void Form4::Command8_Click()
{
    runView(*MSHFlexGrid4, aggregateBattingView(browser::prefixWhere("Team"), prefixOf(Text5)));
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

browser::View Form4::aggregateBattingView(const QString& where, const QVariantList& params) const
{
    return aggregateView(browser::AggregateTable::Batting, where, params);
}

browser::View Form4::aggregatePitchingView(const QString& where, const QVariantList& params) const
{
    return aggregateView(browser::AggregateTable::Pitching, where, params);
}

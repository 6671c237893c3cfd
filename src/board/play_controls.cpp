#include "board/play_controls.h"

#include "board/game_rules.h"
#include "board/sheet_lookup.h"
#include "common/numbers.h"
#include "platform/events.h"
#include "platform/grid.h"

#include <QLineEdit>
#include <QRadioButton>

namespace board {

Side PlayControls::battingSide() const
{
    if (visitors.atBat->isChecked())
        return Side::Visitors;
    if (home.atBat->isChecked())
        return Side::Home;
    return Side::None;
}

const SideControls* PlayControls::of(Side s) const
{
    switch (s) {
    case Side::Visitors: return &visitors;
    case Side::Home: return &home;
    default: return nullptr;
    }
}

Grid* PlayControls::statsGrid(Side s) const
{
    const SideControls* own = of(s);
    return own ? own->stats : nullptr;
}

ListBox* PlayControls::lineup(Side s) const
{
    const SideControls* own = of(s);
    return own ? own->lineup : nullptr;
}

ClickLabel* PlayControls::pitcher(Side s) const
{
    const SideControls* own = of(s);
    return own ? own->pitcher : nullptr;
}

bool PlayControls::lineupsLoaded() const
{
    return visitors.lineup->count() > 0 && home.lineup->count() > 0;
}

bool PlayControls::pitchersAndBatterSet() const
{
    const QString name = batter.text();
    if (visitors.pitcher->text().isEmpty() || home.pitcher->text().isEmpty() || name.isEmpty())
        return false;
    const Side side = battingSide();
    return side != Side::None && lineupHoldsName(lineup(side), name);
}

QString PlayControls::playSubject(Side s) const
{
    const SideControls* own = of(s);
    if (!own)
        return QString();
    const ListBox* list = own->lineup;
    const QString name = batter.text();
    const double at = num::Val(own->batterIndex->text());
    if (!name.isEmpty() && at >= 0 && at < list->count()) {
        const QString entry = list->itemText(static_cast<int>(at));
        if (game::entryName(entry) == name)
            return entry;
    }
    return list->itemText(list->listIndex());
}

bool PlayControls::chargeAtBat(Side first) const
{
    const Side order[2] = {first == Side::None ? Side::Visitors : first,
                           first == Side::None ? Side::Home : otherSide(first)};
    const QString name = batter.text();
    for (Side s : order) {
        Grid* g = statsGrid(s);
        const int row = findRow(g, col::Batter, name);
        if (row > 0) {
            countBatter(g, row, col::BatAB);
            return true;
        }
    }
    return false;
}

}  // namespace board

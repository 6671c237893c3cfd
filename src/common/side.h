#pragma once
// A side of the game: the visitors bat in the top of each inning, the home
// side in the bottom. None while neither is at bat. The board and the sheet
// both speak of sides, so the type lives on the floor both stand on.

namespace board {

enum class Side { None, Visitors, Home };

constexpr Side otherSide(Side s)
{
    switch (s) {
    case Side::Visitors: return Side::Home;
    case Side::Home: return Side::Visitors;
    default: return Side::None;
    }
}

}  // namespace board

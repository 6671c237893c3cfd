#pragma once
// Where the pips of a die face lie: for face n (1 to 6), three row texts of a
// 3 by 3 grid, 1 = pip, 0 = none; joined they are the face's mask
// ("0,0,0,0,1,0,0,0,0" for face 1). The board keeps the masks and the
// program-folder generator draws the face pictures from them.
namespace dice {

inline constexpr const char* pipMaskRows[7][3] = {
    {"", "", ""},
    {"0,0,0,", "0,1,0,", "0,0,0"},
    {"0,0,1,", "0,0,0,", "1,0,0"},
    {"0,0,1,", "0,1,0,", "1,0,0"},
    {"1,0,1,", "0,0,0,", "1,0,1"},
    {"1,0,1,", "0,1,0,", "1,0,1"},
    {"1,0,1,", "1,0,1,", "1,0,1"},
};

}  // namespace dice

#pragma once
// The columns of the statistics sheet's grids, for the sheet, its save and
// the board that counts plays into them.
namespace sheet {

// A team's statistics grid (row 0 is the header row).
namespace col {
constexpr int Batter = 1;
constexpr int BatK = 2, BatBB = 3, Bat1B = 4, Bat2B = 5, Bat3B = 6, BatHR = 7, BatSB = 8, BatRBI = 9, BatAB = 10;
constexpr int FirstBatCount = BatK;
constexpr int LastBatCount = BatAB;
constexpr int Pitcher = 11;
constexpr int PitK = 12, PitBB = 13, PitH = 14, PitHR = 15, PitER = 16;
constexpr int FirstPitchCount = PitK;
constexpr int LastPitchCount = PitER;
constexpr int IP = 17;
constexpr int PlayedFlag = 18;  // "1" when the batter's line is to be saved
constexpr int Count = 19;
}  // namespace col

// The box score: 0 the team, 1 to 20 the innings, then R, H, E.
namespace box {
constexpr int Team = 0;
constexpr int Runs = 21;
constexpr int Hits = 22;
constexpr int Errors = 23;
constexpr int Count = 24;
}  // namespace box

}  // namespace sheet

#pragma once
// The line score in the board's top frame: innings 1 to 10 and the totals
// of each side, the extra innings 11 to 20 in a frame of their own below it
// (hidden until X-INN), the digit heads that are the number pad, the team
// names, and the buttons under it: the outs with RESET, BALLPARKS, X-INN and
// UPDATE.
#include "board/box_score_edit.h"
#include "common/side.h"

#include <array>
#include <cstddef>

class ClickLabel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace board {

class LineScorePanel {
public:
    // A side's row of boxes: innings 1 to 20 at 0 to 19, then its totals.
    using Row = std::array<BoxScoreEdit*, 23>;
    static constexpr std::size_t InningBoxes = 20;
    static constexpr std::size_t Runs = 20;
    static constexpr std::size_t Hits = 21;
    static constexpr std::size_t Errors = 22;

    void build(QWidget* boardArea);

    // The visitors' row is the top one; any other side is the home row.
    const Row& row(Side s) const { return s == Side::Visitors ? tb_BoxScore : tb_BoxScoreBottom; }
    BoxScoreEdit* runs(Side s) const { return row(s)[Runs]; }
    BoxScoreEdit* hits(Side s) const { return row(s)[Hits]; }
    QLineEdit* teamName(Side s) const { return s == Side::Visitors ? tb_VisTeam : tb_HomeTeam; }
    // A double-click flips an inning box's completed mark; the totals boxes
    // carry none.
    void toggleCompleted(Side s, int index) const;

    QFrame* Frame3 = nullptr;  // innings 1-10 and totals
    QFrame* Frame1 = nullptr;  // extra innings 11-20
    QLabel* lbl_Frame1Caption = nullptr;
    Row tb_BoxScore{};        // visitors
    Row tb_BoxScoreBottom{};  // home
    std::array<ClickLabel*, 10> lbl_Digit{};  // lbl_0 .. lbl_9 (index = digit)
    std::array<QLabel*, 3> lbl_RHE{};
    std::array<QLabel*, 10> lbl_XinnHead{};
    QLineEdit* tb_VisTeam = nullptr;
    QLineEdit* tb_HomeTeam = nullptr;
    QLabel* lbl_OUTS = nullptr;
    QLineEdit* tb_OUT = nullptr;
    QPushButton* Command11 = nullptr;  // "RESET"
    QPushButton* Command9 = nullptr;   // "BALLPARKS"
    QCheckBox* cb_Xinnings = nullptr;
    QPushButton* Command5 = nullptr;  // "UPDATE"
};

}  // namespace board

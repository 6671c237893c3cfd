#pragma once
// The play panel over the field's top right corner: the outcome labels a
// play is recorded with, in two rows of eight, and STATS below them.
#include <array>

class ClickLabel;
class QWidget;

namespace board {

class OutcomePanel {
public:
    void build(QWidget* boardArea);

    // Every outcome label back to its resting colour. Nothing is written for
    // a label already at rest, so a move over the board costs no repaint.
    void rest() const;
    // The outcome labels in the order of their hover colours.
    const std::array<ClickLabel*, 17>& labels() const { return inColourOrder_; }

    ClickLabel* pb_Res = nullptr;
    ClickLabel* lbl_Single = nullptr;
    ClickLabel* lbl_Double = nullptr;
    ClickLabel* lbl_Triple = nullptr;
    ClickLabel* lbl_Homer = nullptr;
    ClickLabel* lbl_BB = nullptr;
    ClickLabel* lbl_K = nullptr;
    ClickLabel* lbl_GO = nullptr;
    ClickLabel* lbl_FO = nullptr;
    ClickLabel* lbl_LO = nullptr;
    ClickLabel* lbl_PO = nullptr;
    ClickLabel* lbl_FC = nullptr;
    ClickLabel* lbl_DP = nullptr;
    ClickLabel* lbl_Pick = nullptr;
    ClickLabel* lbl_AB = nullptr;
    ClickLabel* lbl_RBI = nullptr;
    ClickLabel* lbl_SB = nullptr;
    ClickLabel* lbl_STATS = nullptr;

private:
    std::array<ClickLabel*, 17> inColourOrder_{};
};

}  // namespace board

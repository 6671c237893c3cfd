#pragma once
// Centring of the board's secondary windows over the board.
#include <initializer_list>
#include <vector>

class QWidget;

// Moves each target (in order) so that its centre lies on the board's centre,
// by outer position and size read afresh for each target; a target larger
// than the board overhangs it equally on both sides. Sizes never change. The
// board passes its notice box and its statistics sheet.
void CenterOverMain(const QWidget* board, const std::vector<QWidget*>& targets);
inline void CenterOverMain(const QWidget* board, std::initializer_list<QWidget*> targets)
{
    CenterOverMain(board, std::vector<QWidget*>(targets));
}

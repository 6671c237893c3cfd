#pragma once
// What a user can read: the contrast of every text a window draws, taken
// from its rendered pixels, and whether a grid shows its texts whole.
#include <QPalette>
#include <QString>
#include <vector>

class Grid;
class QWidget;

namespace readable {

// A dark desktop palette, as Adwaita dark or Breeze Dark give Qt's Fusion.
QPalette darkPalette();

// The application's palette dark (or left as it is) while it lives; the
// palette before it comes back after.
class DesktopPalette {
public:
    explicit DesktopPalette(bool dark);
    ~DesktopPalette();
    DesktopPalette(const DesktopPalette&) = delete;
    DesktopPalette& operator=(const DesktopPalette&) = delete;

private:
    QPalette saved_;
};

struct Text {
    QString where;    // the control (and cell or tab) that draws it
    double contrast;  // of its darkest or lightest pixel against its background
};

// Every text of the window's visible labels, buttons, text boxes, tabs,
// list entries and grid cells (their headers included).
std::vector<Text> textsOf(QWidget* window);

// Every data cell of a grid that holds a text, each scrolled into view; the
// grid must be on the page its window shows.
std::vector<Text> everyCellOf(Grid& g);

// The cells (header included) whose text the grid shows cut, "row,col: text";
// a name may be cut at its end where the grid has no free room left.
QStringList cutCells(const Grid& g);

}  // namespace readable

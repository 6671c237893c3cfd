#pragma once
// The statistics sheet "Stats": both teams' batting and pitching lines and
// the box score of the game being played. It lives hidden for the whole run;
// closing it only hides it, so nothing the grids hold is lost.
#include "stats_sheet/sheet_board.h"
#include "stats_sheet/team_label.h"

#include <QDialog>
#include <set>
#include <utility>

class Grid;
class QLabel;
class QLineEdit;
class QFrame;
class QPushButton;
class PictureBox;
class ControlResizer;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(SheetBoard* board);
    ~Form2() override;

    void Form_Load();
    // Shrinks the sheet in its own proportion (controls and fonts with it)
    // where its outer size is larger than the area, as the board is shrunk
    // at launch, and moves it inside the area. Done each time it is shown.
    void fitInto(const QRect& area);
    void Form_MouseDown();
    ControlResizer& resizer();

    TeamLabel* lbl_VisTeam = nullptr;
    TeamLabel* lbl_HomeTeam = nullptr;
    Grid* grd_VisStats = nullptr;
    Grid* grd_HomeStats = nullptr;
    Grid* grd_BoxScore = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture4 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* tb_Comments = nullptr;
    QFrame* Frame1 = nullptr;
    QPushButton* Command2 = nullptr;  // "SAVE TO DB"

    // Hidden holders: the cell editor and the save's working values.
    QLineEdit* Text1 = nullptr;
    QLabel* lbl_GridSelected = nullptr;
    QLineEdit* tb_TimeStamp2 = nullptr;
    QLineEdit* tb_VisWin = nullptr;
    QLineEdit* tb_VisLoss = nullptr;
    QLineEdit* tb_HomeWin = nullptr;
    QLineEdit* tb_HomeLoss = nullptr;

    // The board this sheet belongs to.
    SheetBoard* board() const { return board_; }

    // "SAVE TO DB": stores the finished game (saving.cpp).
    void Command2_Click();
    // A game was stored in this run: a run records one game.
    bool gameSaved() const { return gameSaved_; }

    // Innings cells the user typed since the board last credited them: the
    // save leaves such a figure as typed instead of crediting the pitcher.
    void cellTyped(const Grid* grid, int row, int column);
    void inningsCredited(const Grid* grid, int row);
    bool inningsTyped(const Grid* grid, int row) const;

    // Wiring of the cell editor and the save, defined in their own files.
    void wireEditing();
    void wireSaving();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void layoutStatsGrid(Grid* grid, board::Side side);
    SheetBoard* board_;
    ControlResizer* resizer_ = nullptr;
    // The cell editor's event filter; it goes first when the sheet does, so no
    // event reaches it from a half-destroyed sheet.
    QObject* cellEditor_ = nullptr;
    std::set<std::pair<const Grid*, int>> typedInnings_;
    bool gameSaved_ = false;
};

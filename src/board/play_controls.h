#pragma once
// What a play reads and writes, on the board and on its sheet, in one place:
// the routines that record a play reach the controls through this alone, so
// a reader sees here all that a play can change.
#include "board/line_score_panel.h"
#include "common/side.h"

#include <QString>

class ClickLabel;
class Grid;
class ListBox;
class PictureBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TeamLabel;

namespace board {

class RunnerPieces;

// One side's controls, visitors or home: its part of the board and its
// part of the statistics sheet.
struct SideControls {
    Side side;
    QPushButton* load;  // Command6, Command7
    QRadioButton* atBat;  // Option5, Option6
    QCheckBox* edit;  // Check1, Check2
    ListBox* lineup;  // List1, List2
    QLineEdit* editBox;  // tb_List1edit, tb_List2edit
    QLabel* batterIndex;  // lbl_L1current, lbl_L2current
    ClickLabel* pitcher;  // lbl_VisPitcher, lbl_HomePitcher
    PictureBox* pitcherPhoto;  // img_VisPitch, img_HomePitch
    PictureBox* logo;  // img_VisLogo, img_HomeLogo
    QLineEdit* teamName;  // tb_VisTeam, tb_HomeTeam
    const LineScorePanel::Row& lineScore;  // tb_BoxScore, tb_BoxScoreBottom
    // The sheet's; nullptr while the board has no sheet.
    Grid* stats;  // grd_VisStats, grd_HomeStats
    TeamLabel* sheetTeam;  // lbl_VisTeam, lbl_HomeTeam
    PictureBox* sheetLogo;  // Picture3, Picture4
};

struct PlayControls {
    QLineEdit& outs;         // tb_OUT: the outs of the half-inning in progress
    QLineEdit& outsCount;    // tb_OutsCount: the outs of the game so far
    QLabel& batter;          // lbl_Selected: the batter's name
    QLineEdit& stealRunner;  // StealRunnerName
    RunnerPieces& pieces;
    SideControls visitors;
    SideControls home;

    // The side whose "AT BAT" option is set.
    Side battingSide() const;
    // A side's controls; nullptr for Side::None.
    const SideControls* of(Side s) const;
    // The side's statistics grid, lineup and current-pitcher label; nullptr
    // for Side::None.
    Grid* statsGrid(Side s) const;
    ListBox* lineup(Side s) const;
    ClickLabel* pitcher(Side s) const;

    // Both lineups hold entries.
    bool lineupsLoaded() const;
    // Both pitchers and the batter are named, and the batter belongs to the
    // side at bat: after a change of sides the previous side's batter stays
    // named until a new pick, and a play must not be charged to him.
    bool pitchersAndBatterSet() const;

    // The lineup entry a play's log line names: the side's entry at the
    // current batter's position when it is the current batter (the user may
    // have highlighted another entry since), otherwise the selected entry.
    QString playSubject(Side s) const;

    // Charges the current batter's at-bat without advancing any lineup: the
    // given side's grid is searched first, then the other (visitors first
    // when no side is given). False when neither holds him.
    bool chargeAtBat(Side first) const;
};

}  // namespace board

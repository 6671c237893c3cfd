#pragma once
// One side's block of the board's top band, built once for the visitors at
// the left and once for the home side at the right: the load button and
// AT BAT, the lineup with UP and DN beside it, the pitcher under the lineup,
// EDIT with its rename box, the pitcher's photo and the team logo. The
// lineup's own editing (moving, renaming, dragging entries, the whole entry
// shown in its tooltip) needs nothing beyond these controls and lives here.
#include "common/side.h"

#include <QString>

class ClickLabel;
class ListBox;
class PictureBox;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace board {

class SidePanel {
public:
    void build(QWidget* boardArea, Side side);

    Side side = Side::None;
    QPushButton* load = nullptr;      // Command6, Command7: "V", "H"
    QRadioButton* atBat = nullptr;    // Option5, Option6
    ListBox* lineup = nullptr;        // List1, List2
    QPushButton* up = nullptr;        // Command2, Command8
    QPushButton* down = nullptr;      // Command3, Command4
    QCheckBox* edit = nullptr;        // Check1, Check2
    QLineEdit* editBox = nullptr;     // tb_List1edit, tb_List2edit
    ClickLabel* pitcher = nullptr;    // lbl_VisPitcher, lbl_HomePitcher (hiddenText: ReplacedPitcher)
    PictureBox* pitcherPhoto = nullptr;  // img_VisPitch, img_HomePitch
    PictureBox* logo = nullptr;          // img_VisLogo, img_HomeLogo

    // The team file last picked for the side.
    QString teamFile;

    // The pitcher's photo follows the name on the label, from the folder.
    void refreshPitcherPhoto(const QString& folder) const;

    // ---- Lineup editing ----
    // EDIT shows the rename box.
    void editToggled() const;
    // UP (-1) and DN (+1): the selected entry swaps with its neighbour and
    // stays selected, which runs the batter pick for it.
    void moveEntry(int step) const;
    // A double-click gives the selected entry the rename box's text.
    void renameEntry() const;
    void showEntryTooltip(int button, double x, double y) const;
    void lineupPressed();
    // busy: the hidden flag that keeps the batter pick out while the
    // right-click view of an entry is shown.
    void lineupReleased(int button, int shift, double x, double y, QLineEdit* busy);

private:
    // The entry a left press in edit mode picked up, -1 when none.
    int dragSource_ = -1;
};

}  // namespace board

#pragma once
// The options panel over the field, opened from the menu "Options": the
// board's switches and settings. Each control's behaviour lives with its
// own concern.
class ClickLabel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace board {

class OptionsPanel {
public:
    void build(QWidget* field);

    QFrame* fra_Options = nullptr;
    ClickLabel* Label9 = nullptr;  // close mark "X"
    QLabel* Label3 = nullptr;      // "MASTER # OF OUTS"
    QLineEdit* tb_OutsCount = nullptr;
    QCheckBox* Check4 = nullptr;  // "SHOW DICE ROLLER"
    QCheckBox* cb_MuteDice = nullptr;
    QCheckBox* cb_Crowd = nullptr;
    QCheckBox* cb_BaseTracker = nullptr;
    QCheckBox* chk_Ctrls = nullptr;     // "HIDE CONTROLS"
    QCheckBox* cb_RandParks = nullptr;  // "RANDOM BALLPARKS", disabled until a ballpark is picked
    QLabel* Label6 = nullptr;           // "PHOTO SIZE"
    QPushButton* cmd_FotoBig = nullptr;
    QPushButton* cmd_FotoSmall = nullptr;
    ClickLabel* Image7 = nullptr;  // the donation picture
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;  // how to edit the photo folder
    ClickLabel* lbl_PhotoPath = nullptr;
    QLineEdit* tb_PhotoPath = nullptr;
};

}  // namespace board

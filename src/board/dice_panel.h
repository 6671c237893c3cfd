#pragma once
// The two dice rollers: the face-image dice over the field (SHOW DICE
// ROLLER), the coloured dice on the board (Ctrl+F12), their timers and the
// rattle both play.
#include <array>

class ClickLabel;
class CtrlKeyWatch;
class DieBody;
class PictureBox;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QTimer;
class QWidget;

namespace board {

class DicePanel {
public:
    // hidden: the board's holder of hidden state, where the coloured dice
    // keep their roll counter; owner: the timers' parent.
    void build(QWidget* field, QWidget* boardArea, QWidget* hidden, QObject* owner);

    // The rattle is silent while this box is ticked.
    const QCheckBox* mute = nullptr;

    void Command1_Click();  // coloured dice "ROLL"
    void tmrDice2_Timer();
    void tmr_F12detect_Timer();
    void showFaceDice(bool on);
    void cmd_Roll_Click();  // face-image dice "ROLL"
    void tmr_FaceDice_Timer();
    void GetRndNum();
    void DiceSound() const;

    // The face-image dice.
    QFrame* fra_FaceDice = nullptr;
    ClickLabel* lbl_20die = nullptr;
    std::array<std::array<PictureBox*, 6>, 3> ImageFaces{};  // Image100, Image200, Image300
    QPushButton* cmd_Roll = nullptr;
    QLineEdit* tb_DieCount = nullptr;  // hidden roll counter
    QTimer* tmr_FaceDice = nullptr;

    // The coloured dice: a number label over each die's body.
    QFrame* fra_ColourDice = nullptr;
    QLabel* lbl_R10 = nullptr;
    QLabel* lbl_W10 = nullptr;
    QLabel* lbl_B10 = nullptr;
    QLabel* lbl_Y10 = nullptr;
    QLabel* lbl_G20 = nullptr;
    QLabel* lbl_BLK4 = nullptr;
    QLabel* lbl_SPECK12 = nullptr;
    QLabel* lbl_P6 = nullptr;
    DieBody* shp_R10 = nullptr;
    DieBody* shp_W10 = nullptr;
    DieBody* shp_B10 = nullptr;
    DieBody* shp_Y10 = nullptr;
    DieBody* shp_G20 = nullptr;
    DieBody* shp_BLK4 = nullptr;
    DieBody* shp_SPECK12 = nullptr;
    DieBody* shp_P6 = nullptr;
    QPushButton* Command1 = nullptr;  // "ROLL"
    QLabel* lblDiceTime = nullptr;    // hidden roll counter
    QTimer* tmrDice2 = nullptr;
    QTimer* tmr_F12detect = nullptr;

private:
    void loadDieFaces();
    // The coloured dice's number labels in the order a roll draws them.
    std::array<QLabel*, 8> colourDieLabels() const;
    CtrlKeyWatch* f12Watch_ = nullptr;
    bool dieFacesLoaded_ = false;
};

}  // namespace board

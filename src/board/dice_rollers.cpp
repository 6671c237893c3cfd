// The two dice rollers and the sounds: the coloured dice (Ctrl+F12), the
// face-image dice (SHOW DICE ROLLER), the dice rattle both play and the
// crowd noise.
#include "board/dice_panel.h"

#include "board/form1.h"
#include "common/colours.h"
#include "common/numbers.h"
#include "platform/guarded.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/dice.h"
#include "presentation/photos.h"
#include "presentation/sounds.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The roll counters are only ever written by their roller, as whole numbers.
int counterOf(const QString& text)
{
    return static_cast<int>(num::Val(text));
}

// Steps per tick and the count a roll stops beyond.
constexpr int ColourStepsPerTick = 7;
constexpr int ColourLastStep = 150;
constexpr int FaceStepsPerTick = 2;
constexpr int FaceLastStep = 50;

}  // namespace

namespace board {

void DicePanel::build(QWidget* field, QWidget* boardArea, QWidget* hidden, QObject* owner)
{
    fra_FaceDice = new QFrame(field);
    fra_FaceDice->setObjectName(QStringLiteral("fra_FaceDice"));
    fra_FaceDice->setToolTip(QStringLiteral("CTRL + Left Click to drag dice roller"));
    twips::place(fra_FaceDice, 17160, 7180, 1275, 1815);
    // Red at the bottom left, green at the top right, white at the top left.
    const double faceAt[3][2] = {{120, 720}, {720, 120}, {120, 120}};
    for (size_t d = 0; d < 3; ++d)
        for (size_t f = 0; f < 6; ++f) {
            auto* face = new PictureBox(fra_FaceDice);
            face->setObjectName(QStringLiteral("Image%1(%2)").arg((d + 1) * 100).arg(f));
            twips::place(face, faceAt[d][0], faceAt[d][1], 433, 433);
            ImageFaces[d][f] = face;
        }
    lbl_20die = new ClickLabel(QStringLiteral("0"), fra_FaceDice);
    lbl_20die->setObjectName(QStringLiteral("lbl_20die"));
    lbl_20die->setAlignment(Qt::AlignCenter);
    lbl_20die->setStyleSheet(colours::style(0, dice::TwentyYellow));
    look::setFont(lbl_20die, QStringLiteral("Arial"), 18, true);
    twips::place(lbl_20die, 720, 720, 433, 433);
    cmd_Roll = new QPushButton(QStringLiteral("ROLL"), fra_FaceDice);
    cmd_Roll->setObjectName(QStringLiteral("cmd_Roll"));
    look::setFont(cmd_Roll, QStringLiteral("Arial Narrow"), 9);
    twips::place(cmd_Roll, 120, 1320, 1050, 370);
    tb_DieCount = new QLineEdit(QStringLiteral("0"), fra_FaceDice);
    tb_DieCount->setObjectName(QStringLiteral("tb_DieCount"));
    tb_DieCount->hide();
    fra_FaceDice->hide();

    // Directly on the board, not in the field.
    fra_ColourDice = new QFrame(boardArea);
    fra_ColourDice->setObjectName(QStringLiteral("fra_ColourDice"));
    fra_ColourDice->setStyleSheet(QStringLiteral("QFrame#fra_ColourDice { background-color: %1; }")
                                      .arg(colours::fromBgr(0x00808080).name()));
    twips::place(fra_ColourDice, 16680, 9810, 2190, 2715);
    QLabel** labels[8] = {&lbl_R10, &lbl_W10, &lbl_B10, &lbl_Y10, &lbl_G20, &lbl_BLK4, &lbl_SPECK12, &lbl_P6};
    DieBody** bodies[8] = {&shp_R10, &shp_W10, &shp_B10, &shp_Y10, &shp_G20, &shp_BLK4, &shp_SPECK12, &shp_P6};
    for (size_t i = 0; i < 8; ++i) {
        const dice::ColourDie& die = dice::colourDice()[i];
        auto* body = new DieBody(die.bodyColour, die.speckled, fra_ColourDice);
        body->setObjectName(QString::fromLatin1(die.body));
        twips::place(body, die.bodyLeft, die.bodyTop, 600, 600);
        auto* number = new QLabel(QStringLiteral("0"), fra_ColourDice);
        number->setObjectName(QString::fromLatin1(die.label));
        number->setAlignment(Qt::AlignCenter);
        number->setStyleSheet(colours::style(die.numberColour, die.bodyColour));
        number->setProperty("backColor", die.bodyColour);
        look::setFont(number, QStringLiteral("Arial"), 14.25, true);
        twips::place(number, die.labelLeft, die.labelTop, 375, 345);
        number->hide();
        *bodies[i] = body;
        *labels[i] = number;
    }
    Command1 = new QPushButton(QStringLiteral("ROLL"), fra_ColourDice);
    Command1->setObjectName(QStringLiteral("Command1"));
    look::setFont(Command1, QStringLiteral("Arial Narrow"), 9);
    twips::place(Command1, 150, 2190, 1095, 370);
    fra_ColourDice->hide();

    lblDiceTime = new QLabel(QStringLiteral("0"), hidden);
    lblDiceTime->setObjectName(QStringLiteral("lblDiceTime"));

    tmrDice2 = new QTimer(owner);
    tmrDice2->setInterval(100);
    tmr_FaceDice = new QTimer(owner);
    tmr_FaceDice->setInterval(25);
    tmr_F12detect = new QTimer(owner);
    tmr_F12detect->setInterval(100);
    f12Watch_ = new CtrlKeyWatch(Qt::Key_F12, owner);
}

std::array<QLabel*, 8> DicePanel::colourDieLabels() const
{
    return {lbl_R10, lbl_W10, lbl_B10, lbl_Y10, lbl_G20, lbl_BLK4, lbl_SPECK12, lbl_P6};
}

void DicePanel::DiceSound() const
{
    // Read at the start of each roll: ticking MUTE DICE during a roll
    // neither starts nor stops anything.
    sounds::PlayDiceSound(mute && mute->isChecked());
}

// ---------------------------------------------------------------- coloured dice

void DicePanel::Command1_Click()
{
    lblDiceTime->setText(QStringLiteral("0"));
    tmrDice2->start();
    DiceSound();
}

void DicePanel::tmrDice2_Timer()
{
    const auto labels = colourDieLabels();
    for (int step = 0; step < ColourStepsPerTick; ++step) {
        const int count = counterOf(lblDiceTime->text()) + 1;
        lblDiceTime->setText(QString::number(count));
        // The tick that passes the last step still rolls its remaining steps.
        if (count > ColourLastStep)
            tmrDice2->stop();
        for (size_t i = 0; i < labels.size(); ++i) {
            const dice::ColourDie& die = dice::colourDice()[i];
            labels[i]->setText(QString::number(dice::faceOf(dice::draw(), die.sides, die.fromZero)));
        }
        for (QLabel* l : labels)
            l->show();
    }
}

void DicePanel::tmr_F12detect_Timer()
{
    if (!f12Watch_->poll())
        return;
    if (fra_ColourDice->isHidden()) {
        fra_ColourDice->show();
        fra_ColourDice->raise();
    } else {
        fra_ColourDice->hide();
    }
}

// ---------------------------------------------------------------- face-image dice

void DicePanel::showFaceDice(bool on)
{
    if (on) {
        loadDieFaces();
        fra_FaceDice->show();
        fra_FaceDice->raise();
    } else {
        fra_FaceDice->hide();
    }
}

void DicePanel::loadDieFaces()
{
    if (dieFacesLoaded_)
        return;
    dieFacesLoaded_ = true;
    // A missing picture leaves its face blank; the roll still shows the
    // other faces and the twenty-sided die.
    for (size_t d = 0; d < 3; ++d)
        for (size_t f = 0; f < 6; ++f)
            ImageFaces[d][f]->setPicture(photos::loadPicture(dice::faceFile(static_cast<int>(d), static_cast<int>(f) + 1)));
}

void DicePanel::cmd_Roll_Click()
{
    // A click during a roll only restarts the sound: the counter goes on.
    tmr_FaceDice->start();
    DiceSound();
}

void DicePanel::tmr_FaceDice_Timer()
{
    for (int step = 0; step < FaceStepsPerTick; ++step) {
        const int count = counterOf(tb_DieCount->text()) + 1;
        tb_DieCount->setText(QString::number(count));
        GetRndNum();
        // A stop in the first step still lets the second step count and roll.
        if (count > FaceLastStep) {
            tmr_FaceDice->stop();
            tb_DieCount->setText(QStringLiteral("0"));
        }
    }
}

void DicePanel::GetRndNum()
{
    loadDieFaces();
    for (auto& die : ImageFaces) {
        const int value = dice::faceOf(dice::draw(), 6);
        for (auto* face : die)
            face->hide();
        die[static_cast<size_t>(value - 1)]->show();
    }
    lbl_20die->setText(QString::number(dice::faceOf(dice::draw(), 20)));
}

}  // namespace board

void board::wireDice(Form1& f)
{
    DicePanel& dice = f.dice;
    dice.mute = f.cb_MuteDice;
    auto on = [&f](auto* sender, auto signal, auto handler) {
        QObject::connect(sender, signal, &f, [handler] { guarded(handler); });
    };
    on(dice.Command1, &QPushButton::clicked, [&dice] { dice.Command1_Click(); });
    on(dice.tmrDice2, &QTimer::timeout, [&dice] { dice.tmrDice2_Timer(); });
    on(dice.tmr_F12detect, &QTimer::timeout, [&dice] { dice.tmr_F12detect_Timer(); });
    on(dice.cmd_Roll, &QPushButton::clicked, [&dice] { dice.cmd_Roll_Click(); });
    on(dice.tmr_FaceDice, &QTimer::timeout, [&dice] { dice.tmr_FaceDice_Timer(); });
    events::onToggle(f.Check4, [&f] { guarded([&f] { f.Check4_Click(); }); });
    events::onToggle(f.cb_Crowd, [&f] { guarded([&f] { f.cb_Crowd_Click(); }); });
}

void Form1::Check4_Click()
{
    dice.showFaceDice(Check4->isChecked());
}

// ---------------------------------------------------------------- crowd

void Form1::cb_Crowd_Click()
{
    sounds::SetCrowdNoise(cb_Crowd->isChecked());
}

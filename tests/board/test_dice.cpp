// The dice rollers, the options panel that switches them and the sounds,
// driven tick by tick through the timers' handlers.
#include "common/colours.h"
#include "presentation/dice.h"
#include "support/board_fixture.h"
#include "support/recording_sound.h"

#include <QApplicationStateChangeEvent>
#include <QFrame>
#include <QTest>
#include <set>

namespace {

class DiceTest : public BoardTest {
protected:
    void SetUp() override
    {
        sound = std::make_unique<RecordingSound>();
        BoardTest::SetUp();
        dice::seed(20240611);
    }
    void TearDown() override
    {
        BoardTest::TearDown();
        sound.reset();
    }

    // The value each coloured die shows, in the order a roll draws them.
    std::vector<int> colourValues() const
    {
        std::vector<int> v;
        for (QLabel* l : {board->lbl_R10, board->lbl_W10, board->lbl_B10, board->lbl_Y10, board->lbl_G20,
                          board->lbl_BLK4, board->lbl_SPECK12, board->lbl_P6})
            v.push_back(l->text().toInt());
        return v;
    }
    // The face (1 to 6) each face-image die shows, 0 when not exactly one.
    int shownFace(size_t die) const
    {
        int shown = 0, count = 0;
        for (size_t f = 0; f < 6; ++f)
            if (!board->ImageFaces[die][f]->isHidden()) {
                shown = int(f) + 1;
                ++count;
            }
        return count == 1 ? shown : 0;
    }
    void pressCtrlF12()
    {
        QTest::keyPress(board.get(), Qt::Key_Control);
        QTest::keyPress(board.get(), Qt::Key_F12, Qt::ControlModifier);
    }
    void releaseCtrlF12()
    {
        QTest::keyRelease(board.get(), Qt::Key_F12, Qt::ControlModifier);
        QTest::keyRelease(board.get(), Qt::Key_Control);
    }

    std::unique_ptr<RecordingSound> sound;
};

}  // namespace

TEST_F(DiceTest, OptionsPanelHoldsEveryControlInsideItAndStartsClear)
{
    const char* names[] = {"Label3", "tb_OutsCount", "Check4", "cb_MuteDice", "cb_Crowd", "cb_RandParks",
                           "cb_BaseTracker", "chk_Ctrls", "Label6", "cmd_FotoSmall", "cmd_FotoBig", "Label8",
                           "Label11", "lbl_PhotoPath", "tb_PhotoPath", "Image7", "Label9"};
    const QRect panel = board->fra_Options->rect();
    for (const char* name : names) {
        auto* w = board->fra_Options->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(panel.contains(w->geometry())) << name << " lies outside the panel";
    }
    EXPECT_EQ(board->Check4->text(), "SHOW DICE ROLLER");
    EXPECT_EQ(board->cb_MuteDice->text(), "MUTE DICE");
    EXPECT_EQ(board->cb_Crowd->text(), "CROWD NOISE");
    EXPECT_EQ(board->cb_RandParks->text(), "RANDOM BALLPARKS");
    EXPECT_FALSE(board->cb_RandParks->isEnabled());
    EXPECT_EQ(board->Label6->text(), "PHOTO SIZE");
    EXPECT_EQ(board->Label11->text(), "CTRL + Click to Edit path ..... DblClick to Save path");
    // The help line and the path never overlap the path's edit box's neighbours.
    EXPECT_FALSE(board->Label11->geometry().intersects(board->lbl_PhotoPath->geometry()));
    EXPECT_EQ(board->lbl_PhotoPath->geometry().topLeft(), board->tb_PhotoPath->geometry().topLeft());
    for (QCheckBox* b : {board->Check4, board->cb_MuteDice, board->cb_Crowd, board->chk_Ctrls, board->cb_RandParks})
        EXPECT_FALSE(b->isChecked());

    // Both rollers are hidden at start, their counters at "0" and nothing rolls.
    EXPECT_TRUE(board->fra_FaceDice->isHidden());
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    EXPECT_EQ(board->lblDiceTime->text(), "0");
    EXPECT_EQ(board->tb_DieCount->text(), "0");
    EXPECT_EQ(board->lbl_20die->text(), "0");
    EXPECT_FALSE(board->tmrDice2->isActive());
    EXPECT_FALSE(board->tmr_FaceDice->isActive());
    EXPECT_TRUE(board->tmr_F12detect->isActive());
    EXPECT_TRUE(sound->calls.isEmpty());
}

TEST_F(DiceTest, ColourDiceNumbersSitOnTheirBodiesInTheBodyColour)
{
    const auto& table = dice::colourDice();
    for (const dice::ColourDie& die : table) {
        auto* label = board->fra_ColourDice->findChild<QLabel*>(QString::fromLatin1(die.label));
        auto* body = board->fra_ColourDice->findChild<DieBody*>(QString::fromLatin1(die.body));
        ASSERT_NE(label, nullptr) << die.label;
        ASSERT_NE(body, nullptr) << die.body;
        EXPECT_TRUE(body->geometry().contains(label->geometry())) << die.label;
        EXPECT_TRUE(board->fra_ColourDice->rect().contains(body->geometry())) << die.body;
        EXPECT_EQ(label->property("backColor").toUInt(), die.bodyColour) << die.label;
        EXPECT_TRUE(label->isHidden());
        EXPECT_EQ(label->text(), "0");
    }
    EXPECT_EQ(colours::fromBgr(board->lbl_R10->property("backColor").toUInt()), QColor(255, 0, 0));
}

TEST_F(DiceTest, ColourRollRunsTwentyTwoTicksOfSevenStepsAndEndsAtStep154)
{
    board->dice.Command1_Click();
    EXPECT_EQ(board->lblDiceTime->text(), "0");
    EXPECT_TRUE(board->tmrDice2->isActive());
    EXPECT_EQ(sound->calls, QStringList{"play Dice DiceRoll.wav once"});
    EXPECT_EQ(sound->lastPath, folder->file("DiceRoll.wav"));

    board->dice.tmrDice2_Timer();
    EXPECT_EQ(board->lblDiceTime->text(), "7");
    for (QLabel* l : {board->lbl_R10, board->lbl_G20, board->lbl_P6})
        EXPECT_FALSE(l->isHidden());
    for (int tick = 2; tick <= 21; ++tick)
        board->dice.tmrDice2_Timer();
    EXPECT_EQ(board->lblDiceTime->text(), "147");
    EXPECT_TRUE(board->tmrDice2->isActive());
    // Step 151 stops the timer; the tick still rolls its last three steps.
    board->dice.tmrDice2_Timer();
    EXPECT_EQ(board->lblDiceTime->text(), "154");
    EXPECT_FALSE(board->tmrDice2->isActive());
    EXPECT_EQ(sound->calls.size(), 1);
}

TEST_F(DiceTest, ColourDiceStayWithinTheirFacesAndEachDieDrawsOnItsOwn)
{
    const int lowest[8] = {0, 0, 0, 0, 1, 1, 1, 1};
    const int highest[8] = {9, 9, 9, 9, 20, 4, 12, 6};
    std::vector<std::set<int>> seen(8);
    int sameAsRed = 0;
    board->dice.Command1_Click();
    for (int tick = 0; tick < 400; ++tick) {
        board->lblDiceTime->setText("0");
        board->dice.tmrDice2_Timer();
        const auto v = colourValues();
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_GE(v[i], lowest[i]) << i;
            EXPECT_LE(v[i], highest[i]) << i;
            seen[i].insert(v[i]);
        }
        sameAsRed += v[1] == v[0];
    }
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(int(seen[i].size()), highest[i] - lowest[i] + 1) << "die " << i << " misses a face";
    // One shared draw would make the white die always equal the red one.
    EXPECT_LT(sameAsRed, 100);
}

TEST_F(DiceTest, RollAgainRestartsTheColourRollAndTheSoundButMuteIsReadOnlyAtTheStart)
{
    board->dice.Command1_Click();
    for (int tick = 0; tick < 10; ++tick)
        board->dice.tmrDice2_Timer();
    board->dice.Command1_Click();
    EXPECT_EQ(board->lblDiceTime->text(), "0");
    EXPECT_EQ(sound->calls, (QStringList{"play Dice DiceRoll.wav once", "play Dice DiceRoll.wav once"}));
    for (int tick = 1; tick <= 21; ++tick)
        board->dice.tmrDice2_Timer();
    EXPECT_TRUE(board->tmrDice2->isActive());
    board->dice.tmrDice2_Timer();
    EXPECT_FALSE(board->tmrDice2->isActive());

    sound->calls.clear();
    click(board->cb_MuteDice);
    board->dice.Command1_Click();
    board->dice.cmd_Roll_Click();
    board->dice.tmrDice2_Timer();
    click(board->cb_MuteDice);
    board->dice.tmrDice2_Timer();
    board->dice.tmr_FaceDice_Timer();
    EXPECT_TRUE(sound->calls.isEmpty());
}

TEST_F(DiceTest, CtrlF12FlipsTheColourPanelOncePerPressAndRollsGoOnUnseen)
{
    pressCtrlF12();
    // Held over four ticks: an even number of flips would hide it again.
    for (int tick = 0; tick < 4; ++tick)
        board->dice.tmr_F12detect_Timer();
    EXPECT_FALSE(board->fra_ColourDice->isHidden());
    // Auto-repeat while held changes nothing.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_F12, Qt::ControlModifier, QString(), true);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_F12, Qt::ControlModifier, QString(), true);
        QApplication::sendEvent(board.get(), &up);
        board->dice.tmr_F12detect_Timer();
        QApplication::sendEvent(board.get(), &down);
        board->dice.tmr_F12detect_Timer();
    }
    EXPECT_FALSE(board->fra_ColourDice->isHidden());
    releaseCtrlF12();
    board->dice.tmr_F12detect_Timer();
    EXPECT_FALSE(board->fra_ColourDice->isHidden());

    // A quick tap between two ticks counts; the roll goes on while the
    // panel is hidden and its values are kept.
    board->dice.Command1_Click();
    board->dice.tmrDice2_Timer();
    pressCtrlF12();
    releaseCtrlF12();
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    for (int tick = 2; tick <= 22; ++tick)
        board->dice.tmrDice2_Timer();
    EXPECT_EQ(board->lblDiceTime->text(), "154");
    const auto values = colourValues();

    // F12 alone does nothing, nor does a press the program lost with its
    // activation before the next tick.
    QTest::keyClick(board.get(), Qt::Key_F12);
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    pressCtrlF12();
    QApplicationStateChangeEvent away(Qt::ApplicationInactive);
    QApplication::sendEvent(qApp, &away);
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    releaseCtrlF12();
    QApplicationStateChangeEvent back(Qt::ApplicationActive);
    QApplication::sendEvent(qApp, &back);
    pressCtrlF12();
    board->dice.tmr_F12detect_Timer();
    EXPECT_FALSE(board->fra_ColourDice->isHidden());
    EXPECT_EQ(colourValues(), values);
}

TEST_F(DiceTest, F12ThenCtrlFlipsTheColourPanelOncePerPressToo)
{
    QTest::keyPress(board.get(), Qt::Key_F12);
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    QTest::keyPress(board.get(), Qt::Key_Control, Qt::ControlModifier);
    for (int tick = 0; tick < 4; ++tick)
        board->dice.tmr_F12detect_Timer();
    EXPECT_FALSE(board->fra_ColourDice->isHidden());
    // Ctrl let go and pressed again while F12 stays down: a second press.
    QTest::keyRelease(board.get(), Qt::Key_Control);
    board->dice.tmr_F12detect_Timer();
    EXPECT_FALSE(board->fra_ColourDice->isHidden());
    QTest::keyPress(board.get(), Qt::Key_Control, Qt::ControlModifier);
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    QTest::keyRelease(board.get(), Qt::Key_F12, Qt::ControlModifier);
    QTest::keyRelease(board.get(), Qt::Key_Control);
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    // Ctrl alone after F12 went up does nothing.
    QTest::keyClick(board.get(), Qt::Key_Control);
    board->dice.tmr_F12detect_Timer();
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
}

TEST_F(DiceTest, FaceRollsAlternateFiftyTwoAndFiftyResultsAndRollAgainDoesNotLengthenThem)
{
    click(board->Check4);
    EXPECT_FALSE(board->fra_FaceDice->isHidden());
    for (size_t d = 0; d < 3; ++d)
        for (auto* face : board->ImageFaces[d])
            EXPECT_TRUE(face->hasPicture()) << face->objectName().toStdString();

    click(board->cmd_Roll);
    EXPECT_TRUE(board->tmr_FaceDice->isActive());
    EXPECT_EQ(sound->calls, QStringList{"play Dice DiceRoll.wav once"});
    for (int tick = 1; tick <= 25; ++tick)
        board->dice.tmr_FaceDice_Timer();
    EXPECT_EQ(board->tb_DieCount->text(), "50");
    EXPECT_TRUE(board->tmr_FaceDice->isActive());
    // A ROLL during the roll only restarts the sound.
    click(board->cmd_Roll);
    EXPECT_EQ(sound->calls.size(), 2);
    board->dice.tmr_FaceDice_Timer();
    EXPECT_FALSE(board->tmr_FaceDice->isActive());
    EXPECT_EQ(board->tb_DieCount->text(), "1");

    // The next roll starts from 1 and stops in the second step of its 25th tick.
    click(board->cmd_Roll);
    for (int tick = 1; tick <= 24; ++tick)
        board->dice.tmr_FaceDice_Timer();
    EXPECT_TRUE(board->tmr_FaceDice->isActive());
    board->dice.tmr_FaceDice_Timer();
    EXPECT_FALSE(board->tmr_FaceDice->isActive());
    EXPECT_EQ(board->tb_DieCount->text(), "0");
    for (size_t d = 0; d < 3; ++d)
        EXPECT_NE(shownFace(d), 0) << "die " << d;

    // A roll goes on while the roller is hidden.
    click(board->cmd_Roll);
    click(board->Check4);
    EXPECT_TRUE(board->fra_FaceDice->isHidden());
    for (int tick = 0; tick < 26; ++tick)
        board->dice.tmr_FaceDice_Timer();
    EXPECT_FALSE(board->tmr_FaceDice->isActive());
}

TEST_F(DiceTest, FaceDiceShowOneFaceEachAndTheTwentySidedDieStaysInRange)
{
    std::set<int> faces[3], twenty;
    for (int roll = 0; roll < 600; ++roll) {
        board->dice.GetRndNum();
        for (size_t d = 0; d < 3; ++d) {
            const int f = shownFace(d);
            ASSERT_GE(f, 1);
            faces[d].insert(f);
        }
        const int t = board->lbl_20die->text().toInt();
        ASSERT_GE(t, 1);
        ASSERT_LE(t, 20);
        twenty.insert(t);
    }
    for (const auto& f : faces)
        EXPECT_EQ(f.size(), 6u);
    EXPECT_EQ(twenty.size(), 20u);
}

TEST_F(DiceTest, CrowdNoiseLoopsUntilUntickedAndRollsNeverTouchIt)
{
    ui->expectAlarm(QStringLiteral("53, File not found"));
    click(board->cb_Crowd);
    EXPECT_EQ(sound->calls, QStringList{"play Crowd BaseballCrowd.wav loop"});
    EXPECT_EQ(sound->lastPath, folder->file("BaseballCrowd.wav"));
    board->dice.Command1_Click();
    board->dice.cmd_Roll_Click();
    click(board->cb_Crowd);
    EXPECT_EQ(sound->calls, (QStringList{"play Crowd BaseballCrowd.wav loop", "play Dice DiceRoll.wav once",
                                         "play Dice DiceRoll.wav once", "stop Crowd"}));

    // A failure is reported and the box keeps its tick.
    sound->failNextPlay = true;
    click(board->cb_Crowd);
    EXPECT_TRUE(board->cb_Crowd->isChecked());
    EXPECT_EQ(ui->programErrors(), QStringList{"The following error has occurred: 53, File not found"});

    // Leaving the program silences every sound.
    sound->calls.clear();
    ui->answerMsgBox(QMessageBox::Yes);
    EXPECT_TRUE(board->close());
    EXPECT_EQ(sound->calls, (QStringList{"stop Dice", "stop Crowd"}));
    EXPECT_FALSE(board->tmr_F12detect->isActive());
}

// Colours, twips, the settings store, the program-folder resolver and the
// "Program Error" guard.
#include "common/colours.h"
#include "common/program_folder.h"
#include "common/settings.h"
#include "platform/guarded.h"
#include "platform/twips.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(Colours, BgrValuesKeepBlueInTheHighByte)
{
    EXPECT_EQ(colours::fromBgr(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(colours::fromBgr(0x008080FF), QColor(255, 128, 128));
    EXPECT_EQ(colours::fromBgr(0x0000FFFF), QColor(255, 255, 0));
    EXPECT_EQ(colours::fromBgr(0x00C0FFFF), QColor(255, 255, 192));
    EXPECT_EQ(colours::toBgr(QColor(255, 255, 0)), 0x0000FFFFu);
}

TEST(Twips, FifteenTwipsAPixelAtNinetySixDpi)
{
    EXPECT_EQ(twips::twipsPerPixelAt(96.0), 15.0);
    EXPECT_EQ(twips::twipsPerPixelAt(144.0), 10.0);
    // The screen's own dpi gives its own scale.
    const double tpp = twips::twipsPerPixel();
    EXPECT_EQ(tpp, twips::twipsPerPixelAt(QGuiApplication::primaryScreen()->logicalDotsPerInchX()));
    EXPECT_EQ(twips::toPx(15 * tpp), 15);
    EXPECT_EQ(twips::toPx(0), 0);
    EXPECT_DOUBLE_EQ(twips::fromPx(2), 2 * tpp);
}

TEST(Settings, ValuesRoundTripAndMissingKeysReadEmpty)
{
    TempProgramFolder folder;
    EXPECT_EQ(settings::GetSetting("lbl_chrt1"), "");
    settings::SaveSetting("lbl_chrt1", "Hitting chart");
    settings::SaveSetting("lbl_Team(3)", "O'Banion's = nine");
    settings::SaveSetting("lbl_PhotoPath", "");
    EXPECT_EQ(settings::GetSetting("lbl_chrt1"), "Hitting chart");
    EXPECT_EQ(settings::GetSetting("lbl_Team(3)"), "O'Banion's = nine");
    EXPECT_EQ(settings::GetSetting("lbl_PhotoPath"), "");
    EXPECT_EQ(settings::GetSetting("lbl_chrt2"), "");
    // A later run reads what an earlier one wrote.
    settings::redirectTo(folder.path() + "/settings.ini");
    EXPECT_EQ(settings::GetSetting("lbl_chrt1"), "Hitting chart");
}

TEST(ProgramFolder, NamesAreMatchedWithoutRegardToCase)
{
    TempProgramFolder folder;
    folder.write("Logos/Smith.JPG", "x");
    folder.write("pics/DEFAULT1679X974.jpg", "x");
    EXPECT_EQ(folder::resolve("logos/smith.jpg"), folder.path() + "/Logos/Smith.JPG");
    EXPECT_EQ(folder::resolve("PICS/default1679x974.JPG"), folder.path() + "/pics/DEFAULT1679X974.jpg");
    EXPECT_EQ(folder::resolve("\\Teams"), folder.path() + "/Teams");
    // A missing name keeps its own spelling.
    EXPECT_EQ(folder::resolve("Logos/Nobody.jpg"), folder.path() + "/Logos/Nobody.jpg");
    EXPECT_EQ(folder::resolve("ZRQ.mdb"), folder.path() + "/ZRQ.mdb");
    EXPECT_TRUE(folder::isPlainName("Ray Okafor"));
    EXPECT_FALSE(folder::isPlainName("../etc/passwd"));
    EXPECT_FALSE(folder::isPlainName("a\\b"));
    EXPECT_FALSE(folder::isPlainName("."));
    EXPECT_FALSE(folder::isPlainName(".."));
    EXPECT_FALSE(folder::isPlainName(""));
}

TEST(ProgramFolder, GeneratorLaysOutTheExpectedFolders)
{
    TempProgramFolder folder;
    for (const char* sub : {"Teams", "Logos", "Ballparks", "Charts", "Game Rpts"})
        EXPECT_TRUE(QDir(folder.file(sub)).exists()) << sub;
    EXPECT_FALSE(QDir(folder.file("Teams")).entryList({"*.txt"}).isEmpty());
}

TEST(Guard, FailuresShowTheProgramErrorBoxAndNothingEscapes)
{
    ScriptedInteraction ui;
    EXPECT_TRUE(guarded([] {}));
    EXPECT_FALSE(guarded([] { errors::raise(errors::FileNotFound); }));
    EXPECT_FALSE(guarded([] { throw ProgramError(30009, "Invalid Row value"); }));
    EXPECT_FALSE(guarded([] { throw std::runtime_error("boom"); }));
    ASSERT_EQ(ui.programErrors().size(), 3);
    EXPECT_EQ(ui.programErrors()[0], "The following error has occurred: 53, File not found");
    EXPECT_EQ(ui.programErrors()[1], "The following error has occurred: 30009, Invalid Row value");
    EXPECT_TRUE(ui.programErrors()[2].startsWith("The following error has occurred: 5, "));
    EXPECT_EQ(ui.prompts[0].icon, QMessageBox::Critical);
    EXPECT_EQ(ui.prompts[0].title, "Program Error");
}

#include "platform/events.h"

#include <QSignalSpy>
#include <QTest>

TEST(ClickLabel, OnlyTheLeftButtonClicksAndADoubleClickIsNoSecondClick)
{
    ClickLabel label("K");
    label.resize(40, 20);
    label.show();
    QSignalSpy clicks(&label, &ClickLabel::Click);
    QSignalSpy doubles(&label, &ClickLabel::DblClick);
    QSignalSpy downs(&label, &ClickLabel::MouseDown);
    QTest::mouseClick(&label, Qt::RightButton);
    QTest::mouseClick(&label, Qt::MiddleButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(downs.at(0).at(0).toInt(), 2);
    QTest::mouseClick(&label, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.at(2).at(1).toInt(), 2);  // Ctrl
    // Qt delivers press, release, double-click, release.
    QTest::mousePress(&label, Qt::LeftButton);
    QTest::mouseRelease(&label, Qt::LeftButton);
    QTest::mouseDClick(&label, Qt::LeftButton);
    QTest::mouseRelease(&label, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(doubles.count(), 1);
    QTest::mouseDClick(&label, Qt::RightButton);
    EXPECT_EQ(doubles.count(), 1);
}

#include "platform/interaction.h"

#include <QApplication>
#include <QTimer>

namespace {

// Asks through the desktop implementation and presses a key in the box it
// shows; the box is dismissed anyway if the key does not close it, so a
// wrong default fails the test instead of hanging it.
QMessageBox::StandardButton askAndPress(Qt::Key key, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    int tries = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (++tries > 20)
            box->done(-1);
        else
            QTest::keyClick(box, key);
    });
    timer.start();
    platform::QtInteraction desktop;
    return desktop.msgBox("Do you still want to EXIT?", buttons, "EXIT program?", QMessageBox::Question,
                          defaultButton);
}

}  // namespace

TEST(DesktopMessageBox, TheGivenDefaultAnswersEnterAndEscape)
{
    const auto yesNo = QMessageBox::Yes | QMessageBox::No;
    EXPECT_EQ(askAndPress(Qt::Key_Return, yesNo, QMessageBox::No), QMessageBox::No);
    EXPECT_EQ(askAndPress(Qt::Key_Enter, yesNo, QMessageBox::No), QMessageBox::No);
    EXPECT_EQ(askAndPress(Qt::Key_Escape, yesNo, QMessageBox::No), QMessageBox::No);
    // A one-button box is acknowledged by either key.
    EXPECT_EQ(askAndPress(Qt::Key_Return, QMessageBox::Ok, QMessageBox::NoButton), QMessageBox::Ok);
    EXPECT_EQ(askAndPress(Qt::Key_Escape, QMessageBox::Ok, QMessageBox::NoButton), QMessageBox::Ok);
}

#include <QElapsedTimer>
#include <QTemporaryDir>

// The question runs on the board's thread: a tool that does not answer
// within a second is no program, and the window is not held for longer.
TEST(DesktopShell, ASpreadsheetQuestionThatHangsIsNoProgramWithinASecond)
{
    QTemporaryDir bin;
    QFile tool(bin.filePath("xdg-mime"));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\nexec /bin/sleep 10\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    platform::QtInteraction desktop;
    QElapsedTimer waited;
    waited.start();
    const bool has = desktop.hasDefaultProgram("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
    const qint64 ms = waited.elapsed();
    qputenv("PATH", path);
    EXPECT_FALSE(has);
    EXPECT_LT(ms, 2500);
}

// The About box, the program's icon and the donation link.
#include "platform/twips.h"
#include "presentation/form3.h"
#include "presentation/frmAbout.h"
#include "presentation/program_icon.h"
#include "support/board_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

QColor textColour(const QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

}  // namespace

TEST_F(BoardTest, AboutBoxShowsTitleVersionDescriptionLinkAndDisclaimer)
{
    bool checked = false;
    ui->whileModal(QStringLiteral("frmAbout"), [&](QDialog& d) {
        auto& box = static_cast<frmAbout&>(d);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About Scorvana Benchdeck"));
        EXPECT_EQ(box.size(), QSize(twips::toPx(5985), twips::toPx(4005)));
        EXPECT_EQ(box.lblTitle->text(), QStringLiteral("Scorvana Benchdeck"));
        EXPECT_EQ(box.lblVersion->text(), QStringLiteral("Version 1.0.2   [Build025]"));
        // Written by the board after the load: blue, the program's own words.
        EXPECT_EQ(box.lblDescription->text(), frmAbout::descriptionText());
        EXPECT_EQ(textColour(box.lblDescription), QColor(0, 0, 255));
        EXPECT_EQ(box.Label1->text(), QStringLiteral("HELP.htm#about"));
        EXPECT_EQ(box.Label1->toolTip(), QStringLiteral("Go to HELP.htm#about"));
        EXPECT_TRUE(box.Label1->font().underline());
        EXPECT_FALSE(box.lblDisclaimer->text().isEmpty());
        EXPECT_EQ(box.cmdOK->text(), QStringLiteral("OK"));
        EXPECT_TRUE(box.cmdOK->isDefault());
        EXPECT_EQ(box.cmdSysInfo->text(), QStringLiteral("&System Info..."));
        EXPECT_FALSE(box.Image1->pixmap().isNull());
        EXPECT_FALSE(box.windowIcon().isNull());

        // No System Information program here: said, and the box stays.
        box.cmdSysInfo->click();
        EXPECT_TRUE(box.isVisible());
        checked = true;
    });
    board->About->trigger();
    ASSERT_TRUE(checked);
    ASSERT_EQ(ui->messages().size(), 1);
    const Prompt& sysInfo = ui->prompts.back();
    EXPECT_EQ(sysInfo.text, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_EQ(sysInfo.buttons, QMessageBox::Ok);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(BoardTest, AboutBoxClosesByOkEnterEscapeAndItsLink)
{
    struct Case {
        const char* how;
        std::function<void(frmAbout&)> close;
        bool opensHelp;
    };
    const std::vector<Case> cases{
        {"OK", [](frmAbout& b) { QTest::mouseClick(b.cmdOK, Qt::LeftButton); }, false},
        {"Enter", [](frmAbout& b) { QTest::keyClick(&b, Qt::Key_Return); }, false},
        {"Escape", [](frmAbout& b) { QTest::keyClick(&b, Qt::Key_Escape); }, false},
        {"link", [](frmAbout& b) { click(b.Label1); }, true},
    };
    for (const Case& c : cases) {
        ui->clear();
        bool closed = false;
        ui->whileModal(QStringLiteral("frmAbout"), [&](QDialog& d) {
            auto& box = static_cast<frmAbout&>(d);
            box.activateWindow();
            box.cmdOK->setFocus();
            c.close(box);
            closed = !box.isVisible();
        });
        board->About_Click();
        EXPECT_TRUE(closed) << c.how;
        const bool opened = ui->prompts.back().kind == Prompt::External;
        EXPECT_EQ(opened, c.opensHelp) << c.how;
        if (opened) {
            EXPECT_EQ(ui->prompts.back().text, folder->file(QStringLiteral("HELP.htm")) + QStringLiteral("#about"));
        }
    }
}

TEST_F(BoardTest, EveryWindowCarriesTheProgramsIconAndTheDonationLinkOpensSupport)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage drawn = icon.pixmap(32).toImage();
    Form3 viewer(board.get());
    for (const QWidget* w : std::initializer_list<const QWidget*>{board.get(), &sheet(), &viewer})
        EXPECT_EQ(w->windowIcon().pixmap(32).toImage(), drawn) << w->objectName().toStdString();

    board->fra_Options->show();
    QTest::mouseClick(board->Image7, Qt::LeftButton);
    ASSERT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(ui->prompts.front().kind, Prompt::External);
    EXPECT_EQ(ui->prompts.front().text, folder->file(QStringLiteral("HELP.htm")) + QStringLiteral("#support"));
}

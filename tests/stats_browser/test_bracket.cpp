// The tournament bracket: filled by clicks, reset on request, kept in the
// settings store between openings of the browser.
#include "browser_fixture.h"

#include "common/settings.h"
#include "platform/events.h"

#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace {

class BracketTest : public BrowserTest {
protected:
    Form4& openOnBracket()
    {
        open();
        browser->SSTab1->setCurrentIndex(7);
        return *browser;
    }
    static void clickSlot(ClickLabel* slot) { QTest::mouseClick(slot, Qt::LeftButton); }

    std::vector<ClickLabel*> allSlots() const
    {
        std::vector<ClickLabel*> all(browser->lbl_Team, browser->lbl_Team + 16);
        all.insert(all.end(), browser->lbl_TeamRnd2, browser->lbl_TeamRnd2 + 8);
        all.insert(all.end(), browser->lbl_TeamRnd3, browser->lbl_TeamRnd3 + 4);
        all.insert(all.end(), browser->lbl_TeamRnd4, browser->lbl_TeamRnd4 + 2);
        all.push_back(browser->lbl_Champ);
        return all;
    }
};

TEST_F(BracketTest, LayoutLeadsEachPairToTheSlotBetweenThem)
{
    Form4& f = openOnBracket();
    EXPECT_EQ(f.lbl_instr->text(),
              QStringLiteral(" Enter team name etc into the box at the top right; double-click the desired label to add the text."));
    EXPECT_EQ(f.cmd_Reset->text(), QStringLiteral("RESET"));
    EXPECT_TRUE(f.tb_Team->text().isEmpty());
    // Each later slot stands level with the pair it follows, one column on.
    auto middle = [](const QWidget* w) { return w->geometry().center().y(); };
    for (int k = 0; k < 8; ++k) {
        EXPECT_GT(middle(f.lbl_TeamRnd2[k]), middle(f.lbl_Team[2 * k])) << k;
        EXPECT_LT(middle(f.lbl_TeamRnd2[k]), middle(f.lbl_Team[2 * k + 1]) + f.lbl_Team[0]->height()) << k;
        EXPECT_GT(f.lbl_TeamRnd2[k]->x(), f.lbl_Team[k]->geometry().right());
    }
    EXPECT_GT(middle(f.lbl_Champ), middle(f.lbl_TeamRnd4[0]));
    EXPECT_LT(middle(f.lbl_Champ), middle(f.lbl_TeamRnd4[1]));
    // Nothing overlaps the instruction line.
    for (ClickLabel* s : allSlots())
        EXPECT_FALSE(s->geometry().intersects(f.lbl_instr->geometry())) << s->objectName().toStdString();
    EXPECT_FALSE(f.tb_Team->geometry().intersects(f.lbl_Champ->geometry()));
}

TEST_F(BracketTest, ClickPlacesTheBoxTextUnchanged)
{
    Form4& f = openOnBracket();
    f.tb_Team->setText(QStringLiteral("  <b>Aces</b> "));
    clickSlot(f.lbl_Team[3]);
    clickSlot(f.lbl_TeamRnd3[1]);  // a later round before the slots it follows
    // A double-click, as the desktop delivers it: a click, then the double.
    clickSlot(f.lbl_TeamRnd4[1]);
    QTest::mouseDClick(f.lbl_TeamRnd4[1], Qt::LeftButton);
    EXPECT_EQ(f.lbl_Team[3]->text(), QStringLiteral("  <b>Aces</b> "));
    EXPECT_EQ(f.lbl_TeamRnd3[1]->text(), f.tb_Team->text());
    EXPECT_EQ(f.lbl_TeamRnd4[1]->text(), f.tb_Team->text());
    EXPECT_EQ(f.tb_Team->text(), QStringLiteral("  <b>Aces</b> "));
    EXPECT_EQ(f.lbl_Team[3]->textFormat(), Qt::PlainText);
    EXPECT_TRUE(f.lbl_Team[2]->text().isEmpty() && f.lbl_Champ->text().isEmpty());

    // An empty box clears the slot.
    f.tb_Team->clear();
    clickSlot(f.lbl_Team[3]);
    EXPECT_TRUE(f.lbl_Team[3]->text().isEmpty());
    EXPECT_EQ(f.lbl_TeamRnd3[1]->text(), QStringLiteral("  <b>Aces</b> "));
}

TEST_F(BracketTest, ResetAsksWithNoAsDefaultAndClearsOnlyOnYes)
{
    settings::SaveSetting(QStringLiteral("lbl_Team(0)"), QStringLiteral("kept"));
    Form4& f = openOnBracket();
    f.tb_Team->setText(QStringLiteral("Miners"));
    for (ClickLabel* s : allSlots())
        clickSlot(s);

    ui->answerMsgBox(QMessageBox::No);
    QTest::mouseClick(f.cmd_Reset, Qt::LeftButton);
    ASSERT_EQ(ui->prompts.size(), 1u);
    const Prompt& p = ui->prompts[0];
    EXPECT_EQ(p.text, QStringLiteral("Erase entire tournament bracket?"));
    EXPECT_EQ(p.title, QStringLiteral("Question"));
    EXPECT_EQ(p.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(p.icon, QMessageBox::NoIcon);
    EXPECT_EQ(p.defaultButton, QMessageBox::No);
    for (ClickLabel* s : allSlots())
        EXPECT_EQ(s->text(), QStringLiteral("Miners"));

    ui->answerMsgBox(QMessageBox::Yes);
    QTest::mouseClick(f.cmd_Reset, Qt::LeftButton);
    for (ClickLabel* s : allSlots())
        EXPECT_TRUE(s->text().isEmpty()) << s->objectName().toStdString();
    EXPECT_EQ(f.tb_Team->text(), QStringLiteral("Miners"));
    // The store keeps the old bracket until the window closes.
    EXPECT_EQ(settings::GetSetting(QStringLiteral("lbl_Team(0)")), QStringLiteral("kept"));
}

TEST_F(BracketTest, EveryCloseStoresAllSlotsAndEveryOpeningRestoresThem)
{
    settings::SaveSetting(QStringLiteral("lbl_chrt1"), QStringLiteral("Chart one"));
    settings::SaveSetting(QStringLiteral("lbl_TeamRnd2(2)"), QStringLiteral("old"));
    Form4& f = openOnBracket();
    EXPECT_EQ(f.lbl_TeamRnd2[2]->text(), QStringLiteral("old"));
    f.tb_Team->setText(QStringLiteral("Gulls"));
    clickSlot(f.lbl_Team[15]);
    f.tb_Team->setText(QStringLiteral("Otters"));
    clickSlot(f.lbl_Champ);
    f.tb_Team->clear();
    clickSlot(f.lbl_TeamRnd2[2]);
    f.close();

    QSettings ini(folder->file("settings.ini"), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("labels"));
    QStringList keys = ini.childKeys();
    keys.removeAll(QStringLiteral("lbl_chrt1"));
    EXPECT_EQ(keys.size(), 31);
    EXPECT_TRUE(keys.contains(QStringLiteral("lbl_TeamRnd2(2)")));
    EXPECT_EQ(ini.value(QStringLiteral("lbl_TeamRnd2(2)")).toString(), QString());  // stored, empty
    EXPECT_EQ(ini.value(QStringLiteral("lbl_Team(15)")).toString(), QStringLiteral("Gulls"));
    EXPECT_EQ(ini.value(QStringLiteral("lbl_Champ")).toString(), QStringLiteral("Otters"));
    EXPECT_EQ(ini.value(QStringLiteral("lbl_chrt1")).toString(), QStringLiteral("Chart one"));

    // The next opening shows them again, the box empty.
    for (ClickLabel* s : allSlots())
        s->setText(QStringLiteral("stale"));
    openOnBracket();
    EXPECT_EQ(f.lbl_Team[15]->text(), QStringLiteral("Gulls"));
    EXPECT_EQ(f.lbl_Champ->text(), QStringLiteral("Otters"));
    EXPECT_EQ(f.lbl_Team[0]->text(), QString());
    EXPECT_EQ(f.lbl_TeamRnd2[2]->text(), QString());
}

TEST_F(BracketTest, NameBoxIsEmptyAgainAtEveryOpening)
{
    Form4& f = openOnBracket();
    f.tb_Team->setText(QStringLiteral("Otters"));
    clickSlot(f.lbl_Team[2]);
    f.close();
    openOnBracket();
    EXPECT_EQ(f.tb_Team->text(), QString());
    // A click places what the box shows now, not the last visit's name.
    clickSlot(f.lbl_Team[3]);
    EXPECT_EQ(f.lbl_Team[3]->text(), QString());
    EXPECT_EQ(f.lbl_Team[2]->text(), QStringLiteral("Otters"));
}

TEST_F(BracketTest, StoreThatRefusesTheWriteDoesNotKeepTheWindowOpen)
{
    Form4& f = openOnBracket();
    f.tb_Team->setText(QStringLiteral("Comets"));
    clickSlot(f.lbl_Team[0]);
    const QString blocker = folder->write("blocked", "a file where a folder belongs");
    settings::redirectTo(blocker + QStringLiteral("/settings.ini"));
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(ui->prompts.empty());
}

}  // namespace

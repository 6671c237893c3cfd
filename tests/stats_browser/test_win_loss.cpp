// Standings and matchups, the three destructive commands (delete one team
// or matchup, clear win/loss, purge everything) and their failures.
#include "analysis_fixture.h"

#include "support/sqlite_peer.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QSqlQuery>

using namespace analysis;

namespace {

// Another program holding the file locked while it writes.
class WriteLock {
public:
    WriteLock() : peer_(db::path()) { peer_.exec("BEGIN EXCLUSIVE"); }
    ~WriteLock() { peer_.exec("ROLLBACK"); }

private:
    PeerConnection peer_;
};

}  // namespace

class WinLossTest : public AnalysisTest {
protected:
    void expectQuestion(size_t at, const QString& text)
    {
        ASSERT_GT(ui->prompts.size(), at);
        const Prompt& p = ui->prompts[at];
        EXPECT_EQ(p.text, text);
        EXPECT_EQ(p.buttons, QMessageBox::Yes | QMessageBox::No);
        // Enter and Escape both answer No.
        EXPECT_EQ(p.defaultButton, QMessageBox::No);
        EXPECT_EQ(p.title, platform::applicationTitle());
    }
    void expectCompletion(size_t at, const QString& text)
    {
        ASSERT_GT(ui->prompts.size(), at);
        EXPECT_EQ(ui->prompts[at].text, text);
        EXPECT_EQ(ui->prompts[at].buttons, QMessageBox::Ok);
        EXPECT_EQ(ui->prompts[at].icon, QMessageBox::Information);
    }
    int standingsRow(const QString& team)
    {
        const Grid& g = *browser->MSHFlexGrid9;
        for (int r = 1; r < g.rows(); ++r)
            if (g.textMatrix(r, 1).compare(team, Qt::CaseInsensitive) == 0)
                return r;
        return -1;
    }
};

TEST_F(WinLossTest, StandingsMostWinsFirstAndMatchupsPerOrientation)
{
    const Grid& st = *browser->MSHFlexGrid9;
    EXPECT_EQ(row(st, 0), QStringList({"Team", "W", "L"}));
    // "Sox" and "SOX" are one team. Equal wins go by name ("_" before "x");
    // no wins at all (an empty W) come after 0 wins.
    ASSERT_EQ(st.rows(), 7);
    EXPECT_EQ(st.textMatrix(1, 1).toLower(), "sox");
    EXPECT_EQ(column(st, 1).mid(1), QStringList({"A_B", "AxB", "Zero Wins", "<b>Bee</b>", RedSox}));
    EXPECT_EQ(column(st, 2), QStringList({"2", "1", "1", "0", "", ""}));
    EXPECT_EQ(column(st, 3), QStringList({"", "", "1", "1", "1", "2"}));
    EXPECT_EQ(st.colWidth(0), 300);
    EXPECT_EQ(st.colWidth(1), 1500);
    EXPECT_EQ(st.colWidth(2), 600);
    EXPECT_EQ(st.colWidth(3), 600);
    // The name keeps the grid's own alignment; W and L centred.
    EXPECT_EQ(st.model().colAlignment(1), 9);
    EXPECT_EQ(st.model().colAlignment(2), 3);
    EXPECT_EQ(st.model().colAlignment(3), 3);
    EXPECT_EQ(st.model().colAlignmentFixed(1), 3);

    const Grid& mu = *browser->MSHFlexGrid10;
    EXPECT_EQ(row(mu, 0), QStringList({"Matchup", "Games"}));
    EXPECT_EQ(column(mu, 1), QStringList({"A_B  vs  AxB", "AxB  vs  AxB", "Red Sox  vs  Sox", "Sox  vs  Red Sox"}));
    EXPECT_EQ(column(mu, 2), QStringList({"2", "1", "1", "1"}));
    EXPECT_EQ(mu.colWidth(1), 2500);
    EXPECT_EQ(mu.colWidth(2), 600);
    EXPECT_EQ(mu.model().colAlignment(1), 9);
    EXPECT_EQ(mu.model().colAlignment(2), 3);
}

TEST_F(WinLossTest, DeletePicksByClickAndRemovesExactlyTheNamedRows)
{
    // Nothing picked: nothing asked.
    click(browser->Command36);
    EXPECT_TRUE(ui->prompts.empty());

    // A team name is shown as plain text; a header click picks nothing.
    Grid& st = *browser->MSHFlexGrid9;
    clickCell(st, standingsRow("<b>Bee</b>"), 2);
    EXPECT_EQ(browser->lbl_DEL2->text(), "<b>Bee</b>");
    EXPECT_EQ(browser->lbl_DEL2->textFormat(), Qt::PlainText);
    QHeaderView* header = st.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(browser->lbl_DEL2->text(), "<b>Bee</b>");

    // "A_B" as a pattern would take "AxB" too: matched exactly, it does not.
    clickCell(st, standingsRow("A_B"), 1);
    EXPECT_EQ(browser->lbl_DEL2->text(), "A_B");
    ui->answerMsgBox(QMessageBox::No);
    click(browser->Command36);
    expectQuestion(0, "DELETE all statistics?");
    EXPECT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(rowCount("WinLoss"), 9);

    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->Command36);
    expectQuestion(0, "DELETE all statistics?");
    expectCompletion(1, "Delete of data is complete.");
    {
        PeerConnection peer(db::path());
        EXPECT_EQ(peer.column("SELECT Team FROM WinLoss WHERE Team LIKE 'A%' ORDER BY Team"), QStringList({"AxB"}));
    }
    // The grids keep what they showed; the label keeps its text.
    EXPECT_EQ(standingsRow("A_B"), 2);
    EXPECT_EQ(browser->lbl_DEL2->text(), "A_B");

    // A second delete of the same name finds nothing, and says so as done.
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->Command36);
    expectCompletion(1, "Delete of data is complete.");
    EXPECT_EQ(rowCount("WinLoss"), 8);

    // A team in another case of letters: all of its rows, not its matchups.
    ui->clear();
    clickCell(st, 1, 1);
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->Command36);
    EXPECT_EQ(rowCount("WinLoss"), 5);
    EXPECT_EQ(rowCount("Matchups"), 5);

    // One matchup key, exactly: A at B goes, A-like keys and B at A stay.
    ui->clear();
    Grid& mu = *browser->MSHFlexGrid10;
    clickCell(mu, 1, 2);
    EXPECT_EQ(browser->lbl_DEL2->text(), "A_B  vs  AxB");
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->Command36);
    expectCompletion(1, "Delete of data is complete.");
    {
        PeerConnection peer(db::path());
        EXPECT_EQ(peer.column("SELECT Matchup FROM Matchups ORDER BY Matchup"),
                  QStringList({"AxB  vs  AxB", "Red Sox  vs  Sox", "Sox  vs  Red Sox"}));
    }
    EXPECT_EQ(rowCount("WinLoss"), 5);
    // The other tables are never touched.
    EXPECT_EQ(rowCount("Batting"), 7);
    EXPECT_EQ(rowCount("Pitching"), 6);
    EXPECT_EQ(rowCount("BoxScores"), 4);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(WinLossTest, ClearAllEmptiesOnlyTheWinLossTables)
{
    ui->answerMsgBox(QMessageBox::No);
    click(browser->Command33);
    expectQuestion(0, "DELETE all Win/Loss and Matchups data?");
    EXPECT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(tableCounts(), std::vector<int>({7, 6, 4, 9, 5}));

    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->Command33);
    expectCompletion(1, "Win/Loss Matchup data has been deleted.");
    EXPECT_EQ(tableCounts(), std::vector<int>({7, 6, 4, 0, 0}));
    EXPECT_EQ(browser->MSHFlexGrid9->rows(), 7);
}

TEST_F(WinLossTest, LockedFileDeletesNothingAndReportsTheFailure)
{
    ui->expectAlarm(QStringLiteral("5, database is locked"));
    const int savedTimeout = db::busyTimeout();
    db::setBusyTimeout(100);
    clickCell(*browser->MSHFlexGrid9, standingsRow("AxB"), 1);
    {
        WriteLock lock;
        for (QPushButton* b : {browser->Command36, browser->Command33, browser->cmd_Purge}) {
            ui->clear();
            ui->answerMsgBox(QMessageBox::Yes);
            click(b);
            // The error in place of the completion message.
            ASSERT_EQ(ui->prompts.size(), 2u) << b->objectName().toStdString();
            EXPECT_EQ(ui->programErrors(), QStringList({"The following error has occurred: 5, database is locked"}));
        }
    }
    EXPECT_EQ(tableCounts(), std::vector<int>({7, 6, 4, 9, 5}));
    db::setBusyTimeout(savedTimeout);
}

TEST_F(WinLossTest, PurgeEmptiesEveryTableOrNone)
{
    ui->expectAlarm(QStringLiteral(", kept"));
    ui->answerMsgBox(QMessageBox::No);
    click(browser->cmd_Purge);
    expectQuestion(0, "DELETE all statistics?");
    EXPECT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(tableCounts(), std::vector<int>({7, 6, 4, 9, 5}));

    // A statement failing part-way (the last table refuses): all five
    // tables stay as they were.
    {
        PeerConnection peer(db::path());
        peer.exec("CREATE TRIGGER keep BEFORE DELETE ON Matchups BEGIN SELECT RAISE(ABORT, 'kept'); END");
    }
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->cmd_Purge);
    ASSERT_EQ(ui->programErrors().size(), 1);
    EXPECT_TRUE(ui->programErrors().first().endsWith(", kept")) << ui->programErrors().first().toStdString();
    EXPECT_EQ(ui->prompts.size(), 2u);
    EXPECT_EQ(tableCounts(), std::vector<int>({7, 6, 4, 9, 5}));

    {
        PeerConnection peer(db::path());
        peer.exec("DROP TRIGGER keep");
    }
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->cmd_Purge);
    expectCompletion(1, "Delete of all statistics is complete.");
    EXPECT_EQ(tableCounts(), std::vector<int>({0, 0, 0, 0, 0}));
    // The grids keep the old rows until queried again.
    EXPECT_EQ(browser->MSHFlexGrid1->rows(), 5);
    click(browser->Command4);
    EXPECT_EQ(browser->MSHFlexGrid1->rows(), 1);

    // An empty database purges as well; so does a missing file.
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->cmd_Purge);
    expectCompletion(1, "Delete of all statistics is complete.");
    ASSERT_TRUE(QFile::remove(db::path()));
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    click(browser->cmd_Purge);
    expectCompletion(1, "Delete of all statistics is complete.");
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

// A program folder that cannot be made: said once at start, the board opens
// with the shipped pictures, and saving and exporting fail with their own
// box without writing anywhere else.
#include "board/form1.h"
#include "common/program_folder.h"
#include "platform/folder_start.h"
#include "stats_browser/exports.h"
#include "stats_sheet/form2.h"
#include "support/program_error_expect.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/sheet_helpers.h"

#include <QDirIterator>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList entriesUnder(const QString& root)
{
    QStringList all;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        all << it.filePath() + ' ' + QString::number(it.fileInfo().size());
    }
    all.sort();
    return all;
}

}  // namespace

TEST(ProgramFolderStart, UnwritableFolderIsSaidOnceAndSavesAndExportsFailWithTheirOwnBox)
{
    TempProgramFolder pf;
    pf.write("blocked", "a file where a folder belongs");
    const QString program = pf.file("blocked/Benchdeck");
    folder::setProgramFolder(program);
    const QStringList before = entriesUnder(pf.path()) + entriesUnder(pf.shipped());
    ScriptedInteraction ui;

    folder::prepareAtStart(QString());
    ASSERT_EQ(ui.programErrors(), QStringList({"The following error has occurred: 75, Path/File access error: "
                                               + program}));

    Form1 board;
    ASSERT_TRUE(board.Form_Load());
    board.show();
    EXPECT_EQ(ui.programErrors().size(), 1);
    EXPECT_TRUE(folder::resolve("Ballparks/DEFAULT1679X974.jpg").startsWith(pf.shipped()));

    sheet_test::setUpNineInningGame(board, "Otters", "Pine Jays");
    ui.answerMsgBox(QMessageBox::Yes);
    ui.whileModal("Form2", [](QDialog& d) { static_cast<Form2&>(d).Command2->click(); });
    QTest::mouseClick(board.lbl_STATS, Qt::LeftButton);
    ASSERT_EQ(ui.programErrors().size(), 2);
    EXPECT_FALSE(ui.messages().contains("Data successfully recorded"));

    const ProgramError e = failureOf([] { browser::reportsFolder(); });
    EXPECT_EQ(e.number, 75);
    EXPECT_TRUE(e.description.contains(program));
    EXPECT_EQ(entriesUnder(pf.path()) + entriesUnder(pf.shipped()), before);
}

TEST(ProgramFolderStart, ReportsLandInTheProgramFolder)
{
    TempProgramFolder pf;
    const QString workbook = browser::writeDatabaseWorkbook(browser::reportsFolder(), "ZRQ_MSAccess_120926101500");
    EXPECT_TRUE(workbook.startsWith(pf.path() + "/Game Rpts/")) << workbook.toStdString();
    EXPECT_TRUE(QFileInfo(workbook).isFile());
}

// A workbook whose file cannot be completed is a failure, never a saved file.
#include "platform/workbook.h"
#include "support/program_error_expect.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Workbook, AFileThatCannotBeCompletedIsReportedAndNoWorkbookAppears)
{
    QTemporaryDir dir;
    const ProgramError e = failureOf([&] {
        platform::Workbook wb(dir.path(), "Report");
        wb.addSheet("Data").writeNumber(0, 0, 42);
        // The file being written is taken from under the writer: completing
        // it now fails.
        const QStringList parts = QDir(dir.path()).entryList({".Report.*.part"}, QDir::Files | QDir::Hidden);
        ASSERT_EQ(parts.size(), 1);
        ASSERT_TRUE(QFile::remove(dir.filePath(parts.front())));
        ASSERT_TRUE(QDir(dir.path()).mkdir(parts.front()));
        wb.save();
    });
    EXPECT_EQ(e.number, 75);
    EXPECT_TRUE(e.description.contains(QDir::toNativeSeparators(dir.filePath("Report.xlsx"))))
        << e.description.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList({"*.xlsx"}, QDir::AllEntries | QDir::Hidden), QStringList());
}

}  // namespace

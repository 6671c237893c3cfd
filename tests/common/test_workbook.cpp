// The workbook layer: a workbook appears whole under a free name or not at all.
#include "platform/workbook.h"
#include "support/program_error_expect.h"
#include "support/xlsx_reader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The libraries this process has mapped, by file name.
QString mappedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
}

// The spreadsheet writer (and the crypto library it brings) comes with the
// workbook module at the first workbook, not with the program.
TEST(Workbook, NeverReplacesAFileAndLeavesNothingBehindOnFailure)
{
    // (Unless an earlier test of this process wrote a workbook.)
    if (!mappedLibraries().contains(QStringLiteral("libbenchdeck_workbook.so"))) {
        EXPECT_FALSE(mappedLibraries().contains(QStringLiteral("libxlsxwriter")));
        EXPECT_FALSE(mappedLibraries().contains(QStringLiteral("libcrypto")));
    }
    QTemporaryDir dir;
    {
        QFile existing(dir.filePath("Report.xlsx"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("kept");
    }
    QStringList saved;
    for (int i = 0; i < 2; ++i) {
        platform::Workbook wb(dir.path(), "Report");
        wb.addSheet("Data").writeNumber(0, 0, 42);
        saved << QFileInfo(wb.save()).fileName();
    }
    EXPECT_EQ(saved, (QStringList{"Report_2.xlsx", "Report_3.xlsx"}));
    EXPECT_TRUE(mappedLibraries().contains(QStringLiteral("libbenchdeck_workbook.so")));
    EXPECT_TRUE(mappedLibraries().contains(QStringLiteral("libxlsxwriter")));
    QFile existing(dir.filePath("Report.xlsx"));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("kept"));
    EXPECT_EQ(XlsxFile(dir.filePath("Report_3.xlsx")).sheet("Data").text("A1"), QStringLiteral("42"));

    // Abandoned half-way (a text no cell holds): no file, no temporary left.
    const ProgramError e = failureOf([&] {
        platform::Workbook wb(dir.path(), "Broken");
        wb.addSheet("Data").writeText(3, 1, QString(platform::Workbook::MaxTextLength + 1, 'x'));
    });
    EXPECT_TRUE(e.description.contains("B4")) << e.description.toStdString();
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"Report.xlsx", "Report_2.xlsx", "Report_3.xlsx"}));

    // Texts that fit until escaped: measured as written, refused by our own
    // word naming the sheet, the row and the column.
    QString nuls(platform::Workbook::MaxTextLength - 10, 'x');
    nuls += QString(10, QChar(0));
    QString escapes;
    for (int i = 0; i < 4000; ++i)
        escapes += QStringLiteral("_x0041_");
    for (const QString& text : {nuls, escapes}) {
        const ProgramError g = failureOf([&] {
            platform::Workbook wb(dir.path(), "Escaped");
            wb.addSheet("Batting").writeText(6, 2, text);
        });
        EXPECT_TRUE(g.description.contains("C7 (row 7, column 3) of sheet Batting")) << g.description.toStdString();
    }
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"Report.xlsx", "Report_2.xlsx", "Report_3.xlsx"}));

    // A folder that cannot hold it: 75 naming the folder.
    const QString blocked = dir.filePath("blocked");
    QFile(blocked).open(QIODevice::WriteOnly);
    const ProgramError f = failureOf([&] { platform::Workbook wb(blocked, "Report"); });
    EXPECT_EQ(f.number, 75);
    EXPECT_TRUE(f.description.startsWith("Path/File access error: " + QDir::toNativeSeparators(blocked)))
        << f.description.toStdString();
}

}  // namespace

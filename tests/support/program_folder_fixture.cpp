#include "support/program_folder_fixture.h"

#include "common/program_folder.h"
#include "common/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

TempProgramFolder::TempProgramFolder()
{
    const int rc = QProcess::execute(QStringLiteral(BENCHDECK_FOLDER_GEN),
                                     {QStringLiteral(BENCHDECK_SOURCE_PROGRAM_FOLDER), shipped_.path()});
    EXPECT_EQ(rc, 0) << "program folder generator failed";
    folder::setShippedFolder(shipped_.path());
    folder::setProgramFolder(dir_.path());
    EXPECT_EQ(folder::prepare(QString()), QString());
    settings::redirectTo(dir_.path() + QStringLiteral("/settings.ini"));
}

TempProgramFolder::~TempProgramFolder()
{
    folder::setProgramFolder(QString());
    folder::setShippedFolder(QString());
    settings::redirectTo(QString());
}

QString TempProgramFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString p = file(relative);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return p;
}

void TempProgramFolder::writeShippedSums() const
{
    EXPECT_EQ(QProcess::execute(QStringLiteral(BENCHDECK_FOLDER_GEN), {QStringLiteral("--sums"), shipped_.path()}), 0);
}

#include "support/program_folder_fixture.h"

#include "common/program_folder.h"
#include "common/settings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Every file under from, into the same places under to.
bool copyTree(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!source.exists())
        return false;
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + '/' + source.relativeFilePath(path);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(path, target))
            return false;
    }
    return true;
}

}  // namespace

TempProgramFolder::TempProgramFolder()
{
    // The build's own shipped folder, copied: a test may change its copy.
    EXPECT_TRUE(copyTree(QStringLiteral(BENCHDECK_SHIPPED_FOLDER), shipped_.path()))
        << "the shipped folder the build lays out could not be copied";
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

// Lays out the program folder: copies the committed text files (team files,
// pages) from the source tree and creates the folders the program expects.
// Usage: benchdeck_folder_gen SOURCE_FOLDER DESTINATION_FOLDER
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool copyTree(const QString& from, const QString& to)
{
    bool ok = true;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        const QString dst = to + '/' + rel;
        QDir().mkpath(QFileInfo(dst).absolutePath());
        QFile::remove(dst);
        ok = QFile::copy(src, dst) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: benchdeck_folder_gen SOURCE DESTINATION\n");
        return 2;
    }
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString dst = QString::fromLocal8Bit(argv[2]);
    bool ok = QDir().mkpath(dst);
    for (const char* sub : {"Teams", "Logos", "Ballparks", "Charts", "Game Rpts"})
        ok = QDir().mkpath(dst + '/' + QString::fromLatin1(sub)) && ok;
    ok = copyTree(src, dst) && ok;
    return ok ? 0 : 1;
}

// The program folder's start as a process of its own, so tests can run two
// at once on one folder or kill one half-way.
// Usage: benchdeck_start_probe SHIPPED_FOLDER PROGRAM_FOLDER [FORMER_FOLDER]
// Prints what prepare() answered; exits 0 when it answered "".
#include "common/program_folder.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: benchdeck_start_probe SHIPPED PROGRAM [FORMER]\n");
        return 2;
    }
    folder::setShippedFolder(QString::fromLocal8Bit(argv[1]));
    folder::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    const QString failed = folder::prepare(argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString());
    std::printf("%s\n", failed.toLocal8Bit().constData());
    return failed.isEmpty() ? 0 : 1;
}

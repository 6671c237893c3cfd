#include "board/form1.h"
#include "common/program_folder.h"
#include "platform/database_threads.h"
#include "platform/folder_start.h"

#include <QApplication>

int main(int argc, char** argv)
{
    db::prepareMemoryForReaders();
    QApplication app(argc, argv);
    folder::setIdentity();
    QGuiApplication::setDesktopFileName(QLatin1String(folder::desktopId));
    // Earlier versions kept the database and the reports beside the executable.
    folder::prepareAtStart(QCoreApplication::applicationDirPath());
    // Hidden windows (the sheet, the event log) never keep the program alive.
    QApplication::setQuitOnLastWindowClosed(false);
    Form1 board;
    if (!board.Form_Load())
        return 1;
    board.show();
    return app.exec();
}

#include "board/program_start.h"

#include "board/form1.h"
#include "common/program_folder.h"
#include "platform/folder_start.h"

#include <QApplication>

namespace board {

std::unique_ptr<Form1> startProgram()
{
    folder::setIdentity();
    QGuiApplication::setDesktopFileName(QLatin1String(folder::desktopId));
    // Earlier versions kept the database and the reports beside the executable.
    folder::prepareAtStart(QCoreApplication::applicationDirPath());
    // Hidden windows (the sheet, the event log) never keep the program alive.
    QApplication::setQuitOnLastWindowClosed(false);
    auto board = std::make_unique<Form1>();
    if (!board->Form_Load())
        return nullptr;
    return board;
}

}  // namespace board

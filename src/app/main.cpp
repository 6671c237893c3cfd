#include "board/form1.h"
#include "board/program_start.h"
#include "platform/database_threads.h"

#include <QApplication>

int main(int argc, char** argv)
{
    db::prepareMemoryForReaders();
    QApplication app(argc, argv);
    const std::unique_ptr<Form1> window = board::startProgram();
    if (!window)
        return 1;
    window->show();
    return app.exec();
}

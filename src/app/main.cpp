#include "board/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scorvana Benchdeck"));
    // Hidden windows (the sheet, the event log) never keep the program alive.
    QApplication::setQuitOnLastWindowClosed(false);
    Form1 board;
    if (!board.Form_Load())
        return 1;
    board.show();
    return app.exec();
}

#pragma once
// Counts the paint events of the widgets it is installed on as an event
// filter: what a refresh costs on screen.
#include <QEvent>
#include <QObject>

struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

#pragma once
// The board's panels set their controls' colours explicitly, so the look
// does not depend on the desktop theme.
#include "common/colours.h"

#include <QString>
#include <QWidget>

namespace board {

inline QString colourName(unsigned bgr)
{
    return colours::fromBgr(bgr).name();
}

inline void paintColours(QWidget* w, unsigned fore, unsigned back)
{
    w->setStyleSheet(colours::style(fore, back));
}

}  // namespace board

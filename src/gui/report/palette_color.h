// The palette's colours for the widgets that paint with Qt.
#pragma once

#include <QColor>

#include "core/grid/palette.h"

inline QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

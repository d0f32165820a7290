#pragma once

#include "color/ColorCodes.h"

#include <QColor>

inline QColor toQColor(ColorValue c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

inline ColorValue toColorValue(const QColor &c)
{
    return rgbValue(c.red(), c.green(), c.blue());
}

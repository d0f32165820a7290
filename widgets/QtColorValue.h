#pragma once

#include "core/ColorValue.h"

#include <QColor>
#include <QString>

#include <string>

inline QColor toQColor(ColorValue c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

inline ColorValue toColorValue(const QColor &c)
{
    return rgbValue(c.red(), c.green(), c.blue());
}

// The codes are ASCII, so Latin-1 is exact and cheaper than UTF-8.
inline QString toQString(const std::string &code)
{
    return QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
}

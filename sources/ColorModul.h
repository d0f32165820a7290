#pragma once

#include <QPoint>
#include <QtGlobal>

// State shared by the palette picker and the eyedropper.
struct ColorModul
{
    bool PaletteDragActive = false;
    quint8 PaletteIndex = 0; // the palette surface that sent the last pointer event
    float PaletteX = 0;
    qint16 PaletteY = 0;
    QPoint ScreenCursorPos;
};

#pragma once

#include <QImage>
#include <QPoint>

// The pointer image the X server shows right now, whoever set it. Null where the program does
// not run on X11 or the server lacks the XFixes extension.
struct X11CursorImage
{
    QImage image;
    QPoint hotSpot;

    static X11CursorImage current();
};

#pragma once

#include "core/ColorValue.h"
#include "platform/ScreenBlock.h"

#include <QPoint>

// Reads what the screen shows at the pointer, in any application's window.
class ScreenReader
{
public:
    virtual ~ScreenReader() = default;
    // Whether this desktop lets the reader see other programs' pixels at all.
    virtual bool canRead() const { return true; }
    // Whether the pixels read include the pointer's own image.
    virtual bool seesPointer() const { return false; }
    // The pointer's position in root pixels, and whether any mouse button is down; false where
    // the pointer could not be asked.
    virtual bool pointerPosition(QPoint *root, bool *buttonHeld) = 0;
    // The colour of one screen pixel, or -1 where it cannot be read.
    virtual ColorValue pixelAt(QPoint root) = 0;
    // The hold is over: whatever is still on its way for it is of no use any more.
    virtual void endHold() { }
    // The pixels within radius of a centre pixel, in one read; false where the centre cannot be
    // read. A reader that knows single pixels only gives a block of the centre alone.
    virtual bool readBlock(QPoint centre, int radius, ScreenBlock *block)
    {
        (void)radius;
        const ColorValue color = pixelAt(centre);
        if (color < 0)
            return false;
        *block = { centre, 0, { color } };
        return true;
    }
};

#pragma once

class QImage;
class QRect;

// A window above every other that shows a picture at a place given in root pixels, outside the
// window manager's reach: no frame, no focus, no entry in any window list.
class LoupeWindow
{
public:
    virtual ~LoupeWindow() = default;
    // Shows the window at that place, or moves it there; false where it cannot be shown.
    virtual bool place(const QRect &root) = 0;
    // The picture, one image pixel to a device pixel, from the window's top-left corner.
    virtual void paint(const QImage &image) = 0;
    virtual void hide() = 0;
};

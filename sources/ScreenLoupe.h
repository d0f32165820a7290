#pragma once

#include "core/LoupeGeometry.h"
#include "platform/ScreenBlock.h"

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

class LoupeWindow;

// What the loupe shows during a hold: the screen pixels around the pointer, each a square of
// whole device pixels, the centre one framed, and its HTML code under the grid. It draws only
// when what it shows changed, and while the pointer moves no faster than a screen can show.
class ScreenLoupe
{
public:
    explicit ScreenLoupe(LoupeWindow &window);

    int pixels() const { return m_pixels; }
    // The radius of the block to read for it.
    int radius() const { return m_pixels / 2; }
    void zoom(bool in);

    // Shows the block beside the pointer, clear of the pointer's image (root pixels).
    void show(const ScreenBlock &block, const QRect &pointerImage, bool bgr);
    void hide();

    // Where it stands for a pointer, in root pixels, on the monitor under the pointer.
    QRect placeFor(QPoint pointer, const QRect &pointerImage) const;
    // The layout it uses at the pointer's monitor.
    LoupeGeometry::Layout layoutAt(QPoint pointer) const;

private:
    void render(const ScreenBlock &block, const LoupeGeometry::Layout &layout, bool bgr);
    const QImage &codeBand(const QString &code, const LoupeGeometry::Layout &layout);

    LoupeWindow &m_window;
    int m_pixels = LoupeGeometry::DefaultPixels;
    bool m_visible = false;
    QRect m_area;
    // What the window shows now, to draw again only when it changes.
    ScreenBlock m_shown;
    int m_shownPixels = 0;
    bool m_shownBgr = false;
    QElapsedTimer m_sincePaint;
    QImage m_image;
    QFont m_font;
    QString m_bandCode;
    QImage m_band;
};

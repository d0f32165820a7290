#pragma once

#include "platform/ScreenReader.h"

#include <QRect>

#include <cstddef>
#include <cstdint>
#include <string>

struct xcb_connection_t;

// Reads the root window in native pixels: root reads return what the screen shows, whichever
// application owns the window there, and root coordinates are exact at any scale and span every
// monitor, which Qt's logical coordinates and per-screen grabs are not.
class X11ScreenReader : public ScreenReader
{
public:
    // The layout of one pixel of an image the server sends.
    struct PixelFormat
    {
        int bitsPerPixel = 0;
        int scanlinePad = 32; // bits each row is padded to
        bool msbFirst = false;
        std::uint32_t redMask = 0;
        std::uint32_t greenMask = 0;
        std::uint32_t blueMask = 0;
    };

    // Reads through a connection of its own to the display named, opened at the first read:
    // the reads' round trips then never hold up or interleave with the toolkit's own traffic.
    explicit X11ScreenReader(const char *displayName);
    ~X11ScreenReader() override;
    X11ScreenReader(const X11ScreenReader &) = delete;
    X11ScreenReader &operator=(const X11ScreenReader &) = delete;

    bool pointerPosition(QPoint *root, bool *buttonHeld) override;
    ColorValue pixelAt(QPoint root) override;
    // One GetImage of the block, cut to the root window; the part beyond its edge stays -1.
    bool readBlock(QPoint centre, int radius, ScreenBlock *block) override;

    // The first pixel of image data as a colour value, or -1 where the format is not one of
    // whole bytes with three channel masks.
    static ColorValue decode(const PixelFormat &format, const std::uint8_t *data, std::size_t size);

private:
    bool connected();
    bool lookUpFormat(std::uint32_t visual, std::uint8_t depth);
    QRect rootArea();

    xcb_connection_t *m_connection = nullptr;
    bool m_ownConnection = false;
    std::string m_displayName;
    std::uint32_t m_root = 0;
    std::uint32_t m_formatVisual = 0;
    std::uint8_t m_formatDepth = 0;
    PixelFormat m_format;
    std::uint32_t m_sizedRoot = 0;
    QRect m_rootArea;
};

#pragma once

#include "platform/LoupeWindow.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <string>

struct xcb_connection_t;

// An override-redirect window on a connection of its own, opened at the first hold; the server
// destroys it with the connection, so a killed program leaves nothing on the screen. The
// picture goes straight into the window, and again where the window was exposed.
class X11LoupeWindow : public LoupeWindow
{
public:
    explicit X11LoupeWindow(std::string displayName);
    ~X11LoupeWindow() override;
    X11LoupeWindow(const X11LoupeWindow &) = delete;
    X11LoupeWindow &operator=(const X11LoupeWindow &) = delete;

    bool place(const QRect &root) override;
    void paint(const QImage &image) override;
    void hide() override;

private:
    bool created();
    bool exposed();
    void put(const QImage &image);

    std::string m_displayName;
    xcb_connection_t *m_connection = nullptr;
    bool m_tried = false;
    std::uint32_t m_root = 0;
    std::uint32_t m_window = 0;
    std::uint32_t m_gc = 0;
    QImage m_image;
    std::uint8_t m_depth = 0;
    bool m_plainRgb32 = false; // the root takes QImage's RGB32 bytes as they are
    QRect m_area;
    bool m_mapped = false;
};

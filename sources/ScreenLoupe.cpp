#include "sources/ScreenLoupe.h"

#include "core/ColorCodes.h"
#include "platform/LoupeWindow.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>
#include <cstring>

namespace {

constexpr QRgb backdrop = 0xff202020;
// The hold reads about a thousand times a second; no screen shows more than a few hundred
// frames, and every picture drawn beyond that costs the X server as much as the read itself.
// Held still, the next tick draws what a skipped one would have.
constexpr qint64 minPaintGapNs = 4'000'000;

QRgb rgbOf(ColorValue c)
{
    return c < 0 ? backdrop : qRgb(redOf(c), greenOf(c), blueOf(c));
}

// The monitor under a pointer in root pixels, and its device pixel ratio. Qt keeps each
// screen's top-left corner in root pixels and divides only the size.
struct Monitor
{
    QRect area;
    double ratio = 1.0;
};

Monitor monitorAt(QPoint pointer)
{
    Monitor found;
    for (const QScreen *s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        const double r = s->devicePixelRatio();
        const QRect native(
            g.topLeft(), QSize(int(std::lround(g.width() * r)), int(std::lround(g.height() * r))));
        if (native.contains(pointer))
            return { native, r };
        if (s == QGuiApplication::primaryScreen())
            found.ratio = r;
    }
    // A head that Qt does not report (Xinerama beside RandR): room all round.
    found.area = QRect(pointer - QPoint(1 << 14, 1 << 14), QSize(1 << 15, 1 << 15));
    return found;
}

LoupeGeometry::Box boxOf(const QRect &r)
{
    return { r.x(), r.y(), r.width(), r.height() };
}

} // namespace

ScreenLoupe::ScreenLoupe(LoupeWindow &window)
    : m_window(window)
{ }

void ScreenLoupe::zoom(bool in)
{
    m_pixels = LoupeGeometry::zoomed(m_pixels, in);
}

LoupeGeometry::Layout ScreenLoupe::layoutAt(QPoint pointer) const
{
    return LoupeGeometry::layout(m_pixels, monitorAt(pointer).ratio);
}

QRect ScreenLoupe::placeFor(QPoint pointer, const QRect &pointerImage) const
{
    const Monitor m = monitorAt(pointer);
    const LoupeGeometry::Layout l = LoupeGeometry::layout(m_pixels, m.ratio);
    const QRect block(pointer - QPoint(radius(), radius()), QSize(m_pixels, m_pixels));
    const int gap = int(std::lround(8 * m.ratio));
    const LoupeGeometry::Box b
        = LoupeGeometry::place(boxOf(m.area), boxOf(block | pointerImage), l.width, l.height, gap);
    return QRect(b.x, b.y, b.width, b.height);
}

void ScreenLoupe::show(const ScreenBlock &block, const QRect &pointerImage, bool bgr)
{
    const QRect area = placeFor(block.centre, pointerImage);
    const LoupeGeometry::Layout l = layoutAt(block.centre);
    if (!m_window.place(area)) {
        m_visible = false;
        return;
    }
    const bool resized = area.size() != m_area.size();
    m_area = area;
    const bool changed = block != m_shown || m_pixels != m_shownPixels || bgr != m_shownBgr;
    const bool due = !m_sincePaint.isValid() || m_sincePaint.nsecsElapsed() >= minPaintGapNs;
    if (!m_visible || resized || (changed && due)) {
        m_sincePaint.start();
        render(block, l, bgr);
        m_window.paint(m_image);
        m_shown = block;
        m_shownPixels = m_pixels;
        m_shownBgr = bgr;
    }
    m_visible = true;
}

void ScreenLoupe::hide()
{
    m_window.hide();
    m_visible = false;
}

void ScreenLoupe::render(const ScreenBlock &block, const LoupeGeometry::Layout &l, bool bgr)
{
    if (m_image.size() != QSize(l.width, l.height))
        m_image = QImage(l.width, l.height, QImage::Format_RGB32);
    m_image.fill(backdrop);
    const int half = l.pixels / 2;
    const int side = block.side();
    for (int j = 0; j < l.pixels; ++j) {
        const int by = j - half + block.radius;
        for (int i = 0; i < l.pixels; ++i) {
            const int bx = i - half + block.radius;
            const bool inside = bx >= 0 && by >= 0 && bx < side && by < side;
            const QRgb c = inside ? rgbOf(block.pixels[std::size_t(by * side + bx)]) : backdrop;
            for (int y = 0; y < l.cell; ++y) {
                auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(l.gridY + j * l.cell + y));
                std::fill_n(row + l.gridX + i * l.cell, l.cell, c);
            }
        }
    }
    // The frame lies outside the centre cell, over its neighbours, so the cell shows whole.
    const ColorValue centre = block.centreColor();
    const bool light
        = (299 * redOf(centre) + 587 * greenOf(centre) + 114 * blueOf(centre)) >= 128000;
    const QRgb frame = light ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    const LoupeGeometry::Box c = l.centreCell();
    const QRect inner(c.x, c.y, c.width, c.height);
    const QRect outer = inner.adjusted(-l.frame, -l.frame, l.frame, l.frame);
    for (int y = outer.top(); y <= outer.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = outer.left(); x <= outer.right(); ++x) {
            if (!inner.contains(x, y))
                row[x] = frame;
        }
    }
    const QString code
        = QString::fromStdString(htmlCode(redOf(centre), greenOf(centre), blueOf(centre), bgr));
    const QImage &band = codeBand(code, l);
    for (int y = 0; y < band.height(); ++y)
        std::memcpy(
            m_image.scanLine(l.textY + y), band.constScanLine(y), std::size_t(band.bytesPerLine()));
}

const QImage &ScreenLoupe::codeBand(const QString &code, const LoupeGeometry::Layout &l)
{
    if (code == m_bandCode && m_band.size() == QSize(l.width, l.textHeight))
        return m_band;
    m_band = QImage(l.width, l.textHeight, QImage::Format_RGB32);
    m_band.fill(backdrop);
    const int pixelSize = std::max(8, l.textHeight * 3 / 4);
    if (m_font.pixelSize() != pixelSize) {
        m_font = QFont(QStringLiteral("Liberation Mono"));
        m_font.setPixelSize(pixelSize);
        // A code needs no shaper; laid out from the character map it draws much faster.
        m_font.setStyleStrategy(QFont::PreferNoShaping);
    }
    QPainter p(&m_band);
    p.setFont(m_font);
    p.setPen(Qt::white);
    p.drawText(m_band.rect(), Qt::AlignCenter, code);
    m_bandCode = code;
    return m_band;
}

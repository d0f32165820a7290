#include "widgets/EtchedFrame.h"

#include <QEvent>
#include <QPainter>

namespace {

constexpr int captionLeft = 8;
constexpr int captionGap = 2; // line left open on each side of the caption

// Lines are filled as whole logical pixels: at a fractional screen scale a one-pixel pen
// drawn on the edge can fall between device pixels and vanish.
void etchedLine(QPainter &p, const QPalette &pal, const QRect &r)
{
    p.fillRect(r, pal.color(QPalette::Dark));
    p.fillRect(r.translated(1, 1), pal.color(QPalette::Light));
}

} // namespace

EtchedFrame::EtchedFrame(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_title(title)
{
    setAccessibleName(title);
}

void EtchedFrame::setTitle(const QString &title)
{
    m_title = title;
    m_captionWidth = -1;
    setAccessibleName(title);
    update();
}

int EtchedFrame::topLineY() const
{
    return fontMetrics().height() / 2;
}

QRect EtchedFrame::captionRect() const
{
    if (m_title.isEmpty())
        return {};
    if (m_captionWidth < 0)
        m_captionWidth = fontMetrics().horizontalAdvance(m_title);
    return QRect(
        captionLeft - captionGap, 0, m_captionWidth + 2 * captionGap, fontMetrics().height());
}

void EtchedFrame::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_captionWidth = -1;
    QWidget::changeEvent(event);
}

void EtchedFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    const int top = topLineY();
    const int right = width() - 2;
    const int bottom = height() - 2;
    const QRect caption = captionRect();

    if (caption.isEmpty()) {
        etchedLine(p, pal, QRect(0, top, right, 1));
    } else {
        etchedLine(p, pal, QRect(0, top, caption.left(), 1));
        etchedLine(p, pal, QRect(caption.right() + 1, top, right - caption.right() - 1, 1));
    }
    etchedLine(p, pal, QRect(0, top, 1, bottom - top));
    etchedLine(p, pal, QRect(right, top, 1, bottom - top));
    etchedLine(p, pal, QRect(0, bottom, right + 1, 1));

    if (!caption.isEmpty()) {
        p.setPen(pal.color(QPalette::WindowText));
        p.drawText(QRect(captionLeft, 0, caption.width(), caption.height()),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_title);
    }
}

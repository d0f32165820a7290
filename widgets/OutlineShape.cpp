#include "widgets/OutlineShape.h"

#include <QPainter>

OutlineShape::OutlineShape(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void OutlineShape::setBorderColor(const QColor &color)
{
    m_borderColor = color;
    update();
}

void OutlineShape::paintEvent(QPaintEvent *)
{
    // Edges are filled as whole logical pixels: at a fractional screen scale a one-pixel pen
    // on the widget's edge can fall outside its first device pixel and vanish.
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(0, 0, w, 1, m_borderColor);
    if (m_kind == Kind::HorizontalLine)
        return;
    p.fillRect(0, h - 1, w, 1, m_borderColor);
    p.fillRect(0, 0, 1, h, m_borderColor);
    p.fillRect(w - 1, 0, 1, h, m_borderColor);
}

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
    QPainter p(this);
    p.setPen(m_borderColor);
    if (m_kind == Kind::Rectangle)
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    else
        p.drawLine(0, 0, width() - 1, 0);
}

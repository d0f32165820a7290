#include "widgets/ClickLabel.h"

ClickLabel::ClickLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
    // Otherwise the role follows the container's background and setForeColor() would not show.
    setForegroundRole(QPalette::WindowText);
}

QColor ClickLabel::foreColor() const
{
    return palette().color(QPalette::WindowText);
}

void ClickLabel::setForeColor(const QColor &color)
{
    // A new palette is propagated and repaints; the same colour needs neither.
    if (foreColor() == color && testAttribute(Qt::WA_SetPalette))
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event, false);
    Q_EMIT mouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
        event->position().x(), event->position().y());
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_click.press(event, true);
    Q_EMIT mouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
        event->position().x(), event->position().y());
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseUp(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
        event->position().x(), event->position().y());
    if (m_click.release(event, rect()))
        Q_EMIT clicked();
}

#include "widgets/PictureBox.h"

#include "widgets/QtColorValue.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>

#include <cmath>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
    , m_backColor(palette().color(QPalette::Button))
{
    setMouseTracking(true);
    // Presses inside never reach the container: they are this surface's own.
    setAttribute(Qt::WA_NoMousePropagation);
    setBorder(Border::FlatSingle);
}

void PictureBox::setBorder(Border border)
{
    m_border = border;
    // Every pixel is painted here, so what lies behind need not be painted first; the shaded
    // border is left out, as it leaves pixels of the container showing.
    setAttribute(Qt::WA_OpaquePaintEvent, border != Border::Sunken3D);
    const int w = borderWidth();
    setContentsMargins(w, w, w, w);
    update();
}

int PictureBox::borderWidth() const
{
    switch (m_border) {
    case Border::None:
        return 0;
    case Border::FlatSingle:
        return 1;
    case Border::Sunken3D:
        return 2;
    }
    return 0;
}

void PictureBox::setBackColor(const QColor &color)
{
    // The same colour on a surface without an image shows nothing new.
    if (color == m_backColor && m_image.isNull())
        return;
    m_backColor = color;
    if (!m_image.isNull())
        m_image.fill(color);
    update();
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setPersistentImage(bool on)
{
    if (!on) {
        m_image = QImage();
    } else if (m_image.isNull()) {
        m_image = QImage(contentsRect().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_image.fill(m_backColor);
    }
    update();
}

ColorValue PictureBox::Point(double x, double y) const
{
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    if (m_image.isNull() || !m_image.valid(ix, iy))
        return -1;
    return toColorValue(QColor(m_image.pixel(ix, iy)));
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The border first: at a fractional scale its lines reach into the drawing, which must show
    // whole, as picks read it to its last pixel.
    switch (m_border) {
    case Border::None:
        break;
    case Border::FlatSingle:
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        break;
    case Border::Sunken3D:
        qDrawShadePanel(&p, rect(), palette(), true, 2);
        break;
    }
    const QRect inner = contentsRect();
    p.fillRect(inner, m_backColor);
    if (!m_image.isNull())
        p.drawImage(inner.topLeft(), m_image);
    if (!m_picture.isNull()) {
        p.setClipRect(inner);
        p.drawPixmap(inner.topLeft(), m_picture);
        p.setClipping(false);
    }
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    if (!m_image.isNull() && m_image.size() != contentsRect().size()) {
        QImage grown(contentsRect().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        grown.fill(m_backColor);
        QPainter(&grown).drawImage(0, 0, m_image);
        m_image = grown;
    }
}

QPointF PictureBox::drawingPos(const QMouseEvent *event) const
{
    // The pixel of the drawing that the screen shows under the pointer, as whole units. Qt
    // rounds the widget's own event position, which at a scale of 1.5 or 2 lands on a
    // neighbour; the window's position is exact, and the painter samples at pixel centres.
    const QPointF exact = event->scenePosition() - QPointF(mapTo(window(), QPoint(0, 0)));
    const QPointF p
        = exact - QPointF(contentsRect().topLeft()) + QPointF(0.5, 0.5) / devicePixelRatioF();
    return QPointF(std::floor(p.x()), std::floor(p.y()));
}

bool PictureBox::onDrawing(QPointF pos) const
{
    return pos.x() >= 0 && pos.y() >= 0 && pos.x() < contentsRect().width()
        && pos.y() < contentsRect().height();
}

// The border is the surface's frame, not part of it: a press there starts nothing, and only the
// buttons pressed on the drawing are reported when they go up.
void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = drawingPos(event);
    if (!onDrawing(pos))
        return;
    m_held |= event->button();
    m_click.press(event, false);
    Q_EMIT mouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
        pos.x(), pos.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPointF pos = drawingPos(event);
    if (!onDrawing(pos))
        return;
    m_held |= event->button();
    m_click.press(event, true);
    Q_EMIT mouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
        pos.x(), pos.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = drawingPos(event);
    if (!m_held && !onDrawing(pos))
        return;
    Q_EMIT mouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()),
        pos.x(), pos.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!(m_held & event->button()))
        return;
    m_held &= ~event->button();
    const QPointF pos = drawingPos(event);
    Q_EMIT mouseUp(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
        pos.x(), pos.y());
    if (m_click.release(event, rect()))
        Q_EMIT clicked();
}

// Qt sends the pointer's events to the pressed control, and shows its pointer over the whole
// window, until it sees the last button go up. Where the window system will not deliver that
// release (its grab went when the window was minimised), the window is handed one, where the
// pointer is, so that Qt goes on from the control under it; a hidden window has none, so it
// waits until the window is back. Nothing here reports it.
void PictureBox::forgetPress()
{
    m_forgotten |= m_held | QGuiApplication::mouseButtons();
    m_held = {};
    if (isVisible())
        sendForgottenRelease();
}

void PictureBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_forgotten)
        QMetaObject::invokeMethod(this, &PictureBox::sendForgottenRelease, Qt::QueuedConnection);
}

void PictureBox::sendForgottenRelease()
{
    QWindow *handle = window()->windowHandle();
    if (!handle || !m_forgotten || !isVisible())
        return;
    Qt::MouseButtons held = m_forgotten;
    m_forgotten = {};
    const QPointF global = QCursor::pos();
    const QPointF local = handle->mapFromGlobal(global);
    for (const Qt::MouseButton b :
        { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton }) {
        if (!(held & b))
            continue;
        held &= ~b;
        QMouseEvent release(
            QEvent::MouseButtonRelease, local, local, global, b, held, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &release);
    }
}

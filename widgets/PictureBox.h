#pragma once

#include "core/ColorValue.h"
#include "widgets/MouseCodes.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A picture surface: background colour, an optional picture shown at its top-left corner and an
// optional persistent image that keeps what is drawn into it and answers pixel reads.
// Coordinates are pixels of the drawing area, inside the border.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    enum class Border { None, FlatSingle, Sunken3D };

    explicit PictureBox(QWidget *parent = nullptr);

    void setBorder(Border border);

    QColor backColor() const { return m_backColor; }
    // With a persistent image this also fills the whole image with the colour.
    void setBackColor(const QColor &color);

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    void setPersistentImage(bool on);
    bool hasPersistentImage() const { return !m_image.isNull(); }
    const QImage &persistentImage() const { return m_image; }
    // Hands the persistent image to draw into directly, then repaints; nothing without one.
    template<class Draw> void editImage(Draw draw)
    {
        if (m_image.isNull())
            return;
        draw(m_image);
        update();
    }
    // The pixel of the persistent image, or -1 where there is none or the point lies outside.
    ColorValue Point(double x, double y) const;
    // Lets Qt know that the buttons pressed here are up, where their release will not come.
    void forgetPress();

Q_SIGNALS:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int buttons, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int borderWidth() const;
    QPointF drawingPos(const QMouseEvent *event) const;
    bool onDrawing(QPointF pos) const;
    void sendForgottenRelease();

    Border m_border = Border::FlatSingle;
    QColor m_backColor;
    QPixmap m_picture;
    QImage m_image;
    MouseCodes::ClickDetector m_click;
    Qt::MouseButtons m_held; // pressed on the drawing and not yet released
    Qt::MouseButtons m_forgotten; // held when the window system lost them, not yet told to Qt
};

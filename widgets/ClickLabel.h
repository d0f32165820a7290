#pragma once

#include "widgets/MouseCodes.h"

#include <QLabel>

// A label that acts as a button: it reports presses, releases, clicks and double clicks.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

    QColor foreColor() const;
    void setForeColor(const QColor &color);

Q_SIGNALS:
    void mouseDown(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    MouseCodes::ClickDetector m_click;
};

#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

// Mouse events sent straight to a widget, carrying the window's and the screen's position of the
// point as the window system's own do; QTest gives the widget's position as the window's.
// Buttons pressed here count as held until released here.
namespace TestMouse {

void press(QWidget *widget, Qt::MouseButton button, QPoint at);
void release(QWidget *widget, Qt::MouseButton button, QPoint at);
void click(QWidget *widget, Qt::MouseButton button, QPoint at);
void move(QWidget *widget, QPoint at);

} // namespace TestMouse

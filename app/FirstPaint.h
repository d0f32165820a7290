#pragma once

class QWidget;

namespace FirstPaint {

// Call right after the window is shown. The window manager takes a few milliseconds to map a new
// window; the window is painted in that time rather than on its first expose, which then only
// has to show the finished image. Only on X11, where drawing into a window that is not mapped
// yet is harmless.
void prepare(QWidget &window);

} // namespace FirstPaint

#pragma once

class QWidget;

namespace FirstPaint {

// Call right after the window is shown. The first paint of a window this size would otherwise
// begin with the kernel handing out every page of the fresh image it is painted into (a
// quarter of that paint); touched here, the pages are ready while the window manager maps the
// window. What is drawn here is drawn over by that paint.
void prepare(QWidget &window);

} // namespace FirstPaint

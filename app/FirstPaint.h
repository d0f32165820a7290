#pragma once

class QWidget;

namespace FirstPaint {

// Call right after the window is shown. The first paint of a window this size would otherwise
// spend about a sixth of its time on the kernel handing out the pages of the fresh image it is
// painted into; touched here, they are ready while the window manager maps the window. What is
// drawn here is drawn over by that paint.
void prepare(QWidget &window);

} // namespace FirstPaint

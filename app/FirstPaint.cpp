#include "app/FirstPaint.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

namespace FirstPaint {

void prepare(QWidget &window)
{
    if (!window.isVisible() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // Each control posts an update of its own when shown; taken in now, this one paint covers
    // them, where left queued they would paint the whole window a second time.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    // The toolkit holds paints back until the window is mapped; the expose sets this again.
    window.setAttribute(Qt::WA_Mapped);
    window.repaint();
}

} // namespace FirstPaint

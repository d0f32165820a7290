#include "app/FirstPaint.h"

#include <QBackingStore>
#include <QPainter>
#include <QWidget>

namespace FirstPaint {

void prepare(QWidget &window)
{
    QBackingStore *store = window.backingStore();
    if (!store || !window.isVisible())
        return;
    // The size the toolkit gives it for the first paint, so that paint keeps this image.
    const QRect all = window.rect();
    store->resize(all.size());
    store->beginPaint(all);
    if (QPaintDevice *device = store->paintDevice()) {
        QPainter p(device);
        p.fillRect(all, window.palette().window());
    }
    store->endPaint();
}

} // namespace FirstPaint

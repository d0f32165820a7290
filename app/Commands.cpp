#include "app/Commands.h"

#include "core/Placement.h"
#include "platform/SingleInstance.h"
#include "platform/WindowOrder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Commands {

bool InitApp(SingleInstance &guard)
{
    return guard.tryAcquire() != SingleInstance::Answer::AnotherCopyRuns;
}

void CenterForm(QWidget *frm)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    constexpr int tw = Placement::twipsPerPixel;
    const QSize s = screen->geometry().size();
    // The frame belongs to the window manager; the outer size is the fixed one in any case.
    const Placement::TopLeft p = Placement::centerForm(double(s.width()) * tw,
        double(s.height()) * tw, Placement::outerWidthTwips, Placement::outerHeightTwips);
    const QPoint screenOrigin = screen->geometry().topLeft();
    frm->move(frm->x(), screenOrigin.y() + qRound(p.top / double(tw)));
    frm->move(screenOrigin.x() + qRound(p.left / double(tw)), frm->y());
}

void SetAlwaysOnTop(QWidget *frm, bool onTop, WindowOrder &order)
{
    order.setTopmost(frm, onTop);
    QCoreApplication::processEvents();
}

} // namespace Commands

// What one eyedropper tick with a changing colour costs, phase by phase: the screen read, the
// hand-over through the scratch surface, the slider writes with their updates, and the repaint
// they cause up to the server having drawn it. The pointer alternates between two palette
// points whose colours differ in every channel.
#include "TestWindow.h"

#include "app/frmQuorvin.h"
#include "platform/X11Connection.h"
#include "platform/X11ScreenReader.h"
#include "platform/XcbReplyPtr.h"
#include "sources/ColorHandOver.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QCursor>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double us(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::micro>(b - a).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// With a second argument, which controls painted how often per tick.
class PaintCounter : public QObject
{
public:
    std::map<QString, int> counts;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++counts[o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                               : o->objectName()];
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    xcb_connection_t *c = x11Connection();
    if (!c) {
        std::fprintf(stderr, "bench_tick: needs an X session\n");
        return 1;
    }
    auto window = TestWindow::started(PlatformServices::create());
    if (!window)
        return 1;
    QApplication::processEvents();
    auto &ui = window->ui;
    X11ScreenReader reader(nullptr); // on DISPLAY, as the program reads
    PictureBox *field = ui.picColor[0];
    const QPoint base = field->mapToGlobal(field->contentsRect().topLeft());
    const std::array<QPoint, 2> points { base + QPoint(100, 50), base + QPoint(140, 90) };

    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2000;
    PaintCounter paints;
    if (argc > 2)
        app.installEventFilter(&paints);
    std::vector<double> read, handOver, update, paint, paintClient, total;
    for (int n = -200; n < ticks; ++n) {
        QCursor::setPos(points[static_cast<std::size_t>(n & 1)]);
        const auto t0 = Clock::now();
        QPoint root;
        bool held = false;
        reader.pointerPosition(&root, &held);
        const ColorValue color = reader.pixelAt(root);
        const auto t1 = Clock::now();
        const HandOverChannels channels = parkColor(color, ui.vorschau);
        const auto t2 = Clock::now();
        writeChannels(channels, ui.HScroll1);
        const auto t3 = Clock::now();
        QCoreApplication::sendPostedEvents();
        const auto t3b = Clock::now();
        // Until the server has drawn what was sent.
        xcbReply(xcb_get_input_focus_reply, c, xcb_get_input_focus(c));
        const auto t4 = Clock::now();
        if (n < 0) {
            paints.counts.clear();
            continue;
        }
        read.push_back(us(t0, t1));
        handOver.push_back(us(t1, t2));
        update.push_back(us(t2, t3));
        paint.push_back(us(t3, t4));
        paintClient.push_back(us(t3, t3b));
        total.push_back(us(t0, t4));
    }
    std::printf("| tick phase (changing colour) | median µs |\n|---|---|\n");
    std::printf("| read | %.1f |\n| hand-over | %.1f |\n| update | %.1f |\n| paint | %.1f |\n| of "
                "it in the program | %.1f |\n",
        median(read), median(handOver), median(update), median(paint), median(paintClient));
    std::printf("| update + paint | %.1f |\n| whole tick | %.1f |\n",
        median(update) + median(paint), median(total));
    for (const auto &[name, count] : paints.counts)
        std::printf("%s painted %.2f times a tick\n", qPrintable(name), double(count) / ticks);
    return 0;
}

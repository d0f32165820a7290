#include "app/frmQuorvin.h"
#include "platform/WaylandSession.h"
#include "platform/X11Display.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

bool wantsX11()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.isEmpty() || platform.startsWith("xcb");
}

} // namespace

int main(int argc, char *argv[])
{
    WaylandSession::preferX11(argc, argv);
    if (wantsX11() && !x11DisplayReachable(nullptr)) {
        const char *display = std::getenv("DISPLAY");
        std::fprintf(stderr,
            "quorvin: cannot reach an X display (DISPLAY=%s); start it from a desktop session.\n",
            display && *display ? display : "unset");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Veltrano Quorvin"));

    frmQuorvin window(PlatformServices::create());
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}

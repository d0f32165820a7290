#include "app/FirstPaint.h"
#include "app/QtGermanTexts.h"
#include "app/SessionBusGuard.h"
#include "app/frmQuorvin.h"
#include "platform/FontConfigPreload.h"
#include "platform/QuitSignals.h"
#include "platform/WaylandSession.h"
#include "platform/X11Display.h"

#include <QApplication>
#include <QScopeGuard>
#include <QThreadPool>

#include <cstdio>
#include <malloc.h>
#include <string>

namespace {

bool wantsX11()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.isEmpty() || platform.startsWith("xcb");
}

} // namespace

int main(int argc, char *argv[])
{
    // One heap for all threads. Each helper thread (fonts, display events, D-Bus, the toolkit's
    // fill pool) would get an arena of its own whose free pages stay resident, about 115 kB in
    // all; they allocate little, so sharing one lock costs no measurable time.
    mallopt(M_ARENA_MAX, 1);
    WaylandSession::preferX11(argc, argv);
    X11DisplayHold display;
    if (wantsX11()) {
        const std::string fault = x11DisplayFault(x11DisplayArgument(argc, argv), display);
        if (!fault.empty()) {
            std::fprintf(stderr, "quorvin: %s\n", fault.c_str());
            return 1;
        }
    }

    FontConfigPreload fontConfig;
    SessionBusGuard::forbidAutolaunch();
    QApplication app(argc, argv);
    display.release();
    // The raster engine hands long translucent lines, the scroll bars' outlines, to this pool in
    // pieces. They are a few hundred pixels: a second thread draws them no faster, and its stack
    // and heap stay resident.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    // The thread is through before the toolkit lets go of its fonts.
    const auto finishFontConfig = qScopeGuard([&fontConfig] { fontConfig.finish(); });
    QApplication::setApplicationName(QStringLiteral("quorvin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Veltrano Quorvin"));
    // The menu entry and its icon; on X11 the window is matched to it by WM_CLASS, which Qt
    // takes from the application name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVIN_APP_ID));
    QtGermanTexts::installWithFirstMenu();

    frmQuorvin window(PlatformServices::create());
    if (!window.Form_Load())
        return 0;
    // A signal closes the window like its close box; the clipboard hand-over then runs at quit.
    const QuitSignals quitSignals([&window] {
        window.close();
        QCoreApplication::quit();
    });
    window.show();
    FirstPaint::prepare(window);
    return app.exec();
}

#include "TestWindow.h"

#include <QTest>

namespace TestWindow {

bool start(frmQuorvin &window)
{
    if (!window.Form_Load())
        return false;
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowExposed(&window);
}

std::unique_ptr<frmQuorvin> started(PlatformServices services)
{
    auto window = std::make_unique<frmQuorvin>(std::move(services));
    return start(*window) ? std::move(window) : nullptr;
}

} // namespace TestWindow

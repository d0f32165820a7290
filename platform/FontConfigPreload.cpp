#include "platform/FontConfigPreload.h"

#include <fontconfig/fontconfig.h>
#include <sys/resource.h>
#include <unistd.h>

FontConfigPreload::FontConfigPreload()
    : m_thread([] {
        // Behind the display server and the main thread, which start the window meanwhile.
        setpriority(PRIO_PROCESS, gettid(), 10);
        FcInit();
    })
{ }

FontConfigPreload::~FontConfigPreload()
{
    finish();
}

void FontConfigPreload::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

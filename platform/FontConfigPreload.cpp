#include "platform/FontConfigPreload.h"

#include <fontconfig/fontconfig.h>
#include <sys/resource.h>
#include <unistd.h>

FontConfigPreload::FontConfigPreload()
    : m_done(std::make_shared<std::atomic<bool>>(false))
    , m_thread([done = m_done] {
        // Behind the display server and the main thread, which start the window meanwhile.
        setpriority(PRIO_PROCESS, gettid(), 10);
        FcInit();
        done->store(true, std::memory_order_release);
    })
{ }

FontConfigPreload::~FontConfigPreload()
{
    release();
}

void FontConfigPreload::release()
{
    if (!m_thread.joinable())
        return;
    if (m_done->load(std::memory_order_acquire))
        m_thread.join();
    else
        m_thread.detach();
}

// LD_PRELOAD shim: counts xcb_get_image requests and appends "milliseconds count" lines to the
// file named by QUORVIN_BENCH_COUNT every 20 ms, from a thread of its own.
#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <thread>

namespace {

std::atomic<unsigned long> g_count { 0 };

struct Reporter
{
    Reporter()
    {
        const char *path = std::getenv("QUORVIN_BENCH_COUNT");
        if (!path)
            return;
        std::FILE *f = std::fopen(path, "a");
        if (!f)
            return;
        std::thread([f] {
            for (;;) {
                const auto t = std::chrono::duration<double, std::milli>(
                    std::chrono::steady_clock::now().time_since_epoch())
                                   .count();
                std::fprintf(f, "%.3f %lu\n", t, g_count.load());
                std::fflush(f);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }).detach();
    }
} g_reporter;

} // namespace

extern "C" xcb_get_image_cookie_t xcb_get_image(xcb_connection_t *c, uint8_t format,
    xcb_drawable_t drawable, int16_t x, int16_t y, uint16_t width, uint16_t height,
    uint32_t plane_mask)
{
    using Fn = xcb_get_image_cookie_t (*)(xcb_connection_t *, uint8_t, xcb_drawable_t, int16_t,
        int16_t, uint16_t, uint16_t, uint32_t);
    static const Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "xcb_get_image"));
    ++g_count;
    return real(c, format, drawable, x, y, width, height, plane_mask);
}

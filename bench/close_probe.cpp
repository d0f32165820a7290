// How often a close request is lost: starts the program, optionally holds a button (XTest) at a
// point of its window, sends WM_DELETE_WINDOW as a window manager does, and counts the runs in
// which the program has not ended within two seconds.
//   bench_close_probe RUNS program [x y]
#include "BenchX.h"
#include "platform/XcbReplyPtr.h"

#include <xcb/xtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const XcbReplyPtr<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : XCB_NONE;
}

// Sweeps the pointer along the bottom of the screen meanwhile when asked to, so that every tick
// of a held eyedropper finds a new colour.
bool endsWithin(pid_t pid, double ms, xcb_connection_t *c, const xcb_screen_t *s, bool sweep)
{
    const double end = BenchX::nowMs() + ms;
    int status = 0;
    int x = 0;
    while (BenchX::nowMs() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return true;
        if (sweep) {
            x = (x + 4) % s->width_in_pixels;
            xcb_test_fake_input(
                c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, s->root, x, s->height_in_pixels - 20, 0);
            xcb_flush(c);
        }
        usleep(sweep ? 500 : 5000);
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s RUNS program [x y]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const bool hold = argc == 5;
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
    BenchX::WindowWatch watch(c);
    int lost = 0;
    for (int run = 0; run < runs; ++run) {
        watch.start();
        const pid_t pid = BenchX::spawn({ argv[2] });
        if (!watch.wait(true, 10000)) {
            BenchX::stop(pid);
            continue;
        }
        usleep(300000);
        if (hold) {
            const XcbReplyPtr<xcb_translate_coordinates_reply_t> tr(
                xcb_translate_coordinates_reply(c,
                    xcb_translate_coordinates(
                        c, watch.window(), screen->root, std::atoi(argv[3]), std::atoi(argv[4])),
                    nullptr));
            if (tr) {
                xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root,
                    tr->dst_x, tr->dst_y, 0);
            }
            xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_flush(c);
            endsWithin(pid, 200 + run % 50, c, screen, true);
        }
        xcb_client_message_event_t ev {};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = watch.window();
        ev.type = protocols;
        ev.data.data32[0] = deleteWindow;
        ev.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(
            c, 0, watch.window(), XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&ev));
        xcb_flush(c);
        const bool ended = endsWithin(pid, 2000, c, screen, hold);
        if (hold) {
            xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_flush(c);
        }
        if (!ended) {
            ++lost;
            BenchX::stop(pid);
        }
    }
    std::printf("close requests lost: %d of %d%s\n", lost, runs, hold ? " (button held)" : "");
    xcb_disconnect(c);
    return 0;
}

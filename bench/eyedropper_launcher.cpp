// Eyedropper reads per second side by side with a floor program: the root gets a red-to-blue
// gradient, each program is started with the xcb_get_image counter preloaded, a button is
// pressed (XTest) at a point of its window and held, first still, then while the pointer sweeps
// the gradient so nearly every read finds a new colour. Runs alternate; the first program named
// is the floor. Beside the rates, the processor time the program and the X server spend per
// second of each phase (user + system, from /proc).
//   bench_eyedropper_launcher COUNTER.so RUNS SECONDS name=program:x:y [...]
// x, y: where to press, in pixels of the program's window.
#include "BenchX.h"
#include "platform/XcbReplyPtr.h"

#include <xcb/xtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Program
{
    std::string name;
    std::string path;
    int x = 0;
    int y = 0;
    std::vector<double> still, moving;
    // Milliseconds of processor time per second of the phase.
    std::vector<double> stillCpu, movingCpu, stillServer, movingServer;
};

// User + system time of a process so far, in milliseconds; 0 where it cannot be read.
double cpuMs(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The name in parentheses may hold spaces; the fields count from after it.
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    double utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::atof(field.c_str());
        if (i == 15)
            stime = std::atof(field.c_str());
    }
    return (utime + stime) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// The X server of the session: x-session.sh starts it beside this program.
pid_t xServer()
{
    const pid_t parent = getppid();
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream in(entry.path() / "stat");
        std::string pid, comm, state;
        pid_t ppid = 0;
        if (in >> pid >> comm >> state >> ppid && ppid == parent && comm == "(Xvfb)")
            return pid_t(std::atoi(pid.c_str()));
    }
    return 0;
}

void paintGradient(xcb_connection_t *c, const xcb_screen_t *s)
{
    const int w = s->width_in_pixels;
    const int h = s->height_in_pixels;
    const xcb_pixmap_t pm = xcb_generate_id(c);
    xcb_create_pixmap(c, s->root_depth, pm, s->root, w, h);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pm, 0, nullptr);
    std::vector<std::uint32_t> row(w);
    for (int x = 0; x < w; ++x) {
        const std::uint32_t v = static_cast<std::uint32_t>(x * 255 / (w - 1));
        row[x] = ((255 - v) << 16) | v;
    }
    for (int y = 0; y < h; ++y)
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pm, gc, w, 1, 0, y, 0, s->root_depth, w * 4,
            reinterpret_cast<const std::uint8_t *>(row.data()));
    xcb_change_window_attributes(c, s->root, XCB_CW_BACK_PIXMAP, &pm);
    xcb_clear_area(c, 0, s->root, 0, 0, 0, 0);
    xcb_free_gc(c, gc);
    xcb_free_pixmap(c, pm);
    xcb_flush(c);
}

// Reads per second between t0 and t1 (ms), from the counter's "ms count" lines inside them.
double rate(const std::string &file, double t0, double t1)
{
    std::ifstream in(file);
    double ms = 0, count = 0;
    double firstMs = -1, firstCount = 0, lastMs = -1, lastCount = 0;
    while (in >> ms >> count) {
        if (ms < t0 || ms > t1)
            continue;
        if (firstMs < 0) {
            firstMs = ms;
            firstCount = count;
        }
        lastMs = ms;
        lastCount = count;
    }
    return lastMs > firstMs ? (lastCount - firstCount) * 1000 / (lastMs - firstMs) : 0;
}

void motion(xcb_connection_t *c, xcb_window_t root, int x, int y)
{
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, x, y, 0);
    xcb_flush(c);
}

void button(xcb_connection_t *c, bool down)
{
    xcb_test_fake_input(
        c, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(c);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s COUNTER.so RUNS SECONDS name=program:x:y...\n", argv[0]);
        return 2;
    }
    const std::string counter = argv[1];
    const int runs = std::atoi(argv[2]);
    const double seconds = std::atof(argv[3]);
    std::vector<Program> programs;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        const auto c1 = arg.find(':', eq);
        const auto c2 = arg.find(':', c1 + 1);
        Program p;
        p.name = arg.substr(0, eq);
        p.path = arg.substr(eq + 1, c1 - eq - 1);
        p.x = std::atoi(arg.substr(c1 + 1, c2 - c1 - 1).c_str());
        p.y = std::atoi(arg.substr(c2 + 1).c_str());
        programs.push_back(p);
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    paintGradient(c, screen);
    const int sweepY = screen->height_in_pixels - 20;
    const int sweepW = screen->width_in_pixels;
    BenchX::WindowWatch watch(c);
    const pid_t server = xServer();
    char countFile[] = "/tmp/quorvin-bench-count-XXXXXX";
    const int fd = mkstemp(countFile);
    close(fd);

    for (int run = 0; run < runs; ++run) {
        for (auto &p : programs) {
            std::ofstream(countFile, std::ios::trunc).close();
            watch.start();
            const pid_t pid = BenchX::spawn({ p.path },
                { "LD_PRELOAD=" + counter, std::string("QUORVIN_BENCH_COUNT=") + countFile });
            if (!watch.wait(true, 10000)) {
                std::fprintf(stderr, "%s: no window\n", p.name.c_str());
                BenchX::stop(pid);
                continue;
            }
            usleep(500000);
            const XcbReplyPtr<xcb_translate_coordinates_reply_t> tr(xcb_translate_coordinates_reply(
                c, xcb_translate_coordinates(c, watch.window(), screen->root, p.x, p.y), nullptr));
            if (!tr) {
                BenchX::stop(pid);
                continue;
            }
            motion(c, screen->root, tr->dst_x, tr->dst_y);
            usleep(100000);
            button(c, true);
            usleep(300000);
            const double s0 = BenchX::nowMs();
            const double sc0 = cpuMs(pid), sx0 = cpuMs(server);
            usleep(static_cast<useconds_t>(seconds * 1e6));
            const double s1 = BenchX::nowMs();
            const double sc1 = cpuMs(pid), sx1 = cpuMs(server);
            // Four pixels a step: every step is a new colour on the gradient.
            int x = 0, dx = 4;
            const double m0 = BenchX::nowMs();
            const double mc0 = cpuMs(pid), mx0 = cpuMs(server);
            while (BenchX::nowMs() - m0 < seconds * 1000) {
                motion(c, screen->root, x, sweepY);
                x += dx;
                if (x < 0 || x >= sweepW) {
                    dx = -dx;
                    x += 2 * dx;
                }
                usleep(500);
            }
            const double m1 = BenchX::nowMs();
            const double mc1 = cpuMs(pid), mx1 = cpuMs(server);
            button(c, false);
            usleep(100000);
            BenchX::stop(pid);
            p.still.push_back(rate(countFile, s0, s1));
            p.moving.push_back(rate(countFile, m0, m1));
            p.stillCpu.push_back((sc1 - sc0) * 1000 / (s1 - s0));
            p.stillServer.push_back((sx1 - sx0) * 1000 / (s1 - s0));
            p.movingCpu.push_back((mc1 - mc0) * 1000 / (m1 - m0));
            p.movingServer.push_back((mx1 - mx0) * 1000 / (m1 - m0));
        }
    }
    unlink(countFile);
    const double fs = BenchX::median(programs.front().still);
    const double fm = BenchX::median(programs.front().moving);
    std::printf("| program | held still | moving | processor, still | X server, still "
                "| processor, moving | X server, moving |\n|---|---|---|---|---|---|---|\n");
    for (auto &p : programs) {
        const double s = BenchX::median(p.still);
        const double m = BenchX::median(p.moving);
        std::printf("| %s | %.0f /s (%.2fx) | %.0f /s (%.2fx) | %.0f ms/s | %.0f ms/s | %.0f ms/s "
                    "| %.0f ms/s |\n",
            p.name.c_str(), s, s / fs, m, m / fm, BenchX::median(p.stillCpu),
            BenchX::median(p.stillServer), BenchX::median(p.movingCpu),
            BenchX::median(p.movingServer));
    }
    xcb_disconnect(c);
    return 0;
}

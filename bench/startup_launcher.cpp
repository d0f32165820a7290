// Start-up side by side with a floor program: time from exec to the top-level being mapped and to
// its first paint (X events: SubstructureNotify on the root, StructureNotify and Damage on the new
// window), and peak RSS from wait4. Runs alternate between the programs; the first one named is
// the floor the others are compared with. A program may carry arguments, separated by blanks.
//   bench_startup_launcher RUNS name=program [name=program...]
#include "BenchX.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Program
{
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> mapped, painted, rss;
    int failed = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS name=program...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        std::istringstream words(arg.substr(eq + 1));
        Program p { arg.substr(0, eq), {}, {}, {}, {}, 0 };
        for (std::string w; words >> w;)
            p.argv.push_back(w);
        programs.push_back(p);
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    BenchX::WindowWatch watch(c);
    // One unmeasured start of each fills the file cache.
    for (int run = -1; run < runs; ++run) {
        for (auto &p : programs) {
            watch.start();
            const double t0 = BenchX::nowMs();
            const pid_t pid = BenchX::spawn(p.argv);
            const bool ok = watch.wait(true, 10000);
            // Let start-up finish its last work before the peak is taken.
            usleep(300000);
            const double rss = BenchX::stop(pid);
            if (run < 0)
                continue;
            if (!ok) {
                ++p.failed;
                continue;
            }
            p.mapped.push_back(watch.mappedAt() - t0);
            p.painted.push_back(watch.paintedAt() - t0);
            p.rss.push_back(rss);
        }
    }
    const Program &floor = programs.front();
    const double fm = BenchX::median(floor.mapped);
    const double fp = BenchX::median(floor.painted);
    const double fr = BenchX::median(floor.rss);
    std::printf("| program | window mapped | first paint | peak RSS |\n|---|---|---|---|\n");
    for (const auto &p : programs) {
        const double m = BenchX::median(p.mapped);
        const double pt = BenchX::median(p.painted);
        const double r = BenchX::median(p.rss);
        std::printf("| %s | %.1f ms (%.2fx) | %.1f ms (%.2fx) | %.1f MB (%.2fx) |", p.name.c_str(),
            m, m / fm, pt, pt / fp, r, r / fr);
        if (p.failed)
            std::printf(" %d runs without a window", p.failed);
        std::printf("\n");
    }
    xcb_disconnect(c);
    return 0;
}

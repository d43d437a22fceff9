// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the X server sees it: from exec to the program's first window
// being mapped, and on to the first drawing into that window, for sorvena
// and for a bare Qt Widgets program showing one label (startup_bare),
// alternated in one run. Watched from outside, so that everything the
// process does before its window appears counts: loading and relocating
// its libraries, static initialisation, fonts and sound set-up. A third
// program, the bare label loading every library sorvena links
// (startup_linked), shows what the libraries alone cost. The peak memory of
// each by its first drawing is read from /proc.
//
// Usage: bench_startup [runs] [what the run is about]; both programs are
// looked for beside this one. Needs an X server without a window manager
// (the program's windows must be children of the root): bench/run.sh.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double monotonicSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Windows of a program that has already gone are destroyed under our
// damage objects; those errors are expected.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

struct Sample {
    double mapped; // exec to the first top-level window mapped
    double drawn;  // exec to the first drawing into it
    long peakKiB;  // peak resident memory by then
};

long peakKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

class Watcher {
public:
    Watcher()
        : display_(XOpenDisplay(nullptr))
    {
        if (!display_) {
            std::fprintf(stderr, "bench_startup: no X display\n");
            std::exit(1);
        }
        int error = 0;
        if (!XDamageQueryExtension(display_, &damageEvent_, &error)) {
            std::fprintf(stderr, "bench_startup: the X server has no DAMAGE extension\n");
            std::exit(1);
        }
        XSetErrorHandler(ignoreErrors);
        pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        XSync(display_, False);
    }

    ~Watcher() { XCloseDisplay(display_); }

    std::optional<Sample> measure(const std::string& program)
    {
        XSync(display_, True); // forget the events of earlier runs
        const double started = monotonicSeconds();
        const pid_t pid = fork();
        if (pid < 0)
            return std::nullopt;
        if (pid == 0) {
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            std::fprintf(stderr, "bench_startup: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
            _exit(127);
        }
        std::optional<Sample> sample = watch(pid, started);
        if (sample)
            sample->peakKiB = peakKiB(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return sample;
    }

private:
    std::optional<Sample> watch(pid_t pid, double started)
    {
        const Window root = DefaultRootWindow(display_);
        Window shown = None;
        Sample sample{};
        const double deadline = started + 60;
        while (monotonicSeconds() < deadline) {
            if (!XPending(display_)) {
                pollfd fd{ConnectionNumber(display_), POLLIN, 0};
                poll(&fd, 1, 100);
                int status = 0;
                if (waitpid(pid, &status, WNOHANG) == pid) {
                    std::fprintf(stderr, "bench_startup: the program ended before showing a window\n");
                    return std::nullopt;
                }
                continue;
            }
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                // Watch every new top-level window from its creation on, so
                // that no drawing can slip in before the map is seen.
                XDamageCreate(display_, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == MapNotify && event.xmap.event == root && shown == None
                       && !event.xmap.override_redirect && ownerPid(event.xmap.window) == pid) {
                sample.mapped = monotonicSeconds() - started;
                shown = event.xmap.window;
            } else if (event.type == damageEvent_ + XDamageNotify) {
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                XDamageSubtract(display_, damage.damage, None, None);
                if (shown != None && damage.drawable == shown) {
                    sample.drawn = monotonicSeconds() - started;
                    return sample;
                }
            }
        }
        std::fprintf(stderr, "bench_startup: no window drawn within a minute\n");
        return std::nullopt;
    }

    long ownerPid(Window window)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(display_, window, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data)
                == Success
            && data && format == 32 && count == 1)
            pid = long(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return pid;
    }

    Display* display_;
    int damageEvent_ = 0;
    Atom pidAtom_ = None;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string besideThis(const char* name)
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, size_t(n)) : std::string("./x");
    dir.erase(dir.rfind('/') + 1);
    return dir + name;
}

struct Series {
    std::vector<double> mapped, drawn;
    long peakKiB = 0;
};

void report(const char* what, double app, double linked, double bare, double target)
{
    std::printf("  exec to %-7s sorvena %6.1f ms, bare label %6.1f ms, ratio %.2f", what, app * 1e3, bare * 1e3,
                app / bare);
    if (target > 0)
        std::printf(" (target <= %.2f)", target);
    std::printf("; bare label linked like sorvena %6.1f ms, ratio %.2f\n", linked * 1e3, linked / bare);
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const char* about = argc > 2 ? argv[2] : "";
    const std::string programs[] = {besideThis("startup_bare"), besideThis("startup_linked"), besideThis("sorvena")};

    Watcher watcher;
    // One of each first, to bring them all into the page cache.
    for (const std::string& program : programs)
        if (!watcher.measure(program))
            return 1;
    Series series[3];
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < 3; ++p) {
            const auto sample = watcher.measure(programs[p]);
            if (!sample)
                return 1;
            series[p].mapped.push_back(sample->mapped);
            series[p].drawn.push_back(sample->drawn);
            series[p].peakKiB = std::max(series[p].peakKiB, sample->peakKiB);
        }
    }
    std::printf("start-up%s%s, median of %d alternated runs:\n", *about ? " " : "", about, runs);
    report("mapped:", median(series[2].mapped), median(series[1].mapped), median(series[0].mapped), 1.25);
    report("drawn:", median(series[2].drawn), median(series[1].drawn), median(series[0].drawn), 0);
    std::printf("  peak memory when drawn: sorvena %ld KiB, bare label %ld KiB, ratio %.2f (target <= 2)\n",
                series[2].peakKiB, series[0].peakKiB, double(series[2].peakKiB) / double(series[0].peakKiB));
    return 0;
}

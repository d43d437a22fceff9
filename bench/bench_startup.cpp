// Time from exec to the first paint of the title window, against a bare
// Qt Widgets program that shows one label, in the same run; and the peak
// memory of each at that moment. Run under Xvfb: bench/run.sh.
#include "shell/Application.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
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

long peakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Reports the moment the named window first paints, then leaves.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const char* window) : window_(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String(window_)) {
            std::printf("%.6f %ld\n", monotonicSeconds(), peakKiB());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }

private:
    const char* window_;
};

int child(int argc, char* argv[], bool bare)
{
    FirstPaint probe(bare ? "Bare" : "Form1");
    if (bare) {
        QApplication app(argc, argv);
        app.installEventFilter(&probe);
        QLabel label(QStringLiteral("Sorvena"));
        label.setObjectName(QStringLiteral("Bare"));
        label.resize(303, 199);
        label.show();
        return app.exec();
    }
    return shell::run(argc, argv, [&](QApplication& app) { app.installEventFilter(&probe); });
}

struct Sample {
    double seconds;
    long peak;
};

Sample measure(const char* self, const char* mode)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(1);
    const double started = monotonicSeconds();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(self, self, mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[128] = {};
    const ssize_t n = read(out[0], buffer, sizeof buffer - 1);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    double painted = 0;
    long peak = 0;
    if (n <= 0 || std::sscanf(buffer, "%lf %ld", &painted, &peak) != 2) {
        std::fprintf(stderr, "%s did not report a paint\n", mode);
        std::exit(1);
    }
    return {painted - started, peak};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--sorvena") == 0)
        return child(argc, argv, false);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return child(argc, argv, true);

    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    std::vector<double> app, bare;
    long appPeak = 0, barePeak = 0;
    measure(argv[0], "--bare"); // warm the caches for both
    measure(argv[0], "--sorvena");
    for (int i = 0; i < runs; ++i) {
        const Sample b = measure(argv[0], "--bare");
        const Sample a = measure(argv[0], "--sorvena");
        bare.push_back(b.seconds);
        app.push_back(a.seconds);
        barePeak = std::max(barePeak, b.peak);
        appPeak = std::max(appPeak, a.peak);
    }
    const double a = median(app), b = median(bare);
    std::printf("startup to first paint (median of %d): sorvena %.1f ms, bare label %.1f ms, ratio %.2f (target <= 1.5)\n",
                runs, a * 1e3, b * 1e3, a / b);
    std::printf("peak memory at first paint: sorvena %ld KiB, bare label %ld KiB, ratio %.2f (target <= 2)\n",
                appPeak, barePeak, double(appPeak) / double(barePeak));
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The class session under a full class: 60 honest pupils, as the page
// throws (a chunk at most every 250 ms), in a second process of this
// program, over loopback WebSockets to the session and its server here.
// Prints the pooled throws against the sum of the chunks the pupils saw
// verified (the run fails when they differ), the update latency (a chunk
// sent to the pool that counts it received), this process's CPU and peak
// memory, and, as the baseline measured in the same run, how many throws
// one core recounts with nothing else to do.
// SORVENA_CLASS_BENCH_SECONDS sets the length (default 300).
#include "BenchSupport.h"
#include "class/Protocol.h"
#include "class/Server.h"
#include "class/Session.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int pupils = 60;
constexpr qint64 chunkIntervalMs = 100; // as the page

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One pupil: joins, throws each assignment, sends it no sooner than the
// page would, and times the pool that follows.
struct Pupil {
    QWebSocket socket;
    QElapsedTimer sinceSent;
    bool waiting = false;
    qint64 poolAt = -1; // when the last pool message came, on sinceSent's clock
    std::uint64_t verified = 0;
    std::uint32_t lastThrows = 0;
};

int runPupils(const QString& address, const QString& code, int seconds)
{
    std::vector<std::unique_ptr<Pupil>> all;
    std::vector<qint64> latenciesUs;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < pupils; ++i) {
        auto pupil = std::make_unique<Pupil>();
        Pupil* p = pupil.get();
        QObject::connect(&p->socket, &QWebSocket::connected, [p, code, i] {
            p->socket.sendTextMessage(QJsonDocument(QJsonObject{{"v", 1}, {"type", "join"}, {"code", code},
                                                                {"nickname", QStringLiteral("p%1").arg(i)}})
                                          .toJson(QJsonDocument::Compact));
        });
        QObject::connect(&p->socket, &QWebSocket::textMessageReceived, [&, p](const QString& text) {
            const auto message = protocol::decodeFromTeacher(text.toUtf8());
            if (std::holds_alternative<protocol::Pool>(message) && p->waiting) {
                p->poolAt = p->sinceSent.nsecsElapsed() / 1000;
            } else if (const auto* assign = std::get_if<protocol::Assign>(&message)) {
                // The pool just before the next assignment is the one that counted the chunk.
                if (p->waiting && p->poolAt >= 0) {
                    latenciesUs.push_back(p->poolAt);
                    p->verified += p->lastThrows;
                }
                p->waiting = false;
                if (clock.elapsed() > seconds * 1000LL)
                    return;
                const protocol::Assign a = *assign;
                const std::uint32_t hits = classthrows::hits(a.experiment, a.seed, a.throws);
                const qint64 wait = p->sinceSent.isValid() ? chunkIntervalMs - p->sinceSent.elapsed() : 0;
                QTimer::singleShot(std::max<qint64>(0, wait), &p->socket, [p, a, hits] {
                    p->lastThrows = a.throws;
                    p->waiting = true;
                    p->poolAt = -1;
                    p->sinceSent.start();
                    p->socket.sendTextMessage(QJsonDocument(QJsonObject{{"v", 1}, {"type", "chunk"},
                                                                        {"chunk", qint64(a.chunk)},
                                                                        {"seed", qint64(a.seed)},
                                                                        {"throws", qint64(a.throws)},
                                                                        {"hits", qint64(hits)}})
                                                  .toJson(QJsonDocument::Compact));
                });
            }
        });
        p->socket.open(QUrl(address));
        all.push_back(std::move(pupil));
    }
    // The last chunks' answers, then the sums.
    QTimer::singleShot(seconds * 1000 + 2000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();

    std::uint64_t verified = 0;
    for (const auto& p : all)
        verified += p->verified;
    std::sort(latenciesUs.begin(), latenciesUs.end());
    const auto at = [&](double q) { return latenciesUs.empty() ? -1 : latenciesUs[size_t(q * (latenciesUs.size() - 1))]; };
    std::printf("%llu %zu %lld %lld\n", static_cast<unsigned long long>(verified), latenciesUs.size(),
                static_cast<long long>(at(0.5)), static_cast<long long>(at(0.95)));
    return 0;
}

// The baseline: throws recounted per second by one core, alone.
double bareThrowsPerSecond()
{
    QElapsedTimer clock;
    clock.start();
    std::uint64_t throws = 0, sink = 0;
    for (std::uint32_t seed = 1; clock.elapsed() < 2000; ++seed, throws += 2000)
        sink += classthrows::hits(classthrows::Experiment::Points, seed, 2000);
    return sink ? throws / (clock.nsecsElapsed() / 1e9) : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == QLatin1String("--pupils"))
        return runPupils(arguments.value(2), arguments.value(3), arguments.value(4).toInt());

    const int seconds = qEnvironmentVariableIntValue("SORVENA_CLASS_BENCH_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("SORVENA_CLASS_BENCH_SECONDS")
                            : 300;
    QTemporaryDir folder;
    classroom::Settings settings;
    settings.database = folder.filePath(QStringLiteral("class.sqlite"));
    classroom::Session session(settings);
    classroom::Server server(session);
    if (!session.isOpen() || server.listen(0) != classroom::Server::Listening::Yes) {
        std::fprintf(stderr, "bench_class: no session (%s)\n", qPrintable(session.error()));
        return 1;
    }

    QProcess class_;
    class_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&class_, &QProcess::finished, &app, &QCoreApplication::quit);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    class_.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--pupils"), QStringLiteral("ws://127.0.0.1:%1/socket").arg(server.port()),
                  session.code(), QString::number(seconds)});
    app.exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = clock.nsecsElapsed() / 1e9;

    const QStringList reported = QString::fromLatin1(class_.readAllStandardOutput()).split(u' ');
    const std::uint64_t verified = reported.value(0).toULongLong();
    const auto pooled = session.pooled();
    const double bare = bareThrowsPerSecond();
    const double served = pooled.n / wall;
    std::printf("== class session: %d pupils for %d s\n", pupils, seconds);
    std::printf("  pooled %llu throws, the pupils' verified chunks sum to %llu: %s\n",
                static_cast<unsigned long long>(pooled.n), static_cast<unsigned long long>(verified),
                pooled.n == verified ? "equal" : "DIFFERENT");
    std::printf("  update latency over %s chunks: median %.2f ms, 95th percentile %.2f ms\n",
                qPrintable(reported.value(1)), reported.value(2).toDouble() / 1000,
                reported.value(3).toDouble() / 1000);
    std::printf("  teacher's process: CPU %.1f s in %.1f s (%.0f%% of a core), peak RSS %ld kB\n", cpu, wall,
                100 * cpu / wall, bench::peakKiB());
    std::printf("  pooled %.0f throws/s; one core recounts %.0f throws/s alone\n", served, bare);
    std::printf("  CPU per pooled throw against the bare recount's: ratio %.1f\n", (cpu / pooled.n) / (1 / bare));
    return pooled.n == verified && pooled.n > 0 ? 0 : 1;
}

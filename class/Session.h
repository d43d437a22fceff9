// SPDX-License-Identifier: GPL-3.0-or-later
// A class session: the pupils who joined with the code, the chunks of
// throws handed out to them, and the pool of every chunk the teacher's
// machine recounted and found equal. It knows nothing of sockets or
// windows: the server hands it what each connection sent, and sends what
// it emits; the class window reads it and calls its controls.
#pragma once

#include "class/Protocol.h"
#include "rules/ClassThrows.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace classroom {

// One open socket, numbered by the server; never reused in a session.
using Connection = quint64;

enum class PupilState { Throwing, Idle, Left, Removed };

struct Pupil {
    int id = 0; // stable for the life of the pool, resumed pools included
    QString pseudonym; // what the projector shows by default
    QString nickname; // as the pupil typed it: plain text, never markup
    PupilState state = PupilState::Idle;
    classthrows::Tally verified; // the throws and hits of the verified chunks
    int verifiedChunks = 0;
    int rejectedChunks = 0;
};

// The pool after one more verified chunk, for the chart.
struct PoolPoint {
    std::uint64_t n = 0;
    double estimate = 0; // NaN while undefined (needles that never crossed)
};

struct Settings {
    classthrows::Experiment experiment = classthrows::Experiment::Points;
    int maxPupils = 60;
    std::uint32_t chunkThrows = 100; // the page's smallest press throws one chunk
    int maxMessagesPerSecond = 20; // per connection; beyond, refused and counted
    QString database; // empty: class.sqlite under the application's data folder
    std::function<qint64()> clock; // milliseconds; empty: a monotonic clock
};

class Session : public QObject {
    Q_OBJECT

public:
    enum class Start { Fresh, Resume };

    // Whether the database keeps a pool of this experiment that was never
    // reset, which Start::Resume takes up exactly.
    static bool resumable(const Settings& settings);

    explicit Session(Settings settings, Start start = Start::Fresh, QObject* parent = nullptr);
    ~Session() override;

    // False when the database could not be opened; error() says why.
    bool isOpen() const;
    QString error() const;

    QString code() const; // 6 characters, none that look alike
    classthrows::Experiment experiment() const;
    classthrows::Tally pooled() const;
    const QList<Pupil>& roster() const;
    const QList<PoolPoint>& history() const;
    QMap<protocol::Reason, int> refusals() const; // every refused message, counted
    int connected() const; // pupils with an open socket

    // From the server.
    void receive(Connection connection, const QByteArray& message);
    void disconnected(Connection connection);

    // The teacher's controls.
    bool paused() const;
    void setPaused(bool paused);
    bool joiningLocked() const;
    void setJoiningLocked(bool locked);
    void remove(int pupil);
    void reset(); // a new, empty pool with a new code
    // One row per chunk: pseudonym, chunk, seed, throws, hits, verified.
    bool exportCsv(const QString& path) const;

signals:
    void send(classroom::Connection connection, const QByteArray& message);
    void drop(classroom::Connection connection); // removed, or past the refusals allowed
    void changed(); // the pool, the roster or the counts; many may come at once

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace classroom

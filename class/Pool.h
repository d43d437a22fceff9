// SPDX-License-Identifier: GPL-3.0-or-later
// The class session's store: one SQLite file of sessions, their pupils and
// every chunk they sent, written a row at a time as each chunk is judged, so
// that a program killed mid-lesson loses nothing it had pooled. The session
// keeps no file of its own: resuming and the CSV are queries over this.
#pragma once

#include "rules/ClassThrows.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

namespace classroom {

class Pool {
public:
    // path empty: class.sqlite in the application's data folder.
    explicit Pool(const QString& path);
    ~Pool();
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    static QString defaultPath();

    bool isOpen() const;
    QString error() const;

    struct StoredSession {
        qint64 id = 0;
        QString code;
    };
    // The newest session of the experiment that was never finished.
    std::optional<StoredSession> unfinished(classthrows::Experiment experiment) const;
    qint64 start(classthrows::Experiment experiment, const QString& code);
    void finish(qint64 session);
    // Every session of the experiment but the one given.
    void finishOthers(classthrows::Experiment experiment, qint64 keep);

    struct StoredPupil {
        int number = 0; // within its session, from 1
        QString token;
        QString pseudonym;
        QString nickname;
        bool removed = false;
    };
    void addPupil(qint64 session, const StoredPupil& pupil);
    void setNickname(qint64 session, int number, const QString& nickname);
    void setRemoved(qint64 session, int number);
    QList<StoredPupil> pupils(qint64 session) const;

    struct StoredChunk {
        int pupil = 0;
        std::uint32_t chunk = 0;
        std::uint32_t seed = 0;
        std::uint32_t throws = 0;
        std::uint32_t hits = 0;
        bool verified = false;
    };
    void addChunk(qint64 session, const StoredChunk& chunk);
    // In the order they were judged.
    QList<StoredChunk> chunks(qint64 session) const;

    // pseudonym, chunk, seed, throws, hits, verified: one row per chunk.
    bool exportCsv(qint64 session, const QString& path) const;

private:
    bool exec(const QString& statement, const QVariantList& values = {}) const;

    QString connection_;
    mutable QString error_;
};

} // namespace classroom

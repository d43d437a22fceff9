// SPDX-License-Identifier: GPL-3.0-or-later
#include "Session.h"

#include "class/Pool.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

#include <limits>

namespace classroom {

namespace {

using protocol::Reason;

// Nothing that reads as another character on a projector: no 0/O/Q, 1/I/L,
// 2/Z, 5/S, 8/B, 6/G, U/V.
constexpr char16_t codeAlphabet[] = u"34679ACDEFHJKMNPRTWXY";
constexpr int codeLength = 6;
// A page that goes on sending what is refused is broken or hostile.
constexpr int refusalsBeforeDrop = 50;
constexpr int poolBroadcastMs = 250;
constexpr qint64 rateWindowMs = 1000;

QString randomCode(const QString& unlike)
{
    constexpr int letters = int(std::size(codeAlphabet)) - 1;
    QString code;
    do {
        code.clear();
        for (int i = 0; i < codeLength; ++i)
            code += QChar(codeAlphabet[QRandomGenerator::system()->bounded(letters)]);
    } while (code == unlike);
    return code;
}

QString randomToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

QString pseudonymOf(int number)
{
    return QCoreApplication::translate("classroom::Session", "生徒 %1",
               "the name a pupil is shown by, numbered in the order they joined").arg(number);
}

} // namespace

struct Session::State {
    // What the session knows of a pupil beyond what the roster shows.
    struct Member {
        QString token;
        std::optional<Connection> connection;
        std::optional<protocol::Assign> outstanding;
        std::uint32_t lastChunk = 0;
    };
    // One socket: whose it is, and how it has behaved.
    struct Link {
        int pupil = 0; // 0 until welcomed
        bool dropped = false; // told to the server; what comes after is ignored
        qint64 windowStart = std::numeric_limits<qint64>::min() / 2;
        int inWindow = 0;
        int refusals = 0;
    };

    Session& q;
    Settings settings;
    Pool pool;
    QElapsedTimer elapsed;
    qint64 sessionId = 0;
    QString code;
    QList<Pupil> roster; // pupil n at n - 1
    QList<Member> members; // beside the roster
    QList<PoolPoint> history;
    classthrows::Tally pooled;
    QMap<Reason, int> refusals;
    QMap<Connection, Link> links;
    QList<Connection> drops; // emitted last, once the state is settled
    bool paused = false;
    bool locked = false;
    // The pool for everyone else, at most this often: sixty pupils' chunks
    // each told to sixty would be thousands of messages a second.
    QTimer broadcast;

    State(Session& session, Settings s)
        : q(session), settings(std::move(s)), pool(settings.database)
    {
        elapsed.start();
        broadcast.setSingleShot(true);
        broadcast.setInterval(poolBroadcastMs);
        QObject::connect(&broadcast, &QTimer::timeout, &q, [this] {
            const QByteArray message = protocol::encode(poolMessage());
            for (const Member& m : std::as_const(members))
                if (m.connection)
                    emit q.send(*m.connection, message);
        });
    }

    qint64 now() const { return settings.clock ? settings.clock() : elapsed.elapsed(); }

    void open(Start start)
    {
        if (start == Start::Resume)
            if (const auto stored = pool.unfinished(settings.experiment))
                restore(*stored);
        if (sessionId == 0) {
            code = randomCode(code);
            sessionId = pool.start(settings.experiment, code);
        }
        // Starting afresh gives up any pool left unfinished.
        pool.finishOthers(settings.experiment, sessionId);
    }

    // Every pupil as Left until their token brings them back, and the pool
    // rebuilt chunk by chunk in the order it grew.
    void restore(const Pool::StoredSession& stored)
    {
        sessionId = stored.id;
        code = stored.code;
        for (const auto& p : pool.pupils(sessionId)) {
            if (p.number != roster.size() + 1)
                break; // not a table this program wrote
            roster.append({p.number, p.pseudonym, p.nickname, p.removed ? PupilState::Removed : PupilState::Left});
            members.append({p.token, std::nullopt, std::nullopt, 0});
        }
        for (const auto& c : pool.chunks(sessionId)) {
            if (c.pupil < 1 || c.pupil > roster.size())
                continue;
            Pupil& pupil = roster[c.pupil - 1];
            if (!c.verified) {
                ++pupil.rejectedChunks;
                continue;
            }
            addVerified(pupil, c.throws, c.hits);
            members[c.pupil - 1].lastChunk = std::max(members[c.pupil - 1].lastChunk, c.chunk);
        }
    }

    void addVerified(Pupil& pupil, std::uint32_t throws, std::uint32_t hits)
    {
        pupil.verified.n += throws;
        pupil.verified.hits += hits;
        ++pupil.verifiedChunks;
        pooled.n += throws;
        pooled.hits += hits;
        const auto estimate = classthrows::estimate(settings.experiment, pooled.n, pooled.hits);
        history.append({pooled.n, estimate ? estimate->value : std::numeric_limits<double>::quiet_NaN()});
    }

    protocol::Pool poolMessage() const
    {
        const auto estimate = classthrows::estimate(settings.experiment, pooled.n, pooled.hits);
        return {settings.experiment, std::int64_t(pooled.n), std::int64_t(pooled.hits),
            estimate ? std::optional<double>(estimate->value) : std::nullopt};
    }

    void refuse(Connection connection, Reason reason)
    {
        ++refusals[reason];
        emit q.send(connection, protocol::encode(protocol::Refused{reason}));
        Link& link = links[connection];
        if (++link.refusals >= refusalsBeforeDrop)
            dropLink(connection);
    }

    // The pupil stays on the roster, as Left, with all they pooled.
    void detach(int pupil)
    {
        Member& member = members[pupil - 1];
        if (member.connection)
            links[*member.connection].pupil = 0;
        member.connection.reset();
        member.outstanding.reset();
        if (roster[pupil - 1].state != PupilState::Removed)
            roster[pupil - 1].state = PupilState::Left;
    }

    void dropLink(Connection connection)
    {
        Link& link = links[connection];
        if (link.dropped)
            return;
        if (link.pupil)
            detach(link.pupil);
        link.dropped = true;
        drops.append(connection);
    }

    void flushDrops()
    {
        const QList<Connection> pending = std::exchange(drops, {});
        for (const Connection connection : pending)
            emit q.drop(connection);
    }

    void assign(int pupil)
    {
        Member& member = members[pupil - 1];
        if (!member.connection)
            return;
        if (paused) {
            roster[pupil - 1].state = PupilState::Idle;
            return;
        }
        const protocol::Assign assignment{settings.experiment, ++member.lastChunk,
            QRandomGenerator::system()->generate(), settings.chunkThrows};
        member.outstanding = assignment;
        roster[pupil - 1].state = PupilState::Throwing;
        emit q.send(*member.connection, protocol::encode(assignment));
    }

    void join(Connection connection, const protocol::Join& join)
    {
        if (links[connection].pupil)
            return refuse(connection, Reason::NotJoined); // out of order, as a chunk before a join
        if (join.code != code)
            return refuse(connection, Reason::WrongCode);
        int pupil = 0;
        if (join.token) {
            for (int i = 0; i < members.size() && !pupil; ++i)
                if (members[i].token == *join.token)
                    pupil = i + 1;
            if (!pupil)
                return refuse(connection, Reason::UnknownToken);
            if (roster[pupil - 1].state == PupilState::Removed) {
                refuse(connection, Reason::Removed);
                return dropLink(connection);
            }
            // A reloaded page: the old socket is given up for the new one.
            if (const auto old = members[pupil - 1].connection) {
                detach(pupil);
                dropLink(*old);
            }
            if (roster[pupil - 1].nickname != join.nickname) {
                roster[pupil - 1].nickname = join.nickname;
                pool.setNickname(sessionId, pupil, join.nickname);
            }
        } else {
            // Locking keeps newcomers out; a pupil with a token may always come back.
            if (locked)
                return refuse(connection, Reason::JoiningLocked);
            // A slot is kept for every pupil who may still come back with their token.
            const auto present = std::count_if(roster.cbegin(), roster.cend(),
                [](const Pupil& p) { return p.state != PupilState::Removed; });
            if (present >= settings.maxPupils)
                return refuse(connection, Reason::SessionFull);
            pupil = int(roster.size()) + 1;
            const Pool::StoredPupil stored{pupil, randomToken(), pseudonymOf(pupil), join.nickname, false};
            pool.addPupil(sessionId, stored);
            roster.append({pupil, stored.pseudonym, stored.nickname, PupilState::Idle});
            members.append({stored.token, std::nullopt, std::nullopt, 0});
        }
        links[connection].pupil = pupil;
        members[pupil - 1].connection = connection;
        roster[pupil - 1].state = PupilState::Idle;
        emit q.send(connection, protocol::encode(protocol::Welcome{roster[pupil - 1].pseudonym, members[pupil - 1].token}));
        // The pool at once, so that a page shows the class's count before its own throws.
        emit q.send(connection, protocol::encode(poolMessage()));
        assign(pupil);
    }

    void chunk(Connection connection, const protocol::Chunk& chunk)
    {
        const int pupil = links[connection].pupil;
        if (!pupil)
            return refuse(connection, Reason::NotJoined);
        Member& member = members[pupil - 1];
        const auto& expected = member.outstanding;
        Pool::StoredChunk stored{pupil, chunk.chunk, chunk.seed, chunk.throws, chunk.hits, false};
        if (!expected || expected->chunk != chunk.chunk || expected->seed != chunk.seed
            || expected->throws != chunk.throws) {
            pool.addChunk(sessionId, stored);
            ++roster[pupil - 1].rejectedChunks;
            return refuse(connection, Reason::NotAssigned);
        }
        member.outstanding.reset();
        stored.verified = classthrows::hits(settings.experiment, chunk.seed, chunk.throws) == chunk.hits;
        // In the file before anyone is told.
        pool.addChunk(sessionId, stored);
        if (stored.verified) {
            addVerified(roster[pupil - 1], chunk.throws, chunk.hits);
            // The thrower at once, with its next assignment; the others soon.
            emit q.send(connection, protocol::encode(poolMessage()));
            if (!broadcast.isActive())
                broadcast.start();
        } else {
            ++roster[pupil - 1].rejectedChunks;
            refuse(connection, Reason::WrongHits);
        }
        assign(pupil); // unless dropped for its refusals
    }

    void receive(Connection connection, const QByteArray& message)
    {
        Link& link = links[connection];
        if (link.dropped)
            return;
        const qint64 t = now();
        if (t - link.windowStart >= rateWindowMs) {
            link.windowStart = t;
            link.inWindow = 0;
        }
        if (++link.inWindow > settings.maxMessagesPerSecond)
            return refuse(connection, Reason::OverRate);
        const protocol::FromPupil decoded = protocol::decodeFromPupil(message);
        if (const auto* refusal = std::get_if<protocol::Refusal>(&decoded))
            refuse(connection, refusal->reason);
        else if (const auto* j = std::get_if<protocol::Join>(&decoded))
            join(connection, *j);
        else if (const auto* c = std::get_if<protocol::Chunk>(&decoded))
            chunk(connection, *c);
        else if (link.pupil)
            detach(link.pupil); // leave
        else
            refuse(connection, Reason::NotJoined);
    }
};

bool Session::resumable(const Settings& settings)
{
    const QString path = settings.database.isEmpty() ? Pool::defaultPath() : settings.database;
    if (!QFileInfo::exists(path))
        return false;
    const Pool pool(path);
    return pool.isOpen() && pool.unfinished(settings.experiment).has_value();
}

Session::Session(Settings settings, Start start, QObject* parent)
    : QObject(parent), d(std::make_unique<State>(*this, std::move(settings)))
{
    d->open(start);
}

Session::~Session() = default;

bool Session::isOpen() const
{
    return d->pool.isOpen();
}

QString Session::error() const
{
    return d->pool.error();
}

QString Session::code() const
{
    return d->code;
}

classthrows::Experiment Session::experiment() const
{
    return d->settings.experiment;
}

classthrows::Tally Session::pooled() const
{
    return d->pooled;
}

const QList<Pupil>& Session::roster() const
{
    return d->roster;
}

const QList<PoolPoint>& Session::history() const
{
    return d->history;
}

QMap<protocol::Reason, int> Session::refusals() const
{
    return d->refusals;
}

int Session::connected() const
{
    return int(std::count_if(d->members.cbegin(), d->members.cend(), [](const State::Member& m) { return m.connection.has_value(); }));
}

void Session::receive(Connection connection, const QByteArray& message)
{
    d->receive(connection, message);
    emit changed();
    d->flushDrops();
}

void Session::disconnected(Connection connection)
{
    // A socket that closed goes with its link, so that a thousand opened
    // and closed leave nothing behind; one the session dropped stays, as
    // dropped, so that frames still on their way are not taken.
    const auto link = d->links.find(connection);
    if (link == d->links.end())
        return;
    if (link->pupil)
        d->detach(link->pupil);
    if (link->dropped)
        link->pupil = 0;
    else
        d->links.erase(link);
    emit changed();
}

bool Session::paused() const
{
    return d->paused;
}

void Session::setPaused(bool paused)
{
    if (paused == d->paused)
        return;
    d->paused = paused;
    // A chunk already handed out still counts; the idle get theirs now.
    if (!paused)
        for (int pupil = 1; pupil <= d->members.size(); ++pupil)
            if (d->members[pupil - 1].connection && !d->members[pupil - 1].outstanding)
                d->assign(pupil);
    emit changed();
}

bool Session::joiningLocked() const
{
    return d->locked;
}

void Session::setJoiningLocked(bool locked)
{
    if (locked == d->locked)
        return;
    d->locked = locked;
    emit changed();
}

void Session::remove(int pupil)
{
    if (pupil < 1 || pupil > d->roster.size() || d->roster[pupil - 1].state == PupilState::Removed)
        return;
    // What they pooled was recounted and stays in the pool; their token no
    // longer lets them back in.
    d->roster[pupil - 1].state = PupilState::Removed;
    d->pool.setRemoved(d->sessionId, pupil);
    if (const auto connection = d->members[pupil - 1].connection) {
        emit send(*connection, protocol::encode(protocol::Refused{Reason::Removed}));
        d->dropLink(*connection);
    }
    d->detach(pupil);
    emit changed();
    d->flushDrops();
}

void Session::reset()
{
    d->pool.finish(d->sessionId);
    for (auto link = d->links.cbegin(); link != d->links.cend(); ++link)
        if (link->pupil && !link->dropped)
            d->drops.append(link.key());
    for (const Connection connection : std::as_const(d->drops))
        d->links[connection] = {0, true};
    d->roster.clear();
    d->members.clear();
    d->history.clear();
    d->pooled = {};
    d->refusals.clear();
    d->sessionId = 0;
    d->open(Start::Fresh);
    emit changed();
    d->flushDrops();
}

bool Session::exportCsv(const QString& path) const
{
    return d->pool.exportCsv(d->sessionId, path);
}

} // namespace classroom

// SPDX-License-Identifier: GPL-3.0-or-later
// The class session driven as the server drives it, by scripts of what pupils
// and the teacher do; the pool always equal to its verified chunks in the
// CSV, and a killed program resumed exactly.
#include "class/Session.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace classroom;
using classthrows::Experiment;

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void script_data();
    void script();

private:
    struct Kid {
        Connection connection = 0;
        QString token;
        std::optional<protocol::Assign> assignment;
        QByteArray lastChunk;
    };

    void open(Session::Start start);
    void step(const QString& action, int who);
    void restart();
    void checkPool();
    QString summary() const;
    QTemporaryDir dir_;
    Settings settings_;
    qint64 clock_ = 0;
    Connection nextConnection_ = 1;
    std::unique_ptr<Session> session_;
    std::vector<std::unique_ptr<Session>> killed_; // left open, as a killed program leaves its file
    QMap<int, Kid> kids_;
    QMap<Connection, qint64> poolSeen_;
    QStringList drops_;
};

void TestSession::open(Session::Start start)
{
    session_ = std::make_unique<Session>(settings_, start);
    QVERIFY2(session_->isOpen(), qPrintable(session_->error()));
    QVERIFY(session_->code().size() == 6 && !session_->code().contains(QRegularExpression("[^A-Z0-9]|[0O1IL2Z5S8B]")));
    connect(session_.get(), &Session::send, this, [this](Connection c, const QByteArray& bytes) {
        const auto kid = std::find_if(kids_.begin(), kids_.end(), [c](const Kid& k) { return k.connection == c; });
        QVERIFY(kid != kids_.end());
        const auto message = protocol::decodeFromTeacher(bytes);
        QVERIFY(!std::holds_alternative<protocol::Refusal>(message));
        if (const auto* welcome = std::get_if<protocol::Welcome>(&message))
            kid->token = welcome->token;
        if (const auto* assign = std::get_if<protocol::Assign>(&message))
            kid->assignment = *assign;
        if (const auto* pool = std::get_if<protocol::Pool>(&message))
            poolSeen_[c] = pool->n;
    });
    connect(session_.get(), &Session::drop, this, [this](Connection c) {
        const auto kid = std::find_if(kids_.cbegin(), kids_.cend(), [c](const Kid& k) { return k.connection == c; });
        drops_ << (kid == kids_.cend() ? QString("?") : QString::number(kid.key()));
        session_->disconnected(c); // as the server does
    });
}

void TestSession::step(const QString& action, int who)
{
    Kid& kid = kids_[who];
    const auto say = [&](const QByteArray& message) { session_->receive(kid.connection, message); };
    const auto chunk = [](const protocol::Assign& a, std::uint32_t throws, std::uint32_t hits) {
        return QString(R"({"v":1,"type":"chunk","chunk":%1,"seed":%2,"throws":%3,"hits":%4})")
            .arg(a.chunk).arg(a.seed).arg(throws).arg(hits).toLatin1();
    };
    const auto join = [&](const QString& code, const QString& token) {
        kid.connection = nextConnection_++, kid.assignment.reset();
        say(QString(R"({"v":1,"type":"join","code":"%1","nickname":"ab"%2})")
                .arg(code, token.isEmpty() ? "" : R"(,"token":")" + token + '"').toLatin1());
    };
    const auto send = [&](int offBy) {
        QVERIFY(kid.assignment);
        const auto& a = *kid.assignment;
        const std::uint32_t hits = classthrows::hits(a.experiment, a.seed, a.throws);
        kid.lastChunk = chunk(a, a.throws, hits + (hits == 0 ? 1 : -1) * offBy);
        say(kid.lastChunk);
    };
    if (action == "join" || action == "badcode")
        join(action == "join" ? session_->code() : "ZZZZ", {});
    else if (action == "rejoin" || action == "badtoken")
        join(session_->code(), action == "rejoin" ? kid.token : "0123456789abcdef");
    else if (action == "throw")
        send(0);
    else if (action == "forge")
        send(1);
    else if (action == "replay")
        say(kid.lastChunk);
    else if (action == "short") { // half the throws, honestly counted
        const auto a = kid.assignment.value_or(protocol::Assign{Experiment::Points, 7, 7, 100});
        say(chunk(a, a.throws / 2, classthrows::hits(a.experiment, a.seed, a.throws / 2)));
    } else if (action == "leave")
        say(R"({"v":1,"type":"leave"})");
    else if (action == "kill")
        session_->disconnected(kid.connection);
    else if (action == "flood") // one second's worth and one more
        for (int i = 0; i <= settings_.maxMessagesPerSecond; ++i)
            say("{");
    else if (action == "spam") // refused again and again, at an allowed rate
        for (int i = 0; i < 60; ++i, clock_ += 1000 / settings_.maxMessagesPerSecond)
            say("{");
    else if (action == "tick")
        clock_ += 1000;
    else if (action == "pause" || action == "resume")
        session_->setPaused(action == "pause");
    else if (action == "lock")
        session_->setJoiningLocked(true);
    else if (action == "remove")
        session_->remove(who);
    else if (action == "reset") {
        const QString before = session_->code();
        session_->reset();
        QVERIFY(session_->code() != before);
    } else if (action == "restart")
        restart();
    else
        QFAIL(qPrintable("unknown step " + action));
}

// Nothing is shut down: the old session stays open as a killed program
// leaves its file, and a new one takes the pool up.
void TestSession::restart()
{
    // Everything the teacher sees, each pupil as Left (or Removed) until they rejoin.
    const auto seen = [this] {
        const Session& s = *session_;
        QString line = QString("%1 %2/%3").arg(s.code()).arg(s.pooled().n).arg(s.pooled().hits);
        for (const Pupil& p : s.roster())
            line += QString(" %1 %2 %3 %4 %5/%6 %7/%8").arg(p.id).arg(p.pseudonym, p.nickname)
                        .arg(p.state == PupilState::Removed).arg(p.verified.n).arg(p.verified.hits)
                        .arg(p.verifiedChunks).arg(p.rejectedChunks);
        for (const PoolPoint& point : s.history())
            line += QString(" %1:%2").arg(point.n).arg(point.estimate, 0, 'g', 17);
        return line;
    };
    const QString before = seen();
    session_->disconnect(this);
    killed_.push_back(std::move(session_));
    QVERIFY(Session::resumable(settings_));
    open(Session::Start::Resume);
    QCOMPARE(seen(), before);
    for (Kid& kid : kids_)
        kid.connection = 0;
}

// The pool is the sum of the roster's verified chunks, each of them a
// verified row of the CSV, recounted here; every chunk judged is a row.
void TestSession::checkPool()
{
    const Session& s = *session_;
    classthrows::Tally roster, csv;
    int chunks = 0;
    for (const Pupil& p : s.roster())
        roster.n += p.verified.n, roster.hits += p.verified.hits, chunks += p.verifiedChunks + p.rejectedChunks;
    QFile file(dir_.filePath("pool.csv"));
    QVERIFY(s.exportCsv(file.fileName()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList rows = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(rows.takeFirst(), QString("\uFEFFpseudonym,chunk,seed,throws,hits,verified"));
    QCOMPARE(rows.size(), chunks);
    QSet<QString> numbered; // each verified chunk of a pupil has its own number
    for (const QString& row : rows) {
        const QStringList f = row.split(',');
        QCOMPARE(f.size(), 6);
        QVERIFY(f[0].startsWith('"') && f[0].endsWith('"'));
        if (f[5] == "1") {
            QVERIFY(!numbered.contains(f[0] + f[1]));
            numbered << f[0] + f[1];
            QCOMPARE(f[4].toUInt(), classthrows::hits(s.experiment(), f[2].toUInt(), f[3].toUInt()));
            csv.n += f[3].toUInt(), csv.hits += f[4].toUInt();
        }
    }
    QCOMPARE(std::make_pair(roster.n, roster.hits), std::make_pair(s.pooled().n, s.pooled().hits));
    QCOMPARE(std::make_pair(csv.n, csv.hits), std::make_pair(s.pooled().n, s.pooled().hits));
    QCOMPARE(s.history().isEmpty() ? 0 : s.history().last().n, s.pooled().n);
    // The thrower at once, the others within a broadcast's pause.
    QTRY_VERIFY(std::count(poolSeen_.cbegin(), poolSeen_.cend(), qint64(s.pooled().n)) >= s.connected());
    if (const auto e = classthrows::estimate(s.experiment(), s.pooled().n, s.pooled().hits))
        QCOMPARE(s.history().last().estimate, e->value);
}

// Chunks pooled | pupil, state, verified/rejected chunks | refusals | dropped pupils.
QString TestSession::summary() const
{
    QStringList roster, refused;
    for (const Pupil& p : session_->roster())
        roster << QString("%1%2%3/%4").arg(p.id).arg("TILR"[int(p.state)]).arg(p.verifiedChunks).arg(p.rejectedChunks);
    const auto refusals = session_->refusals();
    for (const auto& [reason, count] : refusals.asKeyValueRange())
        refused << protocol::reasonName(reason) + '=' + QString::number(count);
    return QString("%1 | %2 | %3 | %4")
        .arg(session_->pooled().n / settings_.chunkThrows)
        .arg(roster.join(' '), refused.join(' '), drops_.join(' '));
}

void TestSession::script_data()
{
    QTest::addColumn<bool>("needles");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    const struct {
        const char* name;
        bool needles;
        const char* steps;
        const char* expected;
    } rows[] = {
        {"honest points", false, "join 1, join 2, throw 1, throw 2, throw 1", "3 | 1T2/0 2T1/0 |  | "},
        {"honest needles", true, "join 1, throw 1, throw 1, join 2, throw 2", "3 | 1T2/0 2T1/0 |  | "},
        {"wrong code", false, "badcode 1, join 2", "0 | 1T0/0 | wrong-code=1 | "},
        {"forged hits", false, "join 1, throw 1, forge 1, throw 1", "2 | 1T2/1 | wrong-hits=1 | "},
        {"replayed chunk", false, "join 1, throw 1, replay 1, throw 1", "2 | 1T2/1 | not-assigned=1 | "},
        {"short chunk", false, "join 1, short 1, throw 1", "1 | 1T1/1 | not-assigned=1 | "},
        {"chunk before join", false, "badcode 1, short 1, leave 1", "0 |  | wrong-code=1 not-joined=2 | "},
        {"killed mid-chunk", false, "join 1, join 2, throw 1, throw 2, kill 1, throw 2", "3 | 1L1/0 2T2/0 |  | "},
        {"left, then a late chunk", false, "join 1, throw 1, leave 1, throw 1", "1 | 1L1/0 | not-joined=1 | "},
        {"rejoin by token", false, "join 1, throw 1, kill 1, rejoin 1, throw 1", "2 | 1T2/0 |  | "},
        {"rejoin from a new tab", false, "join 1, throw 1, rejoin 1, throw 1", "2 | 1T2/0 |  | ?"},
        {"unknown token", false, "badtoken 1", "0 |  | unknown-token=1 | "},
        {"full", false, "join 1, join 2, join 3, join 4, kill 1, join 4, rejoin 1", "0 | 1T0/0 2T0/0 3T0/0 | session-full=2 | "},
        {"locked", false, "join 1, lock, join 2, kill 1, rejoin 1", "0 | 1T0/0 | joining-locked=1 | "},
        {"over rate", false, "join 1, tick, flood 1, tick, throw 1", "1 | 1T1/0 | malformed=5 over-rate=1 | "},
        {"refused too often", false, "join 1, join 2, tick, spam 1, throw 2", "1 | 1L0/0 2T1/0 | malformed=50 | 1"},
        {"removed", false, "join 1, join 2, throw 1, remove 1, throw 2, rejoin 1", "2 | 1R1/0 2T1/0 | removed=1 | 1 1"},
        {"paused", false, "join 1, join 2, pause, throw 1, replay 1, join 3", "1 | 1I1/1 2T0/0 3I0/0 | not-assigned=1 | "},
        {"resumed", false, "join 1, pause, throw 1, join 2, resume, throw 1, throw 2", "3 | 1T2/0 2T1/0 |  | "},
        {"reset", false, "join 1, join 2, throw 1, forge 2, reset, join 3, throw 3", "1 | 1T1/0 |  | 1 2"},
        {"resumed after a kill", false, "join 1, join 2, throw 1, forge 2, throw 2, remove 2, restart", "2 | 1L1/0 2R1/1 |  | 2"},
        {"back after a kill", false, "join 1, throw 1, restart, rejoin 1, throw 1, join 2, throw 2, restart",
            "3 | 1L2/0 2L1/0 |  | "},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.needles << QString(row.steps) << QString(row.expected);
}

void TestSession::script()
{
    QFETCH(bool, needles);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QVERIFY(dir_.isValid());
    settings_ = {needles ? Experiment::Needles : Experiment::Points, 3, 100, 5,
        dir_.filePath(QString("class-%1.sqlite").arg(QTest::currentDataTag())), [this] { return clock_; }};
    QVERIFY(!Session::resumable(settings_));
    kids_.clear(), drops_.clear(), killed_.clear(), poolSeen_.clear();
    open(Session::Start::Fresh);
    QVERIFY(!Session::resumable(settings_)); // nobody joined: nothing to offer
    for (const QString& s : steps.split(", ")) {
        const QStringList words = s.split(' ');
        step(words[0], words.value(1).toInt());
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("at " + s));
    }
    checkPool();
    QCOMPARE(summary(), expected);
    session_.reset();
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"

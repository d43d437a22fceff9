// SPDX-License-Identifier: GPL-3.0-or-later
// The class session's messages: what each direction accepts, every reason
// for a refusal, and the teacher's messages read back as they were sent.
#include "class/Protocol.h"

#include <QTest>

// Declared before the table: moc loses its way in its raw strings.
class TestProtocol : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
};

using namespace protocol;
using classthrows::Experiment;

namespace {

template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};

// A decoded message as one line, so that the table can say what it should be.
template <typename Decoded>
QString describe(const Decoded& message)
{
    const auto named = [](Experiment e) { return e == Experiment::Points ? "points" : "needles"; };
    return std::visit(
        Overloaded{
            [](const Join& m) { return QString("join %1 %2 %3").arg(m.code, m.nickname, m.token.value_or("-")); },
            [](const Chunk& m) { return QString("chunk %1 %2 %3 %4").arg(m.chunk).arg(m.seed).arg(m.throws).arg(m.hits); },
            [](const Leave&) { return QString("leave"); },
            [](const Welcome& m) { return QString("welcome %1 %2").arg(m.pseudonym, m.token); },
            [&](const Assign& m) { return QString("assign %1 %2 %3 %4").arg(named(m.experiment)).arg(m.chunk).arg(m.seed).arg(m.throws); },
            [&](const Pool& m) {
                const QString estimate = m.estimate ? QString::number(*m.estimate, 'g', 17) : "-";
                return QString("pool %1 %2 %3 %4").arg(named(m.experiment)).arg(m.n).arg(m.hits).arg(estimate);
            },
            [](const Refused& m) { return QString("refused-message %1").arg(reasonName(m.reason)); },
            [](const Refusal& r) { return QString("refused %1 %2").arg(reasonName(r.reason), r.field).trimmed(); }},
        message);
}

QByteArray message(const char* type, const QByteArray& fields)
{
    return R"({"v":1,"type":")" + QByteArray(type) + '"' + (fields.isEmpty() ? "" : ",") + fields + '}';
}

} // namespace

void TestProtocol::decode_data()
{
    QTest::addColumn<bool>("fromTeacher");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("decoded");
    const QByteArray leave = message("leave", {}), twenty = QByteArray("🥧").repeated(20);
    const auto join = [](const QByteArray& nickname) { return message("join", R"("code":"4821","nickname":")" + nickname + '"'); };
    const auto chunk = [](const char* fields) { return message("chunk", fields); };
    const struct {
        bool teacher;
        const char* name;
        QByteArray bytes;
        QByteArray decoded;
    } rows[] = {
        {false, "join", join("はな"), "join 4821 はな -"},
        {false, "join again, in any order", R"( {"nickname":"Ken", "token":"abc-DEF_0123456789", "type":"join", "code":"AB12CD34", "v":1 })", "join AB12CD34 Ken abc-DEF_0123456789"},
        {false, "nickname of 20 code points, 40 UTF-16 units", join(twenty), "join 4821 " + twenty + " -"},
        {false, "chunk at the top", chunk(R"("chunk":4294967295,"seed":4294967295,"throws":10000,"hits":10000)"), "chunk 4294967295 4294967295 10000 10000"},
        {false, "chunk at the bottom", chunk(R"("chunk":0,"seed":0,"throws":1,"hits":0)"), "chunk 0 0 1 0"},
        {false, "at the size cap", leave + QByteArray(maxMessageBytes - leave.size(), ' '), "leave"},
        {false, "oversized", leave + QByteArray(maxMessageBytes + 1 - leave.size(), ' '), "refused oversized"},
        {false, "cut short", leave.chopped(3), "refused malformed"},
        {false, "not UTF-8", join("\xff"), "refused malformed"},
        {false, "a key twice", R"({"v":1,"type":"leave","v":1})", "refused malformed"},
        {false, "nested too deep", QByteArray(2000, '[') + QByteArray(2000, ']'), "refused malformed"},
        {false, "not an object", '[' + leave + ']', "refused not-an-object"},
        {false, "unknown type", message("Leave", {}), "refused unknown-type type"},
        {false, "a teacher's type", message("refused", R"("reason":"malformed")"), "refused unknown-type type"},
        {true, "a pupil's type", leave, "refused unknown-type type"},
        {false, "version 2", R"({"v":2,"type":"leave"})", "refused wrong-version v"},
        {false, "no version", R"({"type":"leave"})", "refused missing-field v"},
        {false, "no nickname", message("join", R"("code":"4821")"), "refused missing-field nickname"},
        {false, "unknown field", message("leave", R"("why":"bored")"), "refused unknown-field why"},
        {false, "seed as text", chunk(R"("chunk":0,"seed":"7","throws":1,"hits":0)"), "refused wrong-type seed"},
        {false, "version 1.0", R"({"v":1.0,"type":"leave"})", "refused non-integer v"},
        {false, "throws 1e3", chunk(R"("chunk":0,"seed":7,"throws":1e3,"hits":0)"), "refused non-integer throws"},
        {false, "hits 1.5", chunk(R"("chunk":0,"seed":7,"throws":9,"hits":1.5)"), "refused non-integer hits"},
        {false, "seed 2^32", chunk(R"("chunk":0,"seed":4294967296,"throws":1,"hits":0)"), "refused out-of-range seed"},
        {false, "seed 10^20", chunk(R"("chunk":0,"seed":100000000000000000000,"throws":1,"hits":0)"), "refused out-of-range seed"},
        {false, "no throws", chunk(R"("chunk":0,"seed":7,"throws":0,"hits":0)"), "refused out-of-range throws"},
        {false, "too many throws", chunk(R"("chunk":0,"seed":7,"throws":10001,"hits":0)"), "refused out-of-range throws"},
        {false, "more hits than throws", chunk(R"("chunk":0,"seed":7,"throws":10,"hits":11)"), "refused out-of-range hits"},
        {false, "code too short", message("join", R"("code":"482","nickname":"a")"), "refused out-of-range code"},
        {false, "code in lower case", message("join", R"("code":"abcd","nickname":"a")"), "refused bad-character code"},
        {false, "nickname empty", join(""), "refused out-of-range nickname"},
        {false, "nickname of 21", join(twenty + "a"), "refused out-of-range nickname"},
        {false, "nickname with a bell", join(R"(a\u0007)"), "refused bad-character nickname"},
        {false, "nickname reversed", join(R"(\u202Eabc)"), "refused bad-character nickname"},
        {false, "nickname half a pair", join(R"(\ud83e)"), "refused bad-character nickname"},
        {false, "nickname of blanks", join("  "), "refused bad-character nickname"},
        {true, "unknown experiment", message("assign", R"("experiment":"darts","chunk":3,"seed":9,"throws":5)"), "refused out-of-range experiment"},
        {true, "unknown reason", message("refused", R"("reason":"nope")"), "refused out-of-range reason"},
        {true, "estimate as text", message("pool", R"("experiment":"points","n":4,"hits":3,"estimate":"3")"), "refused wrong-type estimate"},
        {true, "pool beyond 2^53", message("pool", R"("experiment":"points","n":9007199254740992,"hits":3)"), "refused out-of-range n"},
        {true, "welcome", encode(Welcome{"青いペンギン", "AAAAbbbb-_cc0011"}), "welcome 青いペンギン AAAAbbbb-_cc0011"},
        {true, "assign", encode(Assign{Experiment::Points, 4294967295u, 4294967295u, 10000}), "assign points 4294967295 4294967295 10000"},
        {true, "pool", encode(Pool{Experiment::Needles, 9007199254740991, 2865, 3.1415926535897931}), "pool needles 9007199254740991 2865 3.1415926535897931"},
        {true, "pool, whole estimate", encode(Pool{Experiment::Points, 1, 1, 4.0}), "pool points 1 1 4"},
        {true, "pool, no estimate", encode(Pool{Experiment::Needles, 5, 0, std::nullopt}), "pool needles 5 0 -"},
        {true, "refused", encode(Refused{Reason::BadCharacter}), "refused-message bad-character"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.teacher << row.bytes << QString::fromUtf8(row.decoded);
}

void TestProtocol::decode()
{
    QFETCH(bool, fromTeacher);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, decoded);
    QCOMPARE(fromTeacher ? describe(decodeFromTeacher(bytes)) : describe(decodeFromPupil(bytes)), decoded);
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The class session's messages: what each direction accepts, every reason
// for a refusal, and the teacher's messages read back as they were sent.
#include "class/Protocol.h"

#include <QTest>

// Declared before the tables: moc loses its way in their raw strings.
class TestProtocol : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void encoded_data();
    void encoded();
};

using namespace protocol;
using classthrows::Experiment;

namespace {

template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};

QString named(Experiment e) { return e == Experiment::Points ? "points" : "needles"; }

// A decoded message as one line, so that a table can say what it should be.
QString describe(const FromPupil& message)
{
    return std::visit(
        Overloaded{[](const Join& m) { return QString("join %1 %2 %3").arg(m.code, m.nickname, m.token.value_or("-")); },
                   [](const Chunk& m) { return QString("chunk %1 %2 %3 %4").arg(m.chunk).arg(m.seed).arg(m.throws).arg(m.hits); },
                   [](const Leave&) { return QString("leave"); },
                   [](const Refusal& r) { return QString("refused %1 %2").arg(reasonName(r.reason), r.field); }},
        message);
}

QString describe(const FromTeacher& message)
{
    return std::visit(
        Overloaded{[](const Welcome& m) { return QString("welcome %1 %2").arg(m.pseudonym, m.token); },
                   [](const Assign& m) { return QString("assign %1 %2 %3 %4").arg(named(m.experiment)).arg(m.chunk).arg(m.seed).arg(m.throws); },
                   [](const Pool& m) {
                       return QString("pool %1 %2 %3 %4").arg(named(m.experiment)).arg(m.n).arg(m.hits)
                           .arg(m.estimate ? QString::number(*m.estimate, 'g', 17) : "-");
                   },
                   [](const Refused& m) { return QString("refused-message %1").arg(reasonName(m.reason)); },
                   [](const Refusal& r) { return QString("refused %1 %2").arg(reasonName(r.reason), r.field); }},
        message);
}

QByteArray padded(QByteArray json, qsizetype size)
{
    return json + QByteArray(size - json.size(), ' ');
}

} // namespace

void TestProtocol::decode_data()
{
    QTest::addColumn<bool>("fromTeacher");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("decoded");
    const auto pupil = [](const char* name, const QByteArray& m, const char* d) {
        QTest::newRow(name) << false << m << QString::fromUtf8(d);
    };
    const auto teacher = [](const char* name, const QByteArray& m, const char* d) {
        QTest::newRow(name) << true << m << QString::fromUtf8(d);
    };
    const QByteArray leave = R"({"v":1,"type":"leave"})";
    const QByteArray twenty = "🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧🥧";

    pupil("join", R"({"v":1,"type":"join","code":"4821","nickname":"はな"})", "join 4821 はな -");
    pupil("join again, keys in any order", R"( { "nickname" : "Ken", "token":"abc-DEF_0123456789", "type":"join", "code":"AB12CD34", "v":1 } )",
          "join AB12CD34 Ken abc-DEF_0123456789");
    pupil("join, 20 code points in 40 UTF-16 units", R"({"v":1,"type":"join","code":"4821","nickname":")" + twenty + "\"}",
          "join 4821 " + twenty + " -");
    pupil("chunk at the top", R"({"v":1,"type":"chunk","chunk":4294967295,"seed":4294967295,"throws":10000,"hits":10000})",
          "chunk 4294967295 4294967295 10000 10000");
    pupil("chunk at the bottom", R"({"v":1,"type":"chunk","chunk":0,"seed":0,"throws":1,"hits":0})", "chunk 0 0 1 0");
    pupil("leave", leave, "leave");
    pupil("at the size cap", padded(leave, maxMessageBytes), "leave");
    teacher("welcome", R"({"v":1,"type":"welcome","pseudonym":"青いペンギン","token":"0123456789abcdef"})",
            "welcome 青いペンギン 0123456789abcdef");
    teacher("assign", R"({"v":1,"type":"assign","experiment":"needles","chunk":3,"seed":99,"throws":5000})",
            "assign needles 3 99 5000");
    teacher("pool", R"({"v":1,"type":"pool","experiment":"points","n":9007199254740991,"hits":7,"estimate":3.25})",
            "pool points 9007199254740991 7 3.25");
    teacher("pool, nothing yet", R"({"v":1,"type":"pool","experiment":"needles","n":0,"hits":0})", "pool needles 0 0 -");
    teacher("refused", R"({"v":1,"type":"refused","reason":"wrong-version"})", "refused-message wrong-version");

    pupil("oversized", padded(leave, maxMessageBytes + 1), "refused oversized ");
    pupil("malformed: cut short", R"({"v":1,"type":"lea)", "refused malformed ");
    pupil("malformed: empty", "", "refused malformed ");
    pupil("malformed: not UTF-8", "{\"v\":1,\"type\":\"join\",\"code\":\"4821\",\"nickname\":\"\xff\"}", "refused malformed ");
    pupil("malformed: a key twice", R"({"v":1,"type":"leave","v":1})", "refused malformed ");
    pupil("malformed: garbage after", leave + "x", "refused malformed ");
    pupil("malformed: deep", QByteArray(2000, '[') + QByteArray(2000, ']'), "refused malformed ");
    pupil("not an object", R"([{"v":1,"type":"leave"}])", "refused not-an-object ");
    pupil("unknown type", R"({"v":1,"type":"Leave"})", "refused unknown-type type");
    pupil("a teacher's type", R"({"v":1,"type":"assign","experiment":"points","chunk":3,"seed":9,"throws":5})",
          "refused unknown-type type");
    teacher("a pupil's type", leave, "refused unknown-type type");
    pupil("wrong version", R"({"v":2,"type":"leave"})", "refused wrong-version v");
    pupil("version 0", R"({"v":0,"type":"future"})", "refused wrong-version v");
    pupil("missing version", R"({"type":"leave"})", "refused missing-field v");
    pupil("missing type", R"({"v":1})", "refused missing-field type");
    pupil("missing nickname", R"({"v":1,"type":"join","code":"4821"})", "refused missing-field nickname");
    pupil("missing hits", R"({"v":1,"type":"chunk","chunk":0,"seed":0,"throws":1})", "refused missing-field hits");
    pupil("unknown field", R"({"v":1,"type":"leave","why":"bored"})", "refused unknown-field why");
    pupil("misspelt field", R"({"v":1,"type":"join","code":"4821","Nickname":"a","nickname":"a"})",
          "refused unknown-field Nickname");
    pupil("version as text", R"({"v":"1","type":"leave"})", "refused wrong-type v");
    pupil("type as a number", R"({"v":1,"type":3})", "refused wrong-type type");
    pupil("nickname as a number", R"({"v":1,"type":"join","code":"4821","nickname":5})", "refused wrong-type nickname");
    pupil("seed as text", R"({"v":1,"type":"chunk","chunk":0,"seed":"7","throws":1,"hits":0})", "refused wrong-type seed");
    pupil("throws null", R"({"v":1,"type":"chunk","chunk":0,"seed":7,"throws":null,"hits":0})", "refused wrong-type throws");
    pupil("chunk as a list", R"({"v":1,"type":"chunk","chunk":[1],"seed":7,"throws":1,"hits":0})", "refused wrong-type chunk");
    pupil("version 1.0", R"({"v":1.0,"type":"leave"})", "refused non-integer v");
    pupil("throws 1e3", R"({"v":1,"type":"chunk","chunk":0,"seed":7,"throws":1e3,"hits":0})", "refused non-integer throws");
    pupil("hits 1.5", R"({"v":1,"type":"chunk","chunk":0,"seed":7,"throws":9,"hits":1.5})", "refused non-integer hits");
    pupil("chunk 1E2", R"({"v":1,"type":"chunk","chunk":1E2,"seed":7,"throws":9,"hits":1})", "refused non-integer chunk");
    pupil("seed 2^32", R"({"v":1,"type":"chunk","chunk":0,"seed":4294967296,"throws":1,"hits":0})", "refused out-of-range seed");
    pupil("seed -1", R"({"v":1,"type":"chunk","chunk":0,"seed":-1,"throws":1,"hits":0})", "refused out-of-range seed");
    pupil("seed beyond 64 bits", R"({"v":1,"type":"chunk","chunk":0,"seed":100000000000000000000,"throws":1,"hits":0})",
          "refused out-of-range seed");
    pupil("no throws", R"({"v":1,"type":"chunk","chunk":0,"seed":7,"throws":0,"hits":0})", "refused out-of-range throws");
    pupil("too many throws", R"({"v":1,"type":"chunk","chunk":0,"seed":7,"throws":10001,"hits":0})", "refused out-of-range throws");
    pupil("more hits than throws", R"({"v":1,"type":"chunk","chunk":0,"seed":7,"throws":10,"hits":11})", "refused out-of-range hits");
    pupil("code too short", R"({"v":1,"type":"join","code":"482","nickname":"a"})", "refused out-of-range code");
    pupil("token too short", R"({"v":1,"type":"join","code":"4821","nickname":"a","token":"abc"})", "refused out-of-range token");
    pupil("nickname empty", R"({"v":1,"type":"join","code":"4821","nickname":""})", "refused out-of-range nickname");
    pupil("nickname of 21", R"({"v":1,"type":"join","code":"4821","nickname":")" + twenty + "a\"}", "refused out-of-range nickname");
    pupil("nickname with a bell", R"({"v":1,"type":"join","code":"4821","nickname":"a\u0007"})", "refused bad-character nickname");
    pupil("nickname over two lines", R"({"v":1,"type":"join","code":"4821","nickname":"a\nb"})", "refused bad-character nickname");
    pupil("nickname reversed", R"({"v":1,"type":"join","code":"4821","nickname":"\u202Eabc"})", "refused bad-character nickname");
    pupil("nickname half a pair", R"({"v":1,"type":"join","code":"4821","nickname":"\ud83e"})", "refused bad-character nickname");
    pupil("nickname of blanks", R"({"v":1,"type":"join","code":"4821","nickname":"  "})", "refused bad-character nickname");
    pupil("code in lower case", R"({"v":1,"type":"join","code":"abcd","nickname":"a"})", "refused bad-character code");
    teacher("unknown experiment", R"({"v":1,"type":"assign","experiment":"darts","chunk":3,"seed":9,"throws":5})",
            "refused out-of-range experiment");
    teacher("unknown reason", R"({"v":1,"type":"refused","reason":"nope"})", "refused out-of-range reason");
    teacher("estimate as text", R"({"v":1,"type":"pool","experiment":"points","n":4,"hits":3,"estimate":"3"})",
            "refused wrong-type estimate");
    teacher("negative estimate", R"({"v":1,"type":"pool","experiment":"points","n":4,"hits":3,"estimate":-3})",
            "refused out-of-range estimate");
    teacher("pool beyond 2^53", R"({"v":1,"type":"pool","experiment":"points","n":9007199254740992,"hits":3})",
            "refused out-of-range n");
}

void TestProtocol::decode()
{
    QFETCH(bool, fromTeacher);
    QFETCH(QByteArray, message);
    QFETCH(QString, decoded);
    QCOMPARE(fromTeacher ? describe(decodeFromTeacher(message)) : describe(decodeFromPupil(message)), decoded);
}

void TestProtocol::encoded_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("welcome") << encode(Welcome{"3人目", "AAAAbbbb-_cc0011"}) << "welcome 3人目 AAAAbbbb-_cc0011";
    QTest::newRow("assign") << encode(Assign{Experiment::Points, 4294967295u, 4294967295u, 10000})
                            << "assign points 4294967295 4294967295 10000";
    QTest::newRow("pool") << encode(Pool{Experiment::Needles, 9007199254740991, 2865, 3.1415926535897931})
                          << "pool needles 9007199254740991 2865 3.1415926535897931";
    QTest::newRow("pool, whole estimate") << encode(Pool{Experiment::Points, 1, 1, 4.0}) << "pool points 1 1 4";
    QTest::newRow("pool, no estimate") << encode(Pool{Experiment::Needles, 5, 0, std::nullopt}) << "pool needles 5 0 -";
    QTest::newRow("refused") << encode(Refused{Reason::BadCharacter}) << "refused-message bad-character";
}

// What the teacher sends reads back as it was, within the size cap.
void TestProtocol::encoded()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, decoded);
    QVERIFY(message.size() <= maxMessageBytes);
    QCOMPARE(describe(decodeFromTeacher(message)), decoded);
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Protocol.h"

#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <initializer_list>

namespace protocol {

namespace {

using classthrows::Experiment;

struct NamedReason {
    Reason reason;
    const char* name;
};
constexpr NamedReason reasonNames[] = {
    {Reason::Oversized, "oversized"},         {Reason::Malformed, "malformed"},
    {Reason::NotAnObject, "not-an-object"},   {Reason::WrongVersion, "wrong-version"},
    {Reason::UnknownType, "unknown-type"},    {Reason::MissingField, "missing-field"},
    {Reason::UnknownField, "unknown-field"},  {Reason::WrongType, "wrong-type"},
    {Reason::NonInteger, "non-integer"},      {Reason::OutOfRange, "out-of-range"},
    {Reason::BadCharacter, "bad-character"},
    {Reason::WrongCode, "wrong-code"},        {Reason::SessionFull, "session-full"},
    {Reason::JoiningLocked, "joining-locked"}, {Reason::UnknownToken, "unknown-token"},
    {Reason::NotJoined, "not-joined"},        {Reason::NotAssigned, "not-assigned"},
    {Reason::WrongHits, "wrong-hits"},        {Reason::OverRate, "over-rate"},
    {Reason::Removed, "removed"},
};

const char* experimentName(Experiment experiment)
{
    return experiment == Experiment::Points ? "points" : "needles";
}

// What QJsonDocument forgets of the text: Qt 6 keeps 1e3 and 1.0 as the
// integer 1000 and 1, and keeps only the last of two equal keys. A scan of
// the (already valid) text finds the top-level keys whose numbers have a
// fraction or an exponent, and counts the keys.
struct Literals {
    QSet<QString> fractional;
    qsizetype keys = 0;
};

QString keyText(const QByteArray& quoted)
{
    if (!quoted.contains('\\'))
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    return QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString();
}

Literals scanTopLevel(const QByteArray& json)
{
    Literals out;
    QString key;
    int depth = 0;
    for (qsizetype i = 0; i < json.size();) {
        const char c = json[i];
        if (c == '"') {
            qsizetype end = i + 1;
            while (end < json.size() && json[end] != '"')
                end += json[end] == '\\' ? 2 : 1;
            qsizetype next = end + 1;
            while (next < json.size() && QByteArrayView(" \t\r\n").contains(json[next]))
                ++next;
            if (depth == 1 && next < json.size() && json[next] == ':') {
                key = keyText(json.mid(i, end + 1 - i));
                ++out.keys;
            }
            i = end + 1;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            const qsizetype start = i;
            while (i < json.size() && QByteArrayView("+-.0123456789eE").contains(json[i]))
                ++i;
            const QByteArrayView number = QByteArrayView(json).sliced(start, i - start);
            if (depth == 1 && (number.contains('.') || number.contains('e') || number.contains('E')))
                out.fractional.insert(key);
        } else {
            depth += (c == '{' || c == '[') - (c == '}' || c == ']');
            ++i;
        }
    }
    return out;
}

struct Message {
    QJsonObject object;
    Literals literals;
    QString type;
};

// Reads a message's fields one by one and keeps the first fault; a field
// at fault reads as empty or zero, never as something valid.
class Fields {
public:
    explicit Fields(const Message& message)
        : message_(message)
    {
    }

    // A message of a known type: besides v and type, only these keys.
    Fields(const Message& message, std::initializer_list<const char*> names)
        : message_(message)
    {
        for (auto it = message.object.begin(); it != message.object.end() && !fault; ++it) {
            bool known = it.key() == QLatin1String("v") || it.key() == QLatin1String("type");
            for (const char* name : names)
                known = known || it.key() == QLatin1String(name);
            if (!known)
                refuse(Reason::UnknownField, it.key());
        }
    }

    std::optional<Refusal> fault;

    bool has(const char* key) const { return message_.object.contains(QLatin1String(key)); }

    std::int64_t integer(const char* key, std::int64_t low, std::int64_t high)
    {
        const QJsonValue value = required(key);
        if (fault)
            return 0;
        if (!value.isDouble())
            return refuse(Reason::WrongType, key), 0;
        if (message_.literals.fractional.contains(QLatin1String(key)))
            return refuse(Reason::NonInteger, key), 0;
        const QCborValue exact = QCborValue::fromJsonValue(value);
        if (!exact.isInteger() || exact.toInteger() < low || exact.toInteger() > high)
            return refuse(Reason::OutOfRange, key), 0;
        return exact.toInteger();
    }

    std::uint32_t uint32(const char* key, std::uint32_t low = 0, std::uint32_t high = UINT32_MAX)
    {
        return std::uint32_t(integer(key, low, high));
    }

    std::optional<double> optionalNumber(const char* key)
    {
        if (!has(key) || fault)
            return std::nullopt;
        const QJsonValue value = message_.object.value(QLatin1String(key));
        if (!value.isDouble())
            return refuse(Reason::WrongType, key), std::nullopt;
        if (!(value.toDouble() >= 0) || !std::isfinite(value.toDouble()))
            return refuse(Reason::OutOfRange, key), std::nullopt;
        return value.toDouble();
    }

    // ASCII words: the session's code and the rejoining token.
    QString word(const char* key, int shortest, int longest, bool lowercaseAndDashes)
    {
        const QString text = string(key);
        if (fault)
            return {};
        if (text.size() < shortest || text.size() > longest)
            return refuse(Reason::OutOfRange, key), QString();
        for (const QChar c : text) {
            const bool ok = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')
                            || (lowercaseAndDashes && ((c >= u'a' && c <= u'z') || c == u'-' || c == u'_'));
            if (!ok)
                return refuse(Reason::BadCharacter, key), QString();
        }
        return text;
    }

    // A name shown to the class: any letters, but no control, line or
    // direction-changing characters, which could garble the list it joins.
    QString name(const char* key, int longest)
    {
        const QString text = string(key);
        if (fault)
            return {};
        if (!text.isValidUtf16())
            return refuse(Reason::BadCharacter, key), QString();
        const QList<uint> points = text.toUcs4();
        if (points.isEmpty() || points.size() > longest)
            return refuse(Reason::OutOfRange, key), QString();
        for (const uint c : points) {
            const auto category = QChar::category(char32_t(c));
            const bool direction = c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E)
                                   || (c >= 0x2066 && c <= 0x2069);
            if (direction || category == QChar::Other_Control || category == QChar::Separator_Line
                || category == QChar::Separator_Paragraph)
                return refuse(Reason::BadCharacter, key), QString();
        }
        if (text.trimmed().isEmpty())
            return refuse(Reason::BadCharacter, key), QString();
        return text;
    }

    Experiment experiment(const char* key)
    {
        const QString text = string(key);
        if (!fault && text != QLatin1String("points") && text != QLatin1String("needles"))
            refuse(Reason::OutOfRange, key);
        return text == QLatin1String("needles") ? Experiment::Needles : Experiment::Points;
    }

    Reason reason(const char* key)
    {
        const QString text = string(key);
        for (const auto& named : reasonNames) {
            if (text == QLatin1String(named.name))
                return named.reason;
        }
        if (!fault)
            refuse(Reason::OutOfRange, key);
        return Reason::Malformed;
    }

    void refuse(Reason reason, const QString& key)
    {
        if (!fault)
            fault = Refusal{reason, key};
    }

private:
    QJsonValue required(const char* key)
    {
        if (!fault && !has(key))
            refuse(Reason::MissingField, QLatin1String(key));
        return message_.object.value(QLatin1String(key));
    }

    QString string(const char* key)
    {
        const QJsonValue value = required(key);
        if (!fault && !value.isString())
            refuse(Reason::WrongType, QLatin1String(key));
        return fault ? QString() : value.toString();
    }

    const Message& message_;
};

// Everything before the type's own fields: size, JSON, object, version, type.
std::variant<Message, Refusal> open(const QByteArray& bytes)
{
    if (bytes.size() > maxMessageBytes)
        return Refusal{Reason::Oversized, {}};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return Refusal{Reason::Malformed, {}};
    if (!document.isObject())
        return Refusal{Reason::NotAnObject, {}};
    Message message{document.object(), scanTopLevel(bytes), {}};
    if (message.literals.keys != message.object.size())
        return Refusal{Reason::Malformed, {}};
    Fields fields(message);
    if (fields.integer("v", INT64_MIN, INT64_MAX) != version && !fields.fault)
        fields.refuse(Reason::WrongVersion, QStringLiteral("v"));
    if (fields.fault)
        return *fields.fault;
    const QJsonValue type = message.object.value(QLatin1String("type"));
    if (type.isUndefined())
        return Refusal{Reason::MissingField, QStringLiteral("type")};
    if (!type.isString())
        return Refusal{Reason::WrongType, QStringLiteral("type")};
    message.type = type.toString();
    return message;
}

template <typename Result, typename Value>
Result either(const Fields& fields, Value value)
{
    return fields.fault ? Result(*fields.fault) : Result(std::move(value));
}

QByteArray compact(QJsonObject object, const char* type)
{
    object.insert(QLatin1String("v"), version);
    object.insert(QLatin1String("type"), QLatin1String(type));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

FromPupil decodeFromPupil(const QByteArray& bytes)
{
    auto opened = open(bytes);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return *refusal;
    const Message& message = std::get<Message>(opened);
    if (message.type == QLatin1String("join")) {
        Fields fields(message, {"code", "nickname", "token"});
        Join join{fields.word("code", 4, 8, false), fields.name("nickname", maxNicknameLength), std::nullopt};
        if (fields.has("token"))
            join.token = fields.word("token", 16, 64, true);
        return either<FromPupil>(fields, join);
    }
    if (message.type == QLatin1String("chunk")) {
        Fields fields(message, {"chunk", "seed", "throws", "hits"});
        Chunk chunk{fields.uint32("chunk"), fields.uint32("seed"), fields.uint32("throws", 1, maxThrowsPerChunk),
                    fields.uint32("hits")};
        if (chunk.hits > chunk.throws)
            fields.refuse(Reason::OutOfRange, QStringLiteral("hits"));
        return either<FromPupil>(fields, chunk);
    }
    if (message.type == QLatin1String("leave")) {
        Fields fields(message, {});
        return either<FromPupil>(fields, Leave{});
    }
    return Refusal{Reason::UnknownType, QStringLiteral("type")};
}

FromTeacher decodeFromTeacher(const QByteArray& bytes)
{
    auto opened = open(bytes);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return *refusal;
    const Message& message = std::get<Message>(opened);
    if (message.type == QLatin1String("welcome")) {
        Fields fields(message, {"pseudonym", "token"});
        Welcome welcome{fields.name("pseudonym", maxPseudonymLength), fields.word("token", 16, 64, true)};
        return either<FromTeacher>(fields, welcome);
    }
    if (message.type == QLatin1String("assign")) {
        Fields fields(message, {"experiment", "chunk", "seed", "throws"});
        Assign assign{fields.experiment("experiment"), fields.uint32("chunk"), fields.uint32("seed"),
                      fields.uint32("throws", 1, maxThrowsPerChunk)};
        return either<FromTeacher>(fields, assign);
    }
    if (message.type == QLatin1String("pool")) {
        Fields fields(message, {"experiment", "n", "hits", "estimate"});
        Pool pool{fields.experiment("experiment"), fields.integer("n", 0, maxPooled),
                  fields.integer("hits", 0, maxPooled), fields.optionalNumber("estimate")};
        if (pool.hits > pool.n)
            fields.refuse(Reason::OutOfRange, QStringLiteral("hits"));
        return either<FromTeacher>(fields, pool);
    }
    if (message.type == QLatin1String("refused")) {
        Fields fields(message, {"reason"});
        Refused refused{fields.reason("reason")};
        return either<FromTeacher>(fields, refused);
    }
    return Refusal{Reason::UnknownType, QStringLiteral("type")};
}

QByteArray encode(const Welcome& message)
{
    return compact({{QLatin1String("pseudonym"), message.pseudonym}, {QLatin1String("token"), message.token}},
                   "welcome");
}

QByteArray encode(const Assign& message)
{
    return compact({{QLatin1String("experiment"), QLatin1String(experimentName(message.experiment))},
                    {QLatin1String("chunk"), qint64(message.chunk)},
                    {QLatin1String("seed"), qint64(message.seed)},
                    {QLatin1String("throws"), qint64(message.throws)}},
                   "assign");
}

QByteArray encode(const Pool& message)
{
    QJsonObject object{{QLatin1String("experiment"), QLatin1String(experimentName(message.experiment))},
                       {QLatin1String("n"), qint64(message.n)},
                       {QLatin1String("hits"), qint64(message.hits)}};
    if (message.estimate)
        object.insert(QLatin1String("estimate"), *message.estimate);
    return compact(object, "pool");
}

QByteArray encode(const Refused& message)
{
    return compact({{QLatin1String("reason"), reasonName(message.reason)}}, "refused");
}

QString reasonName(Reason reason)
{
    for (const auto& named : reasonNames) {
        if (named.reason == reason)
            return QLatin1String(named.name);
    }
    return {};
}

} // namespace protocol

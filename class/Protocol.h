// SPDX-License-Identifier: GPL-3.0-or-later
// The messages of the class session between a pupil's page and the
// teacher's Sorvena: compact JSON objects {"v": 1, "type": ..., fields}.
// Whatever arrives is decoded into one plain struct or refused with a
// reason; nothing a peer sends can throw or crash here.
#pragma once

#include "rules/ClassThrows.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

namespace protocol {

constexpr int version = 1;
constexpr qsizetype maxMessageBytes = 4096;
constexpr int maxNicknameLength = 20;
constexpr int maxPseudonymLength = 40;
constexpr std::uint32_t maxThrowsPerChunk = 10000;
// Pooled totals stay integers that JavaScript numbers hold exactly.
constexpr std::int64_t maxPooled = (std::int64_t(1) << 53) - 1;

enum class Reason {
    Oversized,
    Malformed, // not JSON, not UTF-8, or a key given twice
    NotAnObject,
    WrongVersion,
    UnknownType,
    MissingField,
    UnknownField,
    WrongType,
    NonInteger, // a fraction or an exponent where an integer belongs
    OutOfRange, // a number, a length or a name outside its set
    BadCharacter,
    // Refused by the session, not by the decoder.
    WrongCode,
    SessionFull,
    JoiningLocked,
    UnknownToken,
    NotJoined, // a chunk or a second join before a welcome
    NotAssigned, // a chunk that is not the one outstanding: late, replayed or invented
    WrongHits, // the teacher's recount differs
    OverRate,
    Removed,
};

struct Refusal {
    Reason reason;
    QString field; // which one, when a field is at fault
};

// Pupil to teacher.
struct Join {
    QString code; // the session's code, 4 to 8 digits or capitals
    QString nickname;
    std::optional<QString> token; // from an earlier welcome, to rejoin
};
struct Chunk {
    std::uint32_t chunk; // the assignment's number
    std::uint32_t seed; // echoed
    std::uint32_t throws;
    std::uint32_t hits;
};
struct Leave {};

// Teacher to pupil.
struct Welcome {
    QString pseudonym;
    QString token;
};
struct Assign {
    classthrows::Experiment experiment;
    std::uint32_t chunk;
    std::uint32_t seed;
    std::uint32_t throws;
};
struct Pool {
    classthrows::Experiment experiment;
    std::int64_t n;
    std::int64_t hits;
    std::optional<double> estimate; // none while undefined
};
struct Refused {
    Reason reason;
};

using FromPupil = std::variant<Join, Chunk, Leave, Refusal>;
using FromTeacher = std::variant<Welcome, Assign, Pool, Refused, Refusal>;

FromPupil decodeFromPupil(const QByteArray& message);
FromTeacher decodeFromTeacher(const QByteArray& message);

QByteArray encode(const Welcome& message);
QByteArray encode(const Assign& message);
QByteArray encode(const Pool& message);
QByteArray encode(const Refused& message);

// The reasons as the refused message names them: "wrong-version", ...
QString reasonName(Reason reason);

} // namespace protocol

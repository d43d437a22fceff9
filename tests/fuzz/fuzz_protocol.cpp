// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the class session's message decoder. Properties:
// nothing crashes or throws; whatever a pupil sends that is accepted keeps
// the caps; a teacher's message that is accepted, encoded again, decodes to
// a message that encodes to the same bytes.
#include "class/Protocol.h"

#include <QList>

#include <cstdlib>
#include <type_traits>

using namespace protocol;

static void check(bool condition)
{
    if (!condition)
        std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const FromPupil pupil = decodeFromPupil(bytes);
    check(size <= std::size_t(maxMessageBytes) || std::holds_alternative<Refusal>(pupil));
    if (const auto* join = std::get_if<Join>(&pupil))
        check(!join->nickname.isEmpty() && join->nickname.toUcs4().size() <= maxNicknameLength);
    if (const auto* chunk = std::get_if<Chunk>(&pupil))
        check(chunk->throws >= 1 && chunk->throws <= maxThrowsPerChunk && chunk->hits <= chunk->throws);

    std::visit(
        [](const auto& message) {
            using Message = std::decay_t<decltype(message)>;
            if constexpr (!std::is_same_v<Message, Refusal>) {
                const QByteArray once = encode(message);
                const FromTeacher back = decodeFromTeacher(once);
                check(std::holds_alternative<Message>(back) && encode(std::get<Message>(back)) == once);
            }
        },
        decodeFromTeacher(bytes));
    return 0;
}

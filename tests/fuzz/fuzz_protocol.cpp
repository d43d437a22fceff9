// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the class session's message decoder. Properties:
// nothing crashes or throws; whatever is accepted keeps the caps; a
// teacher's message that is accepted reads back the same once encoded again.
#include "class/Protocol.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace protocol;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

template <typename T>
const T& again(const T& message)
{
    static FromTeacher decoded;
    decoded = decodeFromTeacher(encode(message));
    const T* same = std::get_if<T>(&decoded);
    check(same != nullptr);
    return *same;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const FromPupil pupil = decodeFromPupil(bytes);
    if (const auto* join = std::get_if<Join>(&pupil)) {
        check(!join->nickname.isEmpty() && join->nickname.toUcs4().size() <= maxNicknameLength);
        check(join->code.size() >= 4 && join->code.size() <= 8);
    } else if (const auto* chunk = std::get_if<Chunk>(&pupil)) {
        check(chunk->throws >= 1 && chunk->throws <= maxThrowsPerChunk && chunk->hits <= chunk->throws);
    }
    check(bytes.size() <= maxMessageBytes || std::get_if<Refusal>(&pupil));

    const FromTeacher teacher = decodeFromTeacher(bytes);
    if (const auto* welcome = std::get_if<Welcome>(&teacher)) {
        const Welcome& back = again(*welcome);
        check(back.pseudonym == welcome->pseudonym && back.token == welcome->token);
    } else if (const auto* assign = std::get_if<Assign>(&teacher)) {
        const Assign& back = again(*assign);
        check(back.experiment == assign->experiment && back.chunk == assign->chunk && back.seed == assign->seed
              && back.throws == assign->throws);
    } else if (const auto* pool = std::get_if<Pool>(&teacher)) {
        const Pool& back = again(*pool);
        check(back.experiment == pool->experiment && back.n == pool->n && back.hits == pool->hits
              && back.estimate == pool->estimate && pool->hits <= pool->n);
    } else if (const auto* refused = std::get_if<Refused>(&teacher)) {
        check(again(*refused).reason == refused->reason);
    }
    return 0;
}

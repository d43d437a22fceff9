// SPDX-License-Identifier: GPL-3.0-or-later
// The windows were designed for a classic BASIC forms runtime, "the engine"
// in the comments here. These are its functions the windows rely on, with
// its results: number texts, rounding, palette, the reply conversion and
// the pseudo-random generator. Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

// A palette colour as &H00BBGGRR&.
using Colour = std::uint32_t;

// The entries of the 16-colour palette; index outside 0..15 gives black.
Colour QBColor(int index);

constexpr Colour rgb(int r, int g, int b)
{
    return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16);
}

// Decimal text with a blank where a minus sign would stand.
std::string Str(double value);
std::string Str(float value);
std::string Str(std::int64_t value);
inline std::string Str(int value) { return Str(std::int64_t(value)); }

// The same texts without the leading blank.
std::string Plain(double value);
std::string Plain(float value);

// Format(value, "###.00000000000000"): no leading zero, exactly 14 decimals.
std::string Format14(double value);

double Int(double value);

// Round half to even into a signed 16-bit integer; throws std::overflow_error
// outside -32768..32767, as the engine's conversion does.
std::int16_t CInt(double value);

// Reads the text of an input-box reply as a number. Blanks around it are
// allowed (ASCII and ideographic), full-width digits, signs, point and
// exponent letter read as their ASCII forms. Anything else, including an
// empty text, "inf", "nan", hexadecimal and values beyond a double, gives
// nothing: the callers treat that like Cancel.
std::optional<double> ParseReply(std::string_view utf8);

// A seed no run has had before, from the system's entropy: the start of
// every random sequence that is not asked for by its seed.
std::uint64_t freshSeed();

// The generator behind Rnd and Randomize; each platform::Services owns one.
// Rnd gives [0, 1) with 24-bit resolution, and Randomize mixes a seed into
// the running state instead of restarting the sequence, so reseeding with
// the same clock value never repeats.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint64_t seed = 0x2545F4914F6CDD1DULL) : state_(seed) {}
    float Rnd();
    void Randomize(double seed);

private:
    std::uint64_t next();
    std::uint64_t state_;
};

} // namespace rt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Runtime.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>

namespace rt {

Colour QBColor(int index)
{
    static constexpr Colour palette[16] = {
        rgb(0, 0, 0),       rgb(0, 0, 128),     rgb(0, 128, 0),     rgb(0, 128, 128),
        rgb(128, 0, 0),     rgb(128, 0, 128),   rgb(128, 128, 0),   rgb(192, 192, 192),
        rgb(128, 128, 128), rgb(0, 0, 255),     rgb(0, 255, 0),     rgb(0, 255, 255),
        rgb(255, 0, 0),     rgb(255, 0, 255),   rgb(255, 255, 0),   rgb(255, 255, 255),
    };
    return index >= 0 && index < 16 ? palette[index] : palette[0];
}

namespace {

// %G gives the shortest text of the given significant digits, switches to
// the exponent form once the exponent reaches the precision, and writes at
// least two exponent digits: exactly the engine's rules. Only the leading
// zero of a fraction differs.
std::string significant(double value, int digits)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    std::string text = buffer;
    if (text == "-0")
        text = "0";
    // The engine writes .5 and -.5, not 0.5.
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    else if (text.rfind("-0.", 0) == 0)
        text.erase(1, 1);
    return text;
}

std::string withSignPlace(std::string text)
{
    return text.empty() || text.front() == '-' ? text : " " + text;
}

} // namespace

std::string Plain(double value) { return significant(value, 15); }
std::string Plain(float value) { return significant(double(value), 7); }
std::string Str(double value) { return withSignPlace(Plain(value)); }
std::string Str(float value) { return withSignPlace(Plain(value)); }
std::string Str(std::int64_t value) { return withSignPlace(std::to_string(value)); }

std::string Format14(double value)
{
    if (!std::isfinite(value))
        return significant(value, 15);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.14f", std::fabs(value));
    std::string text = buffer;
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    const bool allZero = text.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !allZero)
        text.insert(0, "-");
    return text;
}

double Int(double value) { return std::floor(value); }

std::int16_t CInt(double value)
{
    const double rounded = std::nearbyint(value); // default mode: halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw std::overflow_error("Overflow");
    return std::int16_t(rounded);
}

namespace {

// Next code point of a UTF-8 text; returns 0xFFFD on a broken sequence.
char32_t decode(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        if (pos + i >= text.size() || (byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

bool isBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

// Full-width forms typed by a Japanese input method, as ASCII.
char asciiOf(char32_t c)
{
    if (c >= U'\uFF10' && c <= U'\uFF19')
        return char('0' + (c - U'\uFF10'));
    switch (c) {
    case U'\uFF0B': return '+';
    case U'\uFF0D': case U'\u2212': return '-';
    case U'\uFF0E': return '.';
    case U'\uFF25': return 'E';
    case U'\uFF45': return 'e';
    default: break;
    }
    return c < 0x80 ? char(c) : '\0';
}

} // namespace

std::optional<double> ParseReply(std::string_view utf8)
{
    std::string ascii;
    ascii.reserve(utf8.size());
    std::u32string points;
    for (std::size_t pos = 0; pos < utf8.size();)
        points.push_back(decode(utf8, pos));
    std::size_t first = 0, last = points.size();
    while (first < last && isBlank(points[first]))
        ++first;
    while (last > first && isBlank(points[last - 1]))
        --last;
    for (std::size_t i = first; i < last; ++i) {
        const char c = asciiOf(points[i]);
        if (c == '\0')
            return std::nullopt;
        ascii.push_back(c);
    }

    // [sign] digits [. digits] | [sign] . digits, then [E [sign] digits].
    std::size_t i = 0;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
        negative = ascii[i++] == '-';
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i])))
        ++i, ++digits;
    if (i < ascii.size() && ascii[i] == '.') {
        ++i;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i])))
            ++i, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != ascii.size())
        return std::nullopt;

    // from_chars takes neither '+' nor a leading '.' as written, so hand it a
    // mantissa with a zero in front.
    std::string body = ascii.substr(mantissaStart);
    if (body.front() == '.')
        body.insert(0, "0");
    double value = 0;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (error != std::errc() || end != body.data() + body.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::uint64_t RandomGenerator::next()
{
    // splitmix64: every state gives a well-mixed output, so mixing a seed
    // into the state cannot land the sequence on an earlier stretch.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

float RandomGenerator::Rnd()
{
    return float(next() >> 40) * (1.0f / 16777216.0f);
}

std::uint64_t freshSeed()
{
    std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
}

void RandomGenerator::Randomize(double seed)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    state_ = (state_ * 0xD1342543DE82EF95ULL) ^ (bits + 0x632BE59BD9B4E019ULL);
    next();
}

} // namespace rt

// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the input-box reply conversion and the number texts.
// Properties: nothing crashes; a reply that reads as x reads as x again with
// blanks around it and in full-width form; Format always has one point and
// exactly 14 digits after it; Str and Plain read back as the same number to
// their printed precision.
#include "rules/Runtime.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string fullWidth(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) {
        char32_t cp = 0;
        if (c >= '0' && c <= '9')
            cp = U'\uFF10' + char32_t(c - '0');
        else if (c == '+')
            cp = U'\uFF0B';
        else if (c == '-')
            cp = U'\uFF0D';
        else if (c == '.')
            cp = U'\uFF0E';
        else if (c == 'E')
            cp = U'\uFF25';
        else if (c == 'e')
            cp = U'\uFF45';
        if (cp == 0) {
            out.push_back(c);
            continue;
        }
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
    return out;
}

void checkFormat(double x)
{
    const std::string f = rt::Format14(x);
    if (!std::isfinite(x))
        return;
    const std::size_t point = f.find('.');
    check(point != std::string::npos);
    check(f.find('.', point + 1) == std::string::npos);
    check(f.size() - point - 1 == 14);
    for (std::size_t i = 0; i < f.size(); ++i)
        check(i == point || (f[i] >= '0' && f[i] <= '9') || (i == 0 && f[i] == '-'));
    // No leading zero before the point.
    check(!(point >= 1 && f[0] == '0') && !(f[0] == '-' && point >= 2 && f[1] == '0'));
}

void checkStr(double x)
{
    if (!std::isfinite(x))
        return;
    const std::string s = rt::Str(x);
    const std::string plain = rt::Plain(x);
    check(s == (s[0] == '-' ? plain : " " + plain));
    check((s[0] == ' ') == !(x < 0 && plain != "0"));
    const auto back = rt::ParseReply(s);
    // Only the last rounding of the very largest doubles may step past the
    // top of the range.
    if (!back) {
        check(std::fabs(x) > 1.797693134862315e308);
        return;
    }
    const double scale = std::fabs(x) > 1e-300 ? std::fabs(x) : 1.0;
    check(std::fabs(*back - x) <= scale * 1e-14);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = rt::ParseReply(text);
    if (value) {
        check(std::isfinite(*value));
        const auto padded = rt::ParseReply("  " + text + "\xE3\x80\x80");
        check(padded && *padded == *value);
        const auto wide = rt::ParseReply(fullWidth(text));
        check(wide && *wide == *value);
        checkFormat(*value);
        checkStr(*value);
        (void)rt::Str(float(*value));
    }
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkFormat(raw);
        checkStr(raw);
        (void)rt::Plain(float(raw));
        try {
            (void)rt::CInt(raw);
        } catch (const std::overflow_error&) {
        }
    }
    return 0;
}

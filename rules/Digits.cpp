// SPDX-License-Identifier: GPL-3.0-or-later
#include "Digits.h"

#include <charconv>

namespace digits {

namespace {
template <typename Value>
std::string shortestOf(Value value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
} // namespace

std::string shortest(double value) { return shortestOf(value); }
std::string shortest(float value) { return shortestOf(value); }

std::size_t agreeing(std::string_view digits)
{
    std::size_t i = 0;
    while (i < digits.size() && i < pi.size() && digits[i] == pi[i])
        ++i;
    return i;
}

int correct(std::string_view digits)
{
    const std::size_t n = agreeing(digits);
    return int(n > 1 ? n - 1 : n); // the point is no digit
}

} // namespace digits

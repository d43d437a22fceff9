// SPDX-License-Identifier: GPL-3.0-or-later
#include "Digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

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

WithError withError(double value, double standardError)
{
    int decimals = 0;
    if (standardError > 0 && std::isfinite(standardError))
        decimals = std::max(0, 1 - int(std::floor(std::log10(standardError))));
    char text[64];
    char error[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::snprintf(error, sizeof error, "%.*f", decimals, standardError);
    return {text, error};
}

int correct(std::string_view digits, double standardError)
{
    const int agree = correct(digits);
    if (!(standardError > 0))
        return agree;
    // π's units digit, then its decimals down to the error's first digit.
    const int significant = std::max(0, 1 + int(std::floor(-std::log10(standardError))));
    return std::min(agree, significant);
}

} // namespace digits

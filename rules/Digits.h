// SPDX-License-Identifier: GPL-3.0-or-later
// How many digits of an estimate of π are right, read at the precision the
// estimate was computed in.
#pragma once

#include <string>
#include <string_view>

namespace digits {

// π to more places than any double holds.
inline constexpr std::string_view pi = "3.14159265358979323846264338327950288";

// The shortest text that reads back as the same value: at single precision
// 3.1f is "3.1", not the 3.0999999046325684 its double holds.
std::string shortest(double value);
std::string shortest(float value);

// How many leading digits agree with π's: "3.1415" 5, "3.2" 1, "4" 0.
int correct(std::string_view digits);
// How many characters from the start agree with π's, the point included.
std::size_t agreeing(std::string_view digits);

// An estimate and its standard error as texts: the error to two
// significant digits, the estimate to as many decimals, so that 3.1412
// with 0.0164 reads "3.141" and "0.016".
struct WithError {
    std::string value;
    std::string error;
};
WithError withError(double value, double standardError);
// The correct digits that the standard error leaves significant: a digit
// counts while its unit is no smaller than the error, so "3.141" with
// 0.016 has two. An error of 0 limits nothing.
int correct(std::string_view digits, double standardError);

} // namespace digits

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

} // namespace digits

// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a window's estimate of π from its label, and how many of its
// digits are right.
#pragma once

#include <QString>

#include <optional>

namespace lesson {

// π to more places than any window shows.
extern const QString piDigits;

struct Estimate {
    QString digits; // as the window shows it, without blanks
    double value;
};

// The estimate a caption shows ("π＝ 3.14…", "π＝3", "πの近似値＝3.14…", and
// in English "π = 3.14…", "π ≈ 3.14…"); none for any other caption.
std::optional<Estimate> estimateIn(const QString& caption);

// How many leading digits agree with π's: "3.1415" 5, "3.2" 1, "4" 0.
int correctDigits(const QString& digits);

// The digits as rich text, the correct ones marked.
QString markedDigits(const QString& digits);

} // namespace lesson

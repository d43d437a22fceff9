// SPDX-License-Identifier: GPL-3.0-or-later
// The signs of the formulas, in words, for a screen reader: one table for
// the printed pages and the formula pictures, translated once.
#pragma once

#include <QString>

namespace platform::accessible {

// A sign as it is said aloud; the leader dots of a page's layout say
// nothing; any other text is itself.
QString spokenSign(const QString& sign);
inline QString spokenSign(QChar sign) { return spokenSign(QString(sign)); }

QString spokenPower(const QString& base, const QString& exponent);
QString spokenFraction(const QString& numerator, const QString& denominator);
QString spokenOpenBracket();
QString spokenCloseBracket();
QString spokenPi();

} // namespace platform::accessible

namespace platform::accessible {

// A text with its numbers in e-notation (5.2e-08) and its powers of ten
// (10⁻¹⁶) as a listener understands them: "5.2 かける 10 の マイナス 8 乗";
// the rest of the text is itself.
QString spokenNumbers(const QString& text);

} // namespace platform::accessible

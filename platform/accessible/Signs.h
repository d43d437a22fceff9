// SPDX-License-Identifier: GPL-3.0-or-later
// The signs of the formulas, in words, for a screen reader: one table for
// the printed pages and the formula pictures, translated once.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace platform::accessible {

// A sign as it is said aloud; the leader dots of a page's layout say
// nothing; any other text is itself.
QString spokenSign(const QString& sign);
inline QString spokenSign(QChar sign) { return spokenSign(QString(sign)); }
// A word of a formula ("sin") as it is said; empty for any other text.
QString spokenWord(const QString& word);
// A run of three or more dots: a leader of the page's layout.
bool isLeader(QStringView run);
// A colon between blanks is a ratio; any other is punctuation.
QString spokenColon(bool betweenBlanks);
// A label's text with its colons of prose said as a pause.
QString spokenProse(const QString& text);
// A fraction's factors, heard as one group where the language needs it.
QString spokenProduct(const QStringList& factors);

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

// SPDX-License-Identifier: GPL-3.0-or-later
// A very small typesetter for the formula pictures: a line of items (text
// runs, operators, powers, fractions, stretching parentheses) laid out on a
// common baseline and painted black on white into a bitmap of fixed size.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

namespace series::formula {

struct Item;
using Row = std::vector<Item>;

struct Item {
    enum class Kind { Text, Operator, Power, Fraction, Open, Close };
    Kind kind = Kind::Text;
    QString text;     // Text, Operator, base of a Power
    QString exponent; // Power
    Row numerator;    // Fraction
    Row denominator;  // Fraction
};

inline Item text(const QString& t) { return {Item::Kind::Text, t, {}, {}, {}}; }
// A relation or binary operator, spaced on both sides.
inline Item op(const QString& t) { return {Item::Kind::Operator, t, {}, {}, {}}; }
inline Item power(const QString& base, const QString& exponent) { return {Item::Kind::Power, base, exponent, {}, {}}; }
inline Item fraction(Row numerator, Row denominator)
{
    return {Item::Kind::Fraction, {}, {}, std::move(numerator), std::move(denominator)};
}
// Parentheses as tall as everything on the row.
inline Item open() { return {Item::Kind::Open, {}, {}, {}, {}}; }
inline Item close() { return {Item::Kind::Close, {}, {}, {}, {}}; }

// Factors joined by centred dots: 3·4·5·6.
Row product(std::initializer_list<QString> factors);
// Squares joined by centred dots: 1²·2²·3².
Row squares(std::initializer_list<QString> bases);

// The row with one more item at its end.
inline Row append(Row row, Item item)
{
    row.push_back(std::move(item));
    return row;
}

// The row typeset as large as fits, centred in a white bitmap of the given
// logical size. Only the top visibleHeight rows are used when the picture's
// box shows less than the whole bitmap. The bitmap holds device pixels at
// the given ratio (0: the screens' highest) and carries the row in words as
// its "Description" text.
QImage render(const Row& row, QSize size, int visibleHeight = 0, qreal ratio = 0);

// The row in words on one line, as a teacher reads it aloud and a screen
// reader says it: "パイの2乗 イコール 9 かっこ 1 たす 3 かける 4 分の 1の2乗 …".
QString words(const Row& row);

} // namespace series::formula

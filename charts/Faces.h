// SPDX-License-Identifier: GPL-3.0-or-later
// The face of the charts' numbers.
#pragma once

#include <QFont>
#include <QStringList>

namespace charts {

// Numbers in a face whose zero is plain: the Japanese Gothic faces dot
// theirs, and 10⁻¹⁰ then reads as 10⁻¹⁸ from the back of a room. The
// program's face stays behind it for anything it lacks.
inline QFont numberFont(QFont font)
{
    QStringList families = font.families();
    if (families.isEmpty())
        families << font.family();
    families.prepend(QStringLiteral("DejaVu Sans"));
    font.setFamilies(families);
    return font;
}

// On a projector, numbers of at least 18 pixels at its smallest scale, 1.15.
constexpr int largeNumberPixels = 16;
bool largeNumbers();
void setLargeNumbers(bool large);

} // namespace charts

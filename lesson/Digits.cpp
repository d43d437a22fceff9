// SPDX-License-Identifier: GPL-3.0-or-later
#include "Digits.h"

#include <QRegularExpression>

namespace lesson {

const QString piDigits = QStringLiteral("3.14159265358979323846264338327950288");

std::optional<Estimate> estimateIn(const QString& caption)
{
    // In any language the estimate's caption starts with π and ends with the
    // number after its first equals or approximately-equals sign.
    if (!caption.startsWith(QChar(0x03C0)))
        return std::nullopt;
    static const QRegularExpression signs(QStringLiteral("[=\\x{FF1D}\\x{2248}]"));
    const qsizetype sign = caption.indexOf(signs);
    if (sign < 0)
        return std::nullopt;
    const QString digits = caption.mid(sign + 1).trimmed();
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return Estimate{digits, value};
}

namespace {
// How many characters from the start agree with π's.
qsizetype agreeing(const QString& digits)
{
    qsizetype i = 0;
    while (i < digits.size() && i < piDigits.size() && digits[i] == piDigits[i])
        ++i;
    return i;
}
} // namespace

int correctDigits(const QString& digits)
{
    const qsizetype n = agreeing(digits);
    return int(n > 1 ? n - 1 : n); // the point is no digit
}

QString markedDigits(const QString& digits)
{
    const qsizetype n = agreeing(digits);
    // Underlined as well as coloured, for pupils who do not see the colour.
    return QStringLiteral("<span style=\"color:#006400; text-decoration:underline; font-weight:bold\">%1</span>"
                          "<span style=\"color:#c00000\">%2</span>")
        .arg(digits.left(n).toHtmlEscaped(), digits.mid(n).toHtmlEscaped());
}

} // namespace lesson

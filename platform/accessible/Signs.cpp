// SPDX-License-Identifier: GPL-3.0-or-later
#include "Signs.h"

#include <QCoreApplication>

#include <iterator>

namespace platform::accessible {

namespace {
constexpr const char* context = "platform::signs";

QString say(const char* words) { return QCoreApplication::translate(context, words); }

struct Sign {
    const char16_t* sign;
    const char* words; // null: not read
};

// The Japanese pages print full-width and Japanese signs, the English pages
// and the formula pictures mathematical ones; all read alike.
const Sign signs[] = {
    {u"\u00D7", QT_TRANSLATE_NOOP("platform::signs", " かける ")},
    {u"\u00B7", QT_TRANSLATE_NOOP("platform::signs", " かける ")},
    {u"\u00F7", QT_TRANSLATE_NOOP("platform::signs", " わる ")},
    {u"/", QT_TRANSLATE_NOOP("platform::signs", " わる ")},
    {u"\u2252", QT_TRANSLATE_NOOP("platform::signs", " ニアリーイコール ")},
    {u"\u2248", QT_TRANSLATE_NOOP("platform::signs", " ニアリーイコール ")},
    {u"\uFF1D", QT_TRANSLATE_NOOP("platform::signs", " イコール ")},
    {u"=", QT_TRANSLATE_NOOP("platform::signs", " イコール ")},
    {u"\uFF1A", QT_TRANSLATE_NOOP("platform::signs", " 対 ")},
    {u"\u2266", QT_TRANSLATE_NOOP("platform::signs", " 小なりイコール ")},
    {u"\u2264", QT_TRANSLATE_NOOP("platform::signs", " 小なりイコール ")},
    {u"+", QT_TRANSLATE_NOOP("platform::signs", " たす ")},
    {u"\u2212", QT_TRANSLATE_NOOP("platform::signs", " ひく ")},
    {u"\u2026", QT_TRANSLATE_NOOP("platform::signs", " 以下続く")},
    {u"\uFF65", nullptr}, // a leader dot
    {u"\u2024", nullptr}, // a leader dot of a Latin-script page
    // Signs a Japanese reader reads as they stand, which a Latin-script
    // translation gives in words.
    {u"<", QT_TRANSLATE_NOOP("platform::signs", "<")},
    {u">", QT_TRANSLATE_NOOP("platform::signs", ">")},
    {u"\u03C0", QT_TRANSLATE_NOOP("platform::signs", "π")},
    {u"\u03B8", QT_TRANSLATE_NOOP("platform::signs", "θ")},
    {u"sin", QT_TRANSLATE_NOOP("platform::signs", "sin")},
    // The pages' equation marks.
    {u"\u2460", QT_TRANSLATE_NOOP("platform::signs", "①")},
    {u"\u2461", QT_TRANSLATE_NOOP("platform::signs", "②")},
    {u"\u2462", QT_TRANSLATE_NOOP("platform::signs", "③")},
    {u"cos", QT_TRANSLATE_NOOP("platform::signs", "cos")},
};

bool isLeaderDot(QChar c)
{
    return c == QChar(0x00B7) || c == QChar(0x2024) || c == QChar(0x2025) || c == QChar(0x2026) || c == QChar(0x30FB)
        || c == QChar(0xFF65);
}
} // namespace

QString spokenWord(const QString& word)
{
    for (const Sign& s : signs)
        if (word == QStringView(s.sign) && word.size() > 1)
            return say(s.words);
    return {};
}

bool isLeader(QStringView run)
{
    // Three dots or more: one ellipsis alone is a row of digits going on.
    const bool ellipsis = !run.isEmpty() && (run.front() == QChar(0x2025) || run.front() == QChar(0x2026));
    return run.size() >= (ellipsis ? 2 : 3) && isLeaderDot(run.front()) && run.count(run.front()) == run.size();
}

QString spokenColon(bool betweenBlanks)
{
    return betweenBlanks ? say(QT_TRANSLATE_NOOP("platform::signs", " 対 "))
                         : QCoreApplication::translate("platform::signs", ":", "punctuation, not a ratio");
}

QString spokenProse(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool blankBefore = i == 0 || text[i - 1].isSpace();
        const bool blankAfter = i + 1 == text.size() || text[i + 1].isSpace();
        out += text[i] == QLatin1Char(':') && !blankBefore && blankAfter ? spokenColon(false) : QString(text[i]);
    }
    return out;
}

QString spokenProduct(const QStringList& factors)
{
    if (factors.size() < 2)
        return factors.join(QString());
    // Japanese reads the factors in a row; a translation may group them so
    // that a fraction's numerator is heard as one.
    QString out = factors.front();
    for (qsizetype i = 1; i < factors.size(); ++i)
        out += (i + 1 < factors.size()
                    ? QCoreApplication::translate("platform::signs", " かける ", "between grouped factors")
                    : QCoreApplication::translate("platform::signs", " かける ", "before the last grouped factor"))
             + factors[i];
    return QCoreApplication::translate("platform::signs", "%1", "grouped factors").arg(out);
}

QString spokenSign(const QString& sign)
{
    for (const Sign& s : signs)
        if (sign == QStringView(s.sign))
            return s.words ? say(s.words) : QString();
    return sign;
}

QString spokenPower(const QString& base, const QString& exponent)
{
    if (exponent == QLatin1String("2"))
        return say(QT_TRANSLATE_NOOP("platform::signs", "%1の2乗")).arg(base);
    return say(QT_TRANSLATE_NOOP("platform::signs", "%1の%2乗")).arg(base, exponent);
}

// The denominator first, as a fraction is read in Japanese.
QString spokenFraction(const QString& numerator, const QString& denominator)
{
    return say(QT_TRANSLATE_NOOP("platform::signs", " %1 分の %2 ")).arg(denominator, numerator);
}

QString spokenOpenBracket() { return say(QT_TRANSLATE_NOOP("platform::signs", " かっこ ")); }
QString spokenCloseBracket() { return say(QT_TRANSLATE_NOOP("platform::signs", " かっことじ ")); }
QString spokenPi() { return say(QT_TRANSLATE_NOOP("platform::signs", "パイ")); }

} // namespace platform::accessible

#include <QRegularExpression>

namespace platform::accessible {

QString spokenNumbers(const QString& text)
{
    // 5.2e-08 as the table prints it, and 10⁻¹⁶ as the axes write it.
    static const QRegularExpression number(QStringLiteral(
        R"((?<![\w.])(?:(\d+(?:\.\d+)?)[eE]([+-]?)0*(\d+)(?![\w.])|10(⁻?)([⁰¹²³⁴-⁹]+)))"));
    static const QString superscripts = QStringLiteral(u"⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString spoken;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : number.globalMatch(text)) {
        spoken += text.mid(from, m.capturedStart() - from);
        const QString mantissa = m.captured(1);
        if (mantissa.isEmpty()) {
            QString exponent;
            for (QChar digit : m.captured(5))
                exponent += QString::number(superscripts.indexOf(digit));
            spoken += say(m.captured(4).isEmpty() ? QT_TRANSLATE_NOOP("platform::signs", "10 の %1 乗")
                                                  : QT_TRANSLATE_NOOP("platform::signs", "10 の マイナス %1 乗"))
                          .arg(exponent);
        } else {
            spoken += say(m.captured(2) == QLatin1String("-")
                              ? QT_TRANSLATE_NOOP("platform::signs", "%1 かける 10 の マイナス %2 乗")
                              : QT_TRANSLATE_NOOP("platform::signs", "%1 かける 10 の %2 乗"))
                          .arg(mantissa, m.captured(3));
        }
        from = m.capturedEnd();
    }
    return spoken + text.mid(from);
}

} // namespace platform::accessible

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Reading.h"

#include "rules/Digits.h"
#include "rules/PolygonRules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lesson {

bool Reading::open(compare::Method method, bool sameWindow)
{
    const bool mayGoOn = sameWindow && method == method_ && !points_.isEmpty();
    method_ = method;
    firstStep_ = true;
    if (!mayGoOn)
        clear();
    return !mayGoOn;
}

bool Reading::step(std::int64_t n, std::optional<double> value, bool singlePrecision)
{
    bool cleared = false;
    if (firstStep_) {
        firstStep_ = false;
        if (n != n_ + 1) {
            clear();
            cleared = true;
        }
    }
    n_ = n;
    if (value) {
        // At the precision the window computed in: a single-precision 3.1
        // has two correct digits, not the one its double's digits show.
        digits_ = QString::fromStdString(singlePrecision ? digits::shortest(float(*value)) : digits::shortest(*value));
        points_.append(QPointF(double(n_), *value));
    }
    return cleared;
}

void Reading::clear()
{
    n_ = 0;
    digits_.clear();
    points_.clear();
}

int Reading::correct() const { return digits_.isEmpty() ? 0 : digits::correct(digits_.toStdString()); }

QString Reading::markedDigits() const
{
    // Underlined as well as coloured, for pupils who do not see the colour.
    const qsizetype n = qsizetype(digits::agreeing(digits_.toStdString()));
    return QStringLiteral("<span style=\"color:#006400; text-decoration:underline; font-weight:bold\">%1</span>"
                          "<span style=\"color:#c00000\">%2</span>")
        .arg(digits_.left(n).toHtmlEscaped(), digits_.mid(n).toHtmlEscaped());
}

QString Reading::correctText() const
{
    return digits_.isEmpty() ? tr("正しい桁数：－") : tr("正しい桁数：%n 桁", nullptr, correct());
}

QString Reading::stepText() const { return tr("ｎ＝%1").arg(n_); }

QString Reading::bracketText() const
{
    const polygon::Bracket bracket = method_ == compare::Method::Polygon ? polygon::bracket(n_) : polygon::Bracket{};
    if (bracket.lower.empty())
        return QString();
    return tr("%1 < π < %2（正%3角形の内と外）")
        .arg(QString::fromStdString(bracket.lower), QString::fromStdString(bracket.upper))
        .arg(n_);
}

QString Reading::valueName() const { return digits_.isEmpty() ? tr("いまの値 なし") : tr("いまの値 %1").arg(digits_); }

QString Reading::correctName() const
{
    return digits_.isEmpty() ? tr("正しい桁数 なし") : tr("正しい桁数 %n 桁", nullptr, correct());
}

QString Reading::traceDescription(const QString& view) const
{
    if (points_.isEmpty())
        return tr("まだ点がありません");
    const double pi = std::numbers::pi;
    const QPointF last = points_.last();
    // The last few points: on both sides of π, the trace swings; on one,
    // it settles, or moves away.
    const qsizetype from = std::max<qsizetype>(0, points_.size() - 10);
    bool above = false;
    bool below = false;
    for (qsizetype i = from; i < points_.size(); ++i) {
        above = above || points_[i].y() > pi;
        below = below || points_[i].y() < pi;
    }
    QString trend;
    if (points_.size() - from < 2)
        trend = QString();
    else if (above && below)
        trend = tr("πの上下に振れています");
    else if (std::abs(last.y() - pi) > std::abs(points_[from].y() - pi))
        trend = tr("πから離れています");
    else if (above)
        trend = tr("πの上から落ち着いて近づいています");
    else if (below)
        trend = tr("πの下から落ち着いて近づいています");
    else
        trend = tr("πと同じです");
    QString description = tr("%1：ｎ＝%2、最後の値 %3、誤差 %4")
                              .arg(view)
                              .arg(qint64(last.x()))
                              .arg(digits_.isEmpty() ? QString::number(last.y(), 'g', 15) : digits_,
                                   spokenError(std::abs(last.y() - pi)));
    if (!trend.isEmpty())
        description += tr("、") + trend;
    return description;
}

QString Reading::spokenError(double error)
{
    // Two significant digits, small ones as a power of ten in words.
    if (error >= 1e-3 || error == 0)
        return QString::number(error, 'g', 2);
    int exponent = int(std::floor(std::log10(error)));
    double mantissa = error / std::pow(10.0, exponent);
    if (mantissa >= 9.95) {
        mantissa /= 10;
        ++exponent;
    }
    return tr("%1×10のマイナス%2乗", "an error, as 1.2×10⁻⁵ is read")
        .arg(QString::number(mantissa, 'f', 1))
        .arg(-exponent);
}

} // namespace lesson

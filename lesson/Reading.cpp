// SPDX-License-Identifier: GPL-3.0-or-later
#include "Reading.h"

#include "rules/Digits.h"
#include "rules/PolygonRules.h"
#include "rules/Runtime.h"

#include <QStringList>

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

namespace {
// The experiments whose estimate has a standard error from its throws.
std::optional<classthrows::Experiment> experimentOf(compare::Method method)
{
    if (method == compare::Method::MonteCarlo)
        return classthrows::Experiment::Points;
    if (method == compare::Method::Buffon)
        return classthrows::Experiment::Needles;
    return std::nullopt;
}

// The digits the controller shows: an experiment's to its standard
// error's decimals, beside the error's own; any other value as the window
// prints it, at the precision it computed in, so that the hexagon's
// 2.9999999999999973 is 3 and a single-precision 3.1 has two correct digits.
digits::WithError shownDigits(double value, bool singlePrecision, std::optional<double> standardError)
{
    if (standardError)
        return digits::withError(value, *standardError);
    return {singlePrecision ? rt::Plain(float(value)) : rt::Plain(value), {}};
}

int correctDigits(const std::string& digits, std::optional<double> standardError)
{
    // A random estimate has no more correct digits than its spread allows.
    return standardError ? digits::correct(digits, *standardError) : digits::correct(digits);
}
} // namespace

bool Reading::step(std::int64_t n, std::optional<double> value, bool singlePrecision,
                   std::optional<classthrows::Tally> tally)
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
        const std::optional<classthrows::Experiment> experiment = experimentOf(method_);
        const std::optional<classthrows::Estimate> estimate =
            experiment && tally ? classthrows::estimate(*experiment, tally->n, tally->hits) : std::nullopt;
        clearValue();
        if (estimate)
            standardError_ = estimate->standardError;
        const digits::WithError texts = shownDigits(*value, singlePrecision, standardError_);
        digits_ = QString::fromStdString(texts.value);
        error_ = QString::fromStdString(texts.error);
        points_.append(QPointF(double(n_), *value));
        singlePrecision_ = singlePrecision;
        if (experiment)
            standardErrors_.append(standardError_.value_or(std::nan("")));
        if (method_ == compare::Method::Polygon && n_ >= 3)
            outerPoints_.append(QPointF(double(n_), polygon::circumscribed(n_)));
    }
    return cleared;
}

void Reading::clearValue()
{
    digits_.clear();
    error_.clear();
    standardError_.reset();
}

void Reading::clear()
{
    n_ = 0;
    clearValue();
    points_.clear();
    outerPoints_.clear();
    standardErrors_.clear();
}

int Reading::correct() const
{
    return digits_.isEmpty() ? 0 : correctDigits(digits_.toStdString(), standardError_);
}

QString Reading::valueText() const
{
    return error_.isEmpty() ? digits_ : tr("%1 ± %2", "an estimate and its standard error").arg(digits_, error_);
}

QString Reading::markedDigits() const
{
    // Underlined as well as coloured, for pupils who do not see the colour.
    qsizetype n = qsizetype(digits::agreeing(digits_.toStdString()));
    if (standardError_) {
        const int counted = correct();
        n = std::min(n, counted > 0 ? qsizetype(counted) + 1 : 0); // the point with them
    }
    const QString marked =
        QStringLiteral("<span style=\"color:#006400; text-decoration:underline; font-weight:bold\">%1</span>"
                       "<span style=\"color:#c00000\">%2</span>")
            .arg(digits_.left(n).toHtmlEscaped(), digits_.mid(n).toHtmlEscaped());
    return error_.isEmpty() ? marked
                            : tr("%1 ± %2", "an estimate and its standard error").arg(marked, error_.toHtmlEscaped());
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

QString Reading::valueName() const { return digits_.isEmpty() ? tr("いまの値 なし") : tr("いまの値 %1").arg(valueText()); }

QString Reading::correctName() const
{
    return digits_.isEmpty() ? tr("正しい桁数 なし") : tr("正しい桁数 %n 桁", nullptr, correct());
}

QString Reading::spokenReadings() const
{
    QStringList parts{valueName(), correctName()};
    if (n_ > 0)
        parts << stepText();
    if (const QString bracket = bracketText(); !bracket.isEmpty())
        parts << bracket;
    return parts.join(tr("、"));
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
    if (!digits_.isEmpty())
        description += tr("、") + correctName();
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

QString Reading::csv() const
{
    QString text = QStringLiteral("n,value,error,correct digits,standard error,lower bound,upper bound\n");
    for (qsizetype i = 0; i < points_.size(); ++i) {
        const std::int64_t n = std::int64_t(points_[i].x());
        const double value = points_[i].y();
        std::optional<double> standardError;
        if (i < standardErrors_.size() && !std::isnan(standardErrors_[i]))
            standardError = standardErrors_[i];
        const digits::WithError texts = shownDigits(value, singlePrecision_, standardError);
        const polygon::Bracket bracket = method_ == compare::Method::Polygon ? polygon::bracket(n) : polygon::Bracket{};
        const QStringList cells{
            QString::number(n),
            QString::fromStdString(singlePrecision_ ? rt::Plain(float(value)) : rt::Plain(value)),
            QString::fromStdString(compare::exactText(compare::error(value))),
            QString::number(correctDigits(texts.value, standardError)),
            QString::fromStdString(texts.error),
            QString::fromStdString(bracket.lower),
            QString::fromStdString(bracket.upper),
        };
        text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

} // namespace lesson

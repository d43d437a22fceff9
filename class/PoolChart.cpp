// SPDX-License-Identifier: GPL-3.0-or-later
#include "PoolChart.h"

#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace classroom {

namespace {

constexpr double z95 = 1.96;
const QColor poolColour(20, 60, 160);
const QColor bandColour(120, 160, 230, 70);
const QColor piColour(200, 30, 30);
const QColor pupilColour(230, 120, 0, 150);

// 10 with its exponent raised, centred on x: the same in every language.
// Set by hand: the Japanese faces have no superscript digits.
void drawPowerOfTen(QPainter& painter, double x, double top, int exponent)
{
    const QFont base = painter.font();
    QFont small = base;
    small.setPointSizeF(base.pointSizeF() * 0.7);
    const QFontMetricsF big(base, painter.device()), little(small, painter.device());
    const QString ten = QStringLiteral("10"), power = QString::number(exponent);
    const double width = big.horizontalAdvance(ten) + little.horizontalAdvance(power);
    const double left = x - width / 2;
    painter.drawText(QPointF(left, top + big.ascent() + little.ascent() * 0.35), ten);
    painter.setFont(small);
    painter.drawText(QPointF(left + big.horizontalAdvance(ten), top + little.ascent()), power);
    painter.setFont(base);
}

// The tick step for a span: 1, 2 or 5 times a power of ten, about five ticks.
double tickStep(double span)
{
    const double rough = span / 5;
    const double power = std::pow(10, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

} // namespace

PoolChart::PoolChart(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PoolChart::setPool(classthrows::Experiment experiment, const QList<PoolPoint>& history,
                        const QList<PupilPoint>& pupils)
{
    experiment_ = experiment;
    history_ = history;
    pupils_ = pupils;
    update();
}

double PoolChart::halfBand(classthrows::Experiment experiment, double n)
{
    // What the throws of the true pi would spread by: the standard error at
    // a million throws, scaled by 1/√n.
    constexpr std::uint64_t reference = 1'000'000;
    const double p = experiment == classthrows::Experiment::Points ? std::numbers::pi / 4 : 1 / std::numbers::pi;
    const auto at = classthrows::estimate(experiment, reference, std::uint64_t(std::llround(p * reference)));
    return n > 0 && at ? z95 * at->standardError * std::sqrt(double(reference) / n) : 0;
}

void PoolChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, rect());
}

void PoolChart::paint(QPainter& painter, const QRectF& area) const
{
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(std::clamp(area.height() / 32, 8.0, 16.0));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();

    // The axes' ranges: whole decades of n, and pi give or take the band at
    // the smallest n, widened for the dots that stray beyond it.
    std::uint64_t least = 0, most = 0;
    const auto include = [&](std::uint64_t n) {
        if (n == 0)
            return;
        least = least == 0 ? n : std::min(least, n);
        most = std::max(most, n);
    };
    for (const PoolPoint& p : history_)
        include(p.n);
    for (const PupilPoint& p : pupils_)
        include(p.n);
    const int lowDecade = least ? int(std::floor(std::log10(double(least)))) : 3;
    // A little room after the pool's last point, which moves on to the right.
    const double highDecade = std::max(most ? std::log10(double(most)) + 0.15 : 6.0, lowDecade + 2.0);
    const double pi = std::numbers::pi;
    double spread = halfBand(experiment_, std::pow(10, lowDecade)) * 1.2;
    for (const PupilPoint& p : pupils_)
        spread = std::max(spread, std::abs(p.estimate - pi) * 1.05);
    for (const PoolPoint& p : history_)
        if (std::isfinite(p.estimate)) { // the first defined one strays the most
            spread = std::max(spread, std::abs(p.estimate - pi) * 1.05);
            break;
        }
    spread = std::clamp(spread, 0.001, 1.0);

    const double step = tickStep(2 * spread);
    const int decimals = std::max(0, int(std::ceil(-std::log10(step))));
    const double widest = metrics.horizontalAdvance(QString::number(pi, 'f', decimals)) + line;
    const QRectF plot = area.adjusted(widest + line * 0.5, line * 2.6, -line * 1.2, -line * 2.6);
    const auto x = [&](double n) {
        return plot.left() + (std::log10(n) - lowDecade) / (highDecade - lowDecade) * plot.width();
    };
    const auto y = [&](double v) { return plot.center().y() - (v - pi) / spread * plot.height() / 2; };

    // The band, narrowing with 1/√n.
    QPainterPath band;
    const int samples = 64;
    for (int i = 0; i <= samples; ++i) {
        const double n = std::pow(10, lowDecade + (highDecade - lowDecade) * double(i) / samples);
        const QPointF p(x(n), y(pi + halfBand(experiment_, n)));
        i == 0 ? band.moveTo(p) : band.lineTo(p);
    }
    for (int i = samples; i >= 0; --i) {
        const double n = std::pow(10, lowDecade + (highDecade - lowDecade) * double(i) / samples);
        band.lineTo(x(n), y(pi - halfBand(experiment_, n)));
    }
    painter.setClipRect(plot);
    painter.fillPath(band, bandColour);

    // The grid and the ticks.
    painter.setClipping(false);
    painter.setPen(QPen(QColor(210, 210, 210), 1));
    for (int d = lowDecade; d <= highDecade; ++d)
        painter.drawLine(QPointF(x(std::pow(10, d)), plot.top()), QPointF(x(std::pow(10, d)), plot.bottom()));
    painter.setPen(Qt::black);
    for (int d = lowDecade; d <= highDecade; ++d)
        drawPowerOfTen(painter, x(std::pow(10, d)), plot.bottom() + line * 0.15, d);
    for (double v = std::ceil((pi - spread) / step) * step; v <= pi + spread + 1e-12; v += step) {
        painter.setPen(QPen(QColor(225, 225, 225), 1));
        painter.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        painter.setPen(Qt::black);
        const QRectF label(area.left(), y(v) - line / 2, widest, line);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(v, 'f', decimals));
    }
    painter.drawRect(plot);
    painter.drawText(QRectF(plot.left(), plot.bottom() + line * 1.5, plot.width(), line), Qt::AlignHCenter,
                     tr("投げた数 n（対数目盛）"));

    // Pi, dashed.
    painter.setPen(QPen(piColour, 2, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y(pi)), QPointF(plot.right(), y(pi)));

    painter.setClipRect(plot.adjusted(-4, -4, 4, 4));
    // Each pupil's own estimate.
    painter.setPen(Qt::NoPen);
    painter.setBrush(pupilColour);
    const double dot = std::max(3.0, line * 0.3);
    for (const PupilPoint& p : pupils_)
        if (p.n > 0)
            painter.drawEllipse(QPointF(x(double(p.n)), y(std::clamp(p.estimate, pi - spread, pi + spread))), dot, dot);

    // The pool after each chunk, one point a pixel at most: a long session
    // has tens of thousands.
    QPolygonF pool;
    double lastX = -1e9;
    for (const PoolPoint& p : history_) {
        if (p.n == 0 || !std::isfinite(p.estimate))
            continue;
        const QPointF point(x(double(p.n)), y(std::clamp(p.estimate, pi - spread, pi + spread)));
        if (point.x() - lastX >= 1 || &p == &history_.last()) {
            pool.append(point);
            lastX = point.x();
        }
    }
    painter.setPen(QPen(poolColour, std::max(2.0, line * 0.2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(pool);
    if (!pool.isEmpty()) {
        painter.setBrush(poolColour);
        painter.drawEllipse(pool.last(), dot * 1.3, dot * 1.3);
    }
    painter.setClipping(false);

    // The legend, in a row above the plot, in a smaller face where the
    // row would not fit.
    const struct {
        QString text;
        int kind;
    } keys[] = {{tr("クラス全体"), 0}, {tr("ひとりひとり"), 1}, {tr("1/√n の幅（95%）"), 2}, {tr("π"), 3}};
    QFont legendFont = font;
    const double room = area.right() - plot.left();
    const auto needed = [&keys](const QFontMetricsF& m) {
        double width = 0;
        for (const auto& key : keys)
            width += m.height() * 2.9 + m.horizontalAdvance(key.text);
        return width;
    };
    while (legendFont.pointSizeF() > 6 && needed(QFontMetricsF(legendFont, painter.device())) > room)
        legendFont.setPointSizeF(legendFont.pointSizeF() * 0.9);
    painter.setFont(legendFont);
    const QFontMetricsF legend(legendFont, painter.device());
    const double gap = legend.height();
    double at = plot.left();
    const double row = area.top() + line * 0.8;
    for (const auto& key : keys) {
        const QRectF sample(at, row, gap * 1.6, gap);
        switch (key.kind) {
        case 0:
            painter.setPen(QPen(poolColour, std::max(2.0, line * 0.2)));
            painter.drawLine(QPointF(sample.left(), sample.center().y()), QPointF(sample.right(), sample.center().y()));
            break;
        case 1:
            painter.setPen(Qt::NoPen);
            painter.setBrush(pupilColour);
            painter.drawEllipse(sample.center(), dot, dot);
            break;
        case 2:
            painter.fillRect(sample.adjusted(0, gap * 0.15, 0, -gap * 0.15), bandColour);
            break;
        default:
            painter.setPen(QPen(piColour, 2, Qt::DashLine));
            painter.drawLine(QPointF(sample.left(), sample.center().y()), QPointF(sample.right(), sample.center().y()));
        }
        painter.setPen(Qt::black);
        const double width = legend.horizontalAdvance(key.text);
        painter.drawText(QRectF(sample.right() + gap * 0.3, row, width + 2, gap), Qt::AlignLeft | Qt::AlignVCenter,
                         key.text);
        at = sample.right() + gap * 0.3 + width + gap;
    }
    painter.restore();
}

bool PoolChart::save(const QString& path, const QString& title, const QString& description) const
{
    // The same size whatever the window's, legible on a slide.
    const QSize size(1200, 800);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setResolution(96); // a browser's pixels: shown 1200 wide
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(title);
        svg.setDescription(description);
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        painter.setFont(font());
        paint(painter, QRectF(QPointF(), size));
        return painter.end();
    }
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font());
    paint(painter, QRectF(QPointF(), size));
    painter.end();
    return image.save(path);
}

} // namespace classroom

// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormulaPicture.h"

#include "platform/Controls.h"
#include "platform/accessible/Signs.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace series::formula {

Row product(std::initializer_list<QString> factors)
{
    Row row;
    for (const QString& f : factors) {
        if (!row.empty())
            row.push_back(text(QStringLiteral("·")));
        row.push_back(text(f));
    }
    return row;
}

Row squares(std::initializer_list<QString> bases)
{
    Row row;
    for (const QString& b : bases) {
        if (!row.empty())
            row.push_back(text(QStringLiteral("·")));
        row.push_back(power(b, QStringLiteral("2")));
    }
    return row;
}

namespace {

const QString italicPi = QStringLiteral("𝜋");

// Extent of a laid-out piece around its baseline, in pixels.
struct Box {
    double width = 0;
    double ascent = 0;
    double descent = 0;
};

// Proportions of the classic inline style, relative to the main text size.
constexpr double fractionScale = 0.9;
constexpr double exponentScale = 0.62;
constexpr double exponentRaise = 0.40;
constexpr double operatorSpace = 0.24;
constexpr double fractionPad = 0.14;

class Setter {
public:
    explicit Setter(const QPaintDevice* device) : device_(device) {}

    QFont font(double pixels) const
    {
        // A Latin serif for the maths; the Mincho faces cover anything it lacks.
        QFont f = platform::japaneseFont(platform::Face::Mincho, 12);
        QStringList families{QStringLiteral("DejaVu Math TeX Gyre"), QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                             QStringLiteral("Times New Roman")};
        families += f.families();
        f.setFamilies(families);
        f.setPixelSize(std::max(1, int(std::lround(pixels))));
        f.setHintingPreference(QFont::PreferFullHinting);
        return f;
    }

    // The italic pi of the maths face, or the plain letter where the faces
    // at hand lack it.
    QString shown(const QString& s) const
    {
        if (!s.contains(italicPi))
            return s;
        const QFontMetricsF m(font(12), const_cast<QPaintDevice*>(device_));
        if (m.inFontUcs4(0x1D70B))
            return s;
        QString plain = s;
        return plain.replace(italicPi, QStringLiteral("π"));
    }

    Box ink(const QString& raw, double pixels) const
    {
        const QString s = shown(raw);
        const QFontMetricsF m(font(pixels), const_cast<QPaintDevice*>(device_));
        const QRectF r = m.tightBoundingRect(s);
        return {m.horizontalAdvance(s), std::max(0.0, -r.top()), std::max(0.0, r.bottom())};
    }

    // Height of the fraction bar above the baseline: the middle of a minus.
    double axis(double pixels) const
    {
        const QFontMetricsF m(font(pixels), const_cast<QPaintDevice*>(device_));
        return -m.tightBoundingRect(QStringLiteral("−")).center().y();
    }

    double barThickness(double pixels) const { return std::max(1.0, std::round(pixels * 0.06)); }
    double barGap(double pixels) const { return std::max(1.5, pixels * 0.09); }

    Box measure(const Row& row, double pixels) const
    {
        Box total;
        for (const Item& item : row) {
            if (item.kind == Item::Kind::Open || item.kind == Item::Kind::Close)
                continue;
            merge(total, measureItem(item, pixels));
        }
        const Box fence = fenceBox(total, pixels);
        for (const Item& item : row)
            if (item.kind == Item::Kind::Open || item.kind == Item::Kind::Close)
                merge(total, fence);
        return total;
    }

    void paint(QPainter& painter, const Row& row, double pixels, double x, double baseline) const
    {
        Box inner;
        for (const Item& item : row)
            if (item.kind != Item::Kind::Open && item.kind != Item::Kind::Close)
                merge(inner, measureItem(item, pixels));
        const Box fence = fenceBox(inner, pixels);
        for (const Item& item : row) {
            const bool isFence = item.kind == Item::Kind::Open || item.kind == Item::Kind::Close;
            const Box box = isFence ? fence : measureItem(item, pixels);
            paintItem(painter, item, pixels, x, baseline, box);
            x += box.width;
        }
    }

private:
    static void merge(Box& total, const Box& b)
    {
        total.width += b.width;
        total.ascent = std::max(total.ascent, b.ascent);
        total.descent = std::max(total.descent, b.descent);
    }

    Box fenceBox(const Box& inner, double pixels) const
    {
        const double height = inner.ascent + inner.descent;
        return {std::max(0.34 * pixels, 0.16 * height) + 0.12 * pixels, inner.ascent + 0.5, inner.descent + 0.5};
    }

    Box measureItem(const Item& item, double pixels) const
    {
        switch (item.kind) {
        case Item::Kind::Text:
            return ink(item.text, pixels);
        case Item::Kind::Operator: {
            Box b = ink(item.text, pixels);
            b.width += 2 * operatorSpace * pixels;
            return b;
        }
        case Item::Kind::Power: {
            const Box base = ink(item.text, pixels);
            const Box exp = ink(item.exponent, pixels * exponentScale);
            const double raise = exponentRaise * pixels;
            return {base.width + 0.04 * pixels + exp.width, std::max(base.ascent, raise + exp.ascent),
                    std::max(base.descent, exp.descent - raise)};
        }
        case Item::Kind::Fraction: {
            const double part = pixels * fractionScale;
            const Box num = measure(item.numerator, part);
            const Box den = measure(item.denominator, part);
            const double half = barThickness(pixels) / 2, gap = barGap(pixels), ax = axis(pixels);
            return {std::max(num.width, den.width) + 2 * fractionPad * pixels,
                    ax + half + gap + num.ascent + num.descent, den.ascent + den.descent + gap + half - ax};
        }
        case Item::Kind::Open:
        case Item::Kind::Close:
            break;
        }
        return {};
    }

    void paintItem(QPainter& painter, const Item& item, double pixels, double x, double baseline, const Box& box) const
    {
        switch (item.kind) {
        case Item::Kind::Text:
            painter.setFont(font(pixels));
            painter.drawText(QPointF(x, baseline), shown(item.text));
            break;
        case Item::Kind::Operator:
            painter.setFont(font(pixels));
            painter.drawText(QPointF(x + operatorSpace * pixels, baseline), shown(item.text));
            break;
        case Item::Kind::Power: {
            painter.setFont(font(pixels));
            painter.drawText(QPointF(x, baseline), shown(item.text));
            const double baseWidth = ink(item.text, pixels).width;
            painter.setFont(font(pixels * exponentScale));
            painter.drawText(QPointF(x + baseWidth + 0.04 * pixels, std::round(baseline - exponentRaise * pixels)),
                             item.exponent);
            break;
        }
        case Item::Kind::Fraction: {
            const double part = pixels * fractionScale;
            const Box num = measure(item.numerator, part);
            const Box den = measure(item.denominator, part);
            const double thick = barThickness(pixels), gap = barGap(pixels);
            // Whole pixel rows keep the bar sharp.
            const double barTop = std::round(baseline - axis(pixels) - thick / 2);
            const double pad = fractionPad * pixels;
            painter.fillRect(QRectF(std::round(x + pad * 0.5), barTop, std::round(box.width - pad), thick), Qt::black);
            const double numBaseline = std::floor(barTop - gap - num.descent);
            const double denBaseline = std::ceil(barTop + thick + gap + den.ascent);
            paint(painter, item.numerator, part, x + (box.width - num.width) / 2, numBaseline);
            paint(painter, item.denominator, part, x + (box.width - den.width) / 2, denBaseline);
            break;
        }
        case Item::Kind::Open:
        case Item::Kind::Close:
            paintFence(painter, item.kind == Item::Kind::Open, pixels, x, baseline, box);
            break;
        }
    }

    // A crescent, thick in the middle and thin at the tips, like a typeset
    // parenthesis stretched to the height of what it encloses.
    void paintFence(QPainter& painter, bool opening, double pixels, double x, double baseline, const Box& box) const
    {
        const double top = baseline - box.ascent, bottom = baseline + box.descent, h = bottom - top;
        const double side = 0.06 * pixels;
        const double w = box.width - 2 * side;
        const double dir = opening ? 1 : -1;
        const double tip = opening ? x + side + w : x + side;
        const double outer = tip - dir * w * 1.25;
        const double inner = outer + dir * std::max(1.2, 0.09 * pixels) * 1.33;
        QPainterPath path;
        path.moveTo(tip, top);
        path.cubicTo(outer, top + 0.28 * h, outer, bottom - 0.28 * h, tip, bottom);
        path.cubicTo(inner, bottom - 0.28 * h, inner, top + 0.28 * h, tip, top);
        painter.setPen(QPen(Qt::black, 0.5));
        painter.setBrush(Qt::black);
        painter.drawPath(path);
        painter.setBrush(Qt::NoBrush);
    }

    const QPaintDevice* device_;
};

} // namespace

namespace {

// A sign or a run of text as a teacher reads it aloud.
QString spoken(const QString& s)
{
    QString plain = platform::accessible::spokenSign(s);
    return plain.replace(italicPi, platform::accessible::spokenPi());
}

QString wordsOf(const Row& row);

// A numerator of several factors is read as one group: 1²·2² over 3·4·5·6.
QString numeratorWords(const Row& row)
{
    QStringList factors{QString()};
    Row factor;
    for (const Item& item : row) {
        if (item.kind == Item::Kind::Text && item.text == QStringLiteral("·")) {
            factors.back() = wordsOf(factor).trimmed();
            factors.append(QString());
            factor.clear();
        } else {
            factor.push_back(item);
        }
    }
    factors.back() = wordsOf(factor).trimmed();
    return platform::accessible::spokenProduct(factors);
}

QString wordsOf(const Row& row)
{
    QString out;
    for (const Item& item : row) {
        switch (item.kind) {
        case Item::Kind::Text:
        case Item::Kind::Operator:
            out += spoken(item.text);
            break;
        case Item::Kind::Power:
            out += platform::accessible::spokenPower(spoken(item.text), item.exponent);
            break;
        case Item::Kind::Fraction:
            out += platform::accessible::spokenFraction(numeratorWords(item.numerator), wordsOf(item.denominator));
            break;
        case Item::Kind::Open:
            out += platform::accessible::spokenOpenBracket();
            break;
        case Item::Kind::Close:
            out += platform::accessible::spokenCloseBracket();
            break;
        }
    }
    return out;
}

} // namespace

QString words(const Row& row)
{
    return wordsOf(row).simplified();
}

QImage render(const Row& row, QSize size, int visibleHeight, qreal ratio)
{
    if (ratio <= 0)
        ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage image(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.setText(QStringLiteral("Description"), words(row));
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    const int height = visibleHeight > 0 ? std::min(visibleHeight, size.height()) : size.height();

    const Setter setter(&image);
    const double margin = 3;
    // The largest whole-pixel text size at which the row fits.
    double pixels = height;
    Box box = setter.measure(row, pixels);
    while (pixels > 6 && (box.width > size.width() - 2 * margin || box.ascent + box.descent > height - 2)) {
        pixels -= 0.5;
        box = setter.measure(row, pixels);
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    const double x = std::round((size.width() - box.width) / 2);
    const double baseline = std::round((height - (box.ascent + box.descent)) / 2 + box.ascent);
    setter.paint(painter, row, pixels, x, baseline);
    return image;
}

} // namespace series::formula

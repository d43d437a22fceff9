// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"

#include "accessible/Factory.h"
#include "accessible/Narrator.h"
#include "accessible/Reading.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace platform {

namespace {
constexpr int borderPixels = 2;
constexpr int dotsPerMeter96 = 3780; // 96 dpi, so points size text as on screen
} // namespace

PictureBox::PictureBox(QWidget* container, const char* name, Twips at, const Options& options)
    : QWidget(container), options_(options), font_(japaneseFont(Face::Gothic, options.fontPoints))
{
    accessible::install();

    setObjectName(QString::fromLatin1(name));
    setGeometry(pxRect(at.left, at.top, at.width, at.height).translated(contentOrigin(container)));
    // Backed at the highest ratio of the screens, so the drawing is crisp
    // wherever the window goes.
    ratio_ = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    pen_ = std::max(1, int(std::lround(ratio_)));
    const QSize area = drawingArea().size().expandedTo(QSize(1, 1));
    image_ = QImage(int(std::ceil(area.width() * ratio_)), int(std::ceil(area.height() * ratio_)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.setDotsPerMeterX(dotsPerMeter96);
    image_.setDotsPerMeterY(dotsPerMeter96);
    image_.fill(toQColor(options_.background));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A surface with a border holds a page or a drawing: a stop in the tab
    // chain, so that a reader gets to it by keyboard.
    if (options.border)
        setFocusPolicy(Qt::TabFocus);
}

QRect PictureBox::drawingArea() const
{
    const int b = options_.border ? borderPixels : 0;
    return rect().adjusted(b, b, -b, -b);
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

QString PictureBox::pictureDescription() const
{
    return picture_.text(QStringLiteral("Description"));
}

QString PictureBox::printedText() const
{
    // Indentation is layout, not words: a reader gets each line trimmed.
    QStringList lines;
    QString line;
    for (const PrintedText& piece : printed_) {
        line += piece.text;
        if (piece.endsLine) {
            if (!line.trimmed().isEmpty())
                lines += line.trimmed();
            line.clear();
        }
    }
    if (!line.trimmed().isEmpty())
        lines += line.trimmed();
    return lines.join(QLatin1Char('\n'));
}

void PictureBox::setDescription(const QString& description)
{
    narrator::publish(this, [this, description] {
        setAccessibleDescription(description);
        // With nothing printed the description is the drawing's name, which
        // a reader that reached it by Tab hears anew.
        if (printed_.empty() && QAccessible::isActive()) {
            QAccessibleEvent named(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&named);
        }
    });
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    // A reader's arrows move from paragraph to paragraph of the page.
    const QString text = accessible::readingOf(*this).text;
    QList<int> starts{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\n'))
            starts += i + 1;
    const qsizetype at = std::max<qsizetype>(0, std::upper_bound(starts.begin(), starts.end(), caret_) - starts.begin() - 1);
    qsizetype to = at;
    switch (event->key()) {
    case Qt::Key_Up: to = std::max<qsizetype>(at - 1, 0); break;
    case Qt::Key_Down: to = std::min(at + 1, starts.size() - 1); break;
    case Qt::Key_Home: case Qt::Key_PageUp: to = 0; break;
    case Qt::Key_End: case Qt::Key_PageDown: to = starts.size() - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    if (starts[to] == caret_)
        return;
    caret_ = starts[to];
    if (QAccessible::isActive()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(this);
        QAccessibleTextCursorEvent moved(this, iface && iface->textInterface() ? iface->textInterface()->cursorPosition() : caret_);
        QAccessible::updateAccessibility(&moved);
    }
}

void PictureBox::Cls()
{
    image_.fill(toQColor(options_.background));
    currentX_ = currentY_ = 0;
    caret_ = 0;
    if (!printed_.empty()) {
        const QString removed = accessible::readingOf(*this).text;
        printed_.clear();
        textChanged(0, QString(), removed);
    }
    changed();
}

void PictureBox::setFontSize(double points)
{
    font_.setPointSizeF(points);
}

double PictureBox::lineHeight() const
{
    // One em of the current size: the line advance the pages were laid out
    // for. The IPA faces report a taller box than the MS faces they stand
    // in for, which would push the last lines of a page off the surface.
    const double emPixels = font_.pointSizeF() * image_.logicalDpiY() / 72.0;
    return emPixels * twipsPerPixel / options_.twipsPerUnitY;
}

double PictureBox::textWidth(const QString& text) const
{
    return QFontMetricsF(font_, &image_).horizontalAdvance(text);
}

QPointF PictureBox::toLogical(double x, double y) const
{
    return QPointF(x * options_.twipsPerUnitX / twipsPerPixel, y * options_.twipsPerUnitY / twipsPerPixel);
}

QPoint PictureBox::toPixel(double x, double y) const
{
    const QPointF p = toLogical(x, y);
    return QPoint(int(std::lround(p.x())), int(std::lround(p.y())));
}

int PictureBox::penStart(double logical) const
{
    // The first device pixel of a pen centred where the logical pixel is;
    // at ratio 1 simply the rounded coordinate.
    return int(std::lround(logical * ratio_ + (ratio_ - pen_) / 2));
}

void PictureBox::Print()
{
    currentX_ = 0;
    currentY_ += lineHeight();
}

void PictureBox::Print(const QString& text, PrintEnd end)
{
    const QPointF at = toLogical(currentX_, currentY_);
    QFontMetricsF metrics(font_, &image_);
    const double advance = metrics.horizontalAdvance(text);
    {
        // Transparent background: only the glyphs are painted; the image
        // clips whatever runs past its edges.
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(toQColor(foreColor_));
        painter.drawText(at + QPointF(0, metrics.ascent()), text);
    }
    if (end == StayOnLine) {
        currentX_ += advance * twipsPerPixel / options_.twipsPerUnitX;
    } else {
        currentX_ = 0;
        currentY_ += lineHeight();
    }
    const bool readerOn = QAccessible::isActive();
    const int position = readerOn ? int(accessible::readingOf(*this).text.size()) : 0;
    printed_.push_back({text, at, font_, advance, end != StayOnLine, end == WrapLine});
    if (readerOn) {
        const QString after = accessible::readingOf(*this).text;
        textChanged(position, after.mid(position), QString());
    }
    changed();
}

void PictureBox::textChanged(int position, const QString& inserted, const QString& removed)
{
    // Only with a reader listening: building the text costs more than the
    // print itself.
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, position, removed);
        QAccessible::updateAccessibility(&event);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(this, position, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void PictureBox::fill(int x, int y, int width, int height, QRgb colour)
{
    // Clipped to the image: what lies off the surface is lost.
    const int left = std::max(x, 0), right = std::min(x + width, image_.width());
    const int top = std::max(y, 0), bottom = std::min(y + height, image_.height());
    if (left >= right)
        return;
    for (int row = top; row < bottom; ++row) {
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
        std::fill(line + left, line + right, colour);
    }
}

void PictureBox::PSet(float x, float y, rt::Colour colour)
{
    // One logical pixel: a block of device pixels, tiling with its neighbours.
    const QPoint p = toPixel(x, y);
    const int left = int(std::lround(p.x() * ratio_)), top = int(std::lround(p.y() * ratio_));
    fill(left, top, int(std::lround((p.x() + 1) * ratio_)) - left, int(std::lround((p.y() + 1) * ratio_)) - top,
         toQColor(colour).rgb());
    currentX_ = x;
    currentY_ = y;
    changed();
}

void PictureBox::drawLinePixels(QPointF a, QPointF b, QRgb colour)
{
    // Bresenham in device pixels, both ends included, one logical pixel
    // thick: the pen spreads across the minor axis only, so slanted lines
    // keep the weight they have at ratio 1 and step at device resolution.
    // Pixels off the image are skipped; a line with an end beyond 2^15
    // logical pixels is dropped whole, so that a wild coordinate cannot
    // stall us.
    constexpr double limit = 1 << 15;
    if (std::abs(a.x()) > limit || std::abs(a.y()) > limit || std::abs(b.x()) > limit || std::abs(b.y()) > limit)
        return;
    int x0 = penStart(a.x()), y0 = penStart(a.y());
    const int x1 = penStart(b.x()), y1 = penStart(b.y());
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const bool acrossX = dx >= -dy;
    if (pen_ > 1) {
        fill(x0, y0, pen_, pen_, colour);
        fill(x1, y1, pen_, pen_, colour);
    }
    int error = dx + dy;
    for (;;) {
        if (acrossX)
            fill(x0, y0, 1, pen_, colour);
        else
            fill(x0, y0, pen_, 1, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void PictureBox::Line(float x1, float y1, float x2, float y2, rt::Colour colour)
{
    drawLinePixels(toLogical(x1, y1), toLogical(x2, y2), toQColor(colour).rgb());
    currentX_ = x2;
    currentY_ = y2;
    changed();
}

void PictureBox::Line(float x2, float y2, rt::Colour colour)
{
    Line(float(currentX_), float(currentY_), x2, y2, colour);
}

void PictureBox::Circle(float x, float y, float radius, rt::Colour colour, Fill fillWith)
{
    // The radius is measured in units across; the circle is round in pixels.
    // Midpoint circle in device pixels; as for lines, the pen spreads inwards
    // across the minor axis of each octant.
    const QPointF centre = toLogical(x, y);
    const double logicalRadius = std::abs(radius) * options_.twipsPerUnitX / twipsPerPixel;
    const QRgb rgb = toQColor(colour).rgb();
    // A wild centre or radius is clipped whole.
    constexpr double limit = 1 << 15;
    if (logicalRadius > limit || std::abs(centre.x()) > 2 * limit || std::abs(centre.y()) > 2 * limit) {
        currentX_ = x;
        currentY_ = y;
        return;
    }
    const int r = int(std::lround(logicalRadius * ratio_));
    const int cx = penStart(centre.x()), cy = penStart(centre.y());
    const int spread = pen_ - 1;
    // Right, left, bottom and top positions at an offset from the centre.
    const auto right = [&](int d) { return cx + spread + d; };
    const auto left = [&](int d) { return cx - d; };
    const auto bottom = [&](int d) { return cy + spread + d; };
    const auto top = [&](int d) { return cy - d; };
    // The inside first, row by row within the outline's reach.
    if (fillWith == Fill::Solid)
        for (int row = -r; row <= r; ++row) {
            const int half = int(std::sqrt(double(r) * r - double(row) * row));
            fill(left(half), row < 0 ? top(-row) : bottom(row), 2 * half + 1 + spread, 1, rgb);
        }
    int dx = r, dy = 0, error = 1 - r;
    while (dx >= dy) {
        fill(right(dx) - spread, bottom(dy), pen_, 1, rgb);
        fill(left(dx), bottom(dy), pen_, 1, rgb);
        fill(right(dx) - spread, top(dy), pen_, 1, rgb);
        fill(left(dx), top(dy), pen_, 1, rgb);
        fill(right(dy), bottom(dx) - spread, 1, pen_, rgb);
        fill(left(dy), bottom(dx) - spread, 1, pen_, rgb);
        fill(right(dy), top(dx), 1, pen_, rgb);
        fill(left(dy), top(dx), 1, pen_, rgb);
        ++dy;
        if (error < 0) {
            error += 2 * dy + 1;
        } else {
            --dx;
            error += 2 * (dy - dx) + 1;
        }
    }
    currentX_ = x;
    currentY_ = y;
    changed();
}

void PictureBox::changed()
{
    // One repaint request per burst of drawing calls, not one per call.
    if (!updateQueued_) {
        updateQueued_ = true;
        update(drawingArea());
    }
}

void PictureBox::paintEvent(QPaintEvent*)
{
    updateQueued_ = false;
    QPainter painter(this);
    const QRect area = drawingArea();
    painter.drawImage(area.topLeft(), image_);
    if (!picture_.isNull()) {
        painter.setClipRect(area);
        painter.drawImage(area.topLeft(), picture_);
        painter.setClipping(false);
    }
    if (options_.border) {
        const QRect r = rect();
        const QPalette& pal = palette();
        // Sunken: shadow outside, dark inside along the top and left edges.
        // Whole logical pixels, so that no line spills into the drawing
        // area at a fractional or doubled pixel ratio.
        const int w = r.width(), h = r.height();
        painter.fillRect(QRect(r.left(), r.top(), w - 1, 1), pal.color(QPalette::Dark));
        painter.fillRect(QRect(r.left(), r.top(), 1, h - 1), pal.color(QPalette::Dark));
        painter.fillRect(QRect(r.left(), r.bottom(), w, 1), pal.color(QPalette::Light));
        painter.fillRect(QRect(r.right(), r.top(), 1, h), pal.color(QPalette::Light));
        painter.fillRect(QRect(r.left() + 1, r.top() + 1, w - 3, 1), pal.color(QPalette::Shadow));
        painter.fillRect(QRect(r.left() + 1, r.top() + 1, 1, h - 3), pal.color(QPalette::Shadow));
        painter.fillRect(QRect(r.left() + 1, r.bottom() - 1, w - 2, 1), pal.color(QPalette::Midlight));
        painter.fillRect(QRect(r.right() - 1, r.top() + 1, 1, h - 2), pal.color(QPalette::Midlight));
    }
}

} // namespace platform

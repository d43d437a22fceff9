#include "PictureBox.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cstdlib>
#include <optional>

namespace platform {

namespace {
constexpr int borderPixels = 2;
constexpr int dotsPerMeter96 = 3780; // 96 dpi, so points size text as on screen
} // namespace

PictureBox::PictureBox(QWidget* container, const char* name, Twips at, const Options& options)
    : QWidget(container), options_(options), font_(japaneseFont(Face::Gothic, options.fontPoints))
{
    setObjectName(QString::fromLatin1(name));
    setGeometry(pxRect(at.left, at.top, at.width, at.height).translated(contentOrigin(container)));
    const QRect area = drawingArea();
    image_ = QImage(area.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.setDotsPerMeterX(dotsPerMeter96);
    image_.setDotsPerMeterY(dotsPerMeter96);
    image_.fill(toQColor(options_.background));
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void PictureBox::Cls()
{
    image_.fill(toQColor(options_.background));
    currentX_ = currentY_ = 0;
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

QPoint PictureBox::toPixel(double x, double y) const
{
    return QPoint(int(std::lround(x * options_.twipsPerUnitX / twipsPerPixel)),
                  int(std::lround(y * options_.twipsPerUnitY / twipsPerPixel)));
}

void PictureBox::Print()
{
    currentX_ = 0;
    currentY_ += lineHeight();
}

void PictureBox::Print(const QString& text, PrintEnd end)
{
    const QPointF at(currentX_ * options_.twipsPerUnitX / twipsPerPixel,
                     currentY_ * options_.twipsPerUnitY / twipsPerPixel);
    QFontMetricsF metrics(font_, &image_);
    {
        // Transparent background: only the glyphs are painted; the image
        // clips whatever runs past its edges.
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(toQColor(foreColor_));
        painter.drawText(at + QPointF(0, metrics.ascent()), text);
    }
    if (end == StayOnLine) {
        currentX_ += metrics.horizontalAdvance(text) * twipsPerPixel / options_.twipsPerUnitX;
    } else {
        currentX_ = 0;
        currentY_ += lineHeight();
    }
    changed();
}

void PictureBox::plot(int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
}

void PictureBox::PSet(float x, float y, rt::Colour colour)
{
    const QPoint p = toPixel(x, y);
    plot(p.x(), p.y(), toQColor(colour).rgb());
    currentX_ = x;
    currentY_ = y;
    changed();
}

void PictureBox::drawLinePixels(QPoint a, QPoint b, QRgb colour)
{
    // Bresenham, both ends included; pixels off the image are skipped one
    // by one. A line with an end beyond 2^15 pixels is dropped whole, so that
    // a wild coordinate cannot stall us.
    constexpr int limit = 1 << 15;
    if (std::abs(a.x()) > limit || std::abs(a.y()) > limit || std::abs(b.x()) > limit || std::abs(b.y()) > limit)
        return;
    int x0 = a.x(), y0 = a.y();
    const int x1 = b.x(), y1 = b.y();
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        plot(x0, y0, colour);
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
    drawLinePixels(toPixel(x1, y1), toPixel(x2, y2), toQColor(colour).rgb());
    currentX_ = x2;
    currentY_ = y2;
    changed();
}

void PictureBox::Line(float x2, float y2, rt::Colour colour)
{
    Line(float(currentX_), float(currentY_), x2, y2, colour);
}

void PictureBox::Circle(float x, float y, float radius, rt::Colour colour)
{
    // The radius is measured in units across; the circle is round in pixels.
    const QPoint c = toPixel(x, y);
    const int r = int(std::lround(std::abs(radius) * options_.twipsPerUnitX / twipsPerPixel));
    const QRgb rgb = toQColor(colour).rgb();
    if (r > (1 << 15))
        return;
    int dx = r, dy = 0, error = 1 - r;
    while (dx >= dy) {
        plot(c.x() + dx, c.y() + dy, rgb);
        plot(c.x() - dx, c.y() + dy, rgb);
        plot(c.x() + dx, c.y() - dy, rgb);
        plot(c.x() - dx, c.y() - dy, rgb);
        plot(c.x() + dy, c.y() + dx, rgb);
        plot(c.x() - dy, c.y() + dx, rgb);
        plot(c.x() + dy, c.y() - dx, rgb);
        plot(c.x() - dy, c.y() - dx, rgb);
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
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter.setPen(pal.color(QPalette::Shadow));
        painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
        painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
        painter.setPen(pal.color(QPalette::Midlight));
        painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }
}

void PrintPage(PictureBox& box, const PrintedPage& page)
{
    std::optional<int> palette;
    for (const std::vector<PrintPiece>& row : page) {
        if (row.empty()) {
            box.Print();
            continue;
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (palette != row[i].palette) {
                palette = row[i].palette;
                box.setForeColor(rt::QBColor(*palette));
            }
            const bool lineGoesOn = i + 1 < row.size();
            box.Print(QString::fromUtf8(row[i].text), lineGoesOn ? PictureBox::StayOnLine : PictureBox::EndLine);
        }
    }
}

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface: a retained image inside a sunken border, with text
// output that follows a print position, and points, lines and circles in the
// surface's own units. Drawings survive hiding and being covered. The image
// holds device pixels at the screen's pixel ratio while every coordinate
// stays logical, and what is printed is kept as text for screen readers.
#pragma once

#include "Controls.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include <vector>

namespace platform {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    struct Options {
        bool border = true;                 // 2-pixel sunken border
        rt::Colour background = 0xFFFFFF;   // white
        double twipsPerUnitX = 1;           // 1 = the twip scale
        double twipsPerUnitY = 1;
        double fontPoints = 9;              // the default face, this size
    };

    PictureBox(QWidget* container, const char* name, Twips at, const Options& options);

    // Inner rectangle, in widget pixels, that the drawing fills.
    QRect drawingArea() const;
    // The retained drawing, in device pixels (its devicePixelRatio says how
    // many to a logical pixel).
    const QImage& image() const { return image_; }

    // A fixed bitmap at the top-left corner of the drawing area. Its
    // "Description" text, if any, is what a screen reader says for it.
    void setPicture(const QImage& picture);
    QString pictureDescription() const;

    // One Print of a text since the last Cls, as it was laid out.
    struct PrintedText {
        QString text;
        QPointF at;       // top-left, drawing-area pixels
        QFont font;
        double advance;   // width in pixels
        bool endsLine;
        bool wraps = false; // ends a row broken to fit: the paragraph goes on
    };
    const std::vector<PrintedText>& printed() const { return printed_; }
    // The printed lines in order, without their indentation, one line each.
    QString printedText() const;
    // What the drawing shows now, for a screen reader; at the narrator's
    // pace during a run.
    void setDescription(const QString& description);
    // The reader's caret: the start of the paragraph a reader is on.
    int caret() const { return caret_; }

    void Cls();
    // WrapLine ends a row that a paragraph too wide for the surface was
    // broken at; a reader joins the next row to it.
    enum PrintEnd { EndLine, StayOnLine, WrapLine };
    void Print();
    void Print(const QString& text, PrintEnd end = EndLine);
    void setForeColor(rt::Colour colour) { foreColor_ = colour; }
    rt::Colour foreColor() const { return foreColor_; }
    void setFontSize(double points);
    double fontSize() const { return font_.pointSizeF(); }

    void PSet(float x, float y, rt::Colour colour);
    void Line(float x1, float y1, float x2, float y2, rt::Colour colour);
    void Line(float x2, float y2, rt::Colour colour); // from the current position
    enum class Fill { None, Solid };
    void Circle(float x, float y, float radius, rt::Colour colour, Fill fill = Fill::None);

    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }

    // Unit coordinates to drawing-area pixels, as every drawing call maps them.
    QPoint toPixel(double x, double y) const;
    // Width in pixels of a text printed in the current font.
    double textWidth(const QString& text) const;
    // Height of a printed line in units for the current font.
    double lineHeight() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointF toLogical(double x, double y) const;
    int penStart(double logical) const;
    void fill(int x, int y, int width, int height, QRgb colour);
    void drawLinePixels(QPointF a, QPointF b, QRgb colour);
    void changed();
    void textChanged(int position, const QString& inserted, const QString& removed);

    Options options_;
    qreal ratio_ = 1;
    int pen_ = 1; // device pixels across a line or circle outline
    QImage image_;
    QImage picture_;
    std::vector<PrintedText> printed_;
    QFont font_;
    rt::Colour foreColor_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    bool updateQueued_ = false;
    int caret_ = 0;
};

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons, labels, shapes and lines placed in twips on a window or a
// picture box. Twips become pixels in this layer only: here for the
// controls, in PictureBox for its drawing units.
#pragma once

#include "rules/Runtime.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>

#include <cmath>
#include <optional>

namespace platform {

constexpr double twipsPerPixel = 15.0;

inline int px(double twips) { return int(std::lround(twips / twipsPerPixel)); }
inline QRect pxRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// Geometry of a control in twips, as the window designs give it.
struct Twips {
    int left, top, width, height;
};

QColor toQColor(rt::Colour colour);

// The Japanese proportional faces: the names the designs use, then the
// installed faces that stand in for them.
enum class Face { Gothic, Mincho };
QFont japaneseFont(Face face, double points, bool bold = false);
// With a translation into a Latin script, a Latin face of the same kind
// goes first; the Japanese faces stay behind it for what it lacks.
void setLatinFaces(bool on);

// Where child controls go: a picture box keeps them inside its border.
QPoint contentOrigin(QWidget* container);

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(QWidget* container, const char* name, const QString& caption, Twips at, bool enabled = true);
};

enum class Alignment { LeftJustify, Center };
enum class BorderStyle { None, FixedSingle };

struct LabelStyle {
    Face face = Face::Gothic;
    double points = 12;
    bool bold = false;
    Alignment alignment = Alignment::LeftJustify;
    BorderStyle borderStyle = BorderStyle::None;
    std::optional<rt::Colour> background; // none: the container's colour
    std::optional<rt::Colour> foreColor;  // none: window text
    bool stopHint = false;                 // read only while a run is on
};

class Label : public QLabel {
    Q_OBJECT
public:
    Label(QWidget* container, const char* name, const QString& caption, Twips at, const LabelStyle& style);
    // Repaints at once; a screen reader hears of it at the narrator's pace.
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

    // Read before the caption, for a counter that shows only numbers.
    void setSpokenCaption(const QString& caption) { spokenCaption_ = caption; }
    bool isStopHint() const { return stopHint_; }
    // What a screen reader reads: nothing for the stop hint outside a run.
    QString spokenText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString spokenCaption_;
    bool stopHint_;
};

// A rectangle outline drawn on its container, beneath windowed controls.
class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(QWidget* container, const char* name, Twips at, rt::Colour border = 0, int borderWidth = 1);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int width_;
};

// A straight one-pixel line between two points of its container.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* container, const char* name, int x1, int y1, int x2, int y2,
         std::optional<rt::Colour> colour = std::nullopt);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPoint from_, to_;
    std::optional<rt::Colour> colour_;
};

} // namespace platform

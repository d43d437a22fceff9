// SPDX-License-Identifier: GPL-3.0-or-later
#include "Controls.h"
#include "accessible/Factory.h"
#include "accessible/Narrator.h"
#include "accessible/Signs.h"
#include "PictureBox.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPainter>

namespace platform {

QColor toQColor(rt::Colour colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

namespace {
bool latinFaces = false;
}

void setLatinFaces(bool on)
{
    latinFaces = on;
}

QFont japaneseFont(Face face, double points, bool bold)
{
    QFont font;
    // After the design's faces, the Ume P faces: measured on every printed
    // row and caption, they fit where the design's faces do, and the IPA P
    // faces run wider (tools/facewidths prints the table).
    if (face == Face::Gothic)
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                          QStringLiteral("Ume P Gothic"), QStringLiteral("IPAPGothic"),
                          QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    else
        font.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho"),
                          QStringLiteral("Ume P Mincho"), QStringLiteral("IPAPMincho"),
                          QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")});
    if (latinFaces) {
        QStringList families = font.families();
        families.prepend(face == Face::Gothic ? QStringLiteral("DejaVu Sans") : QStringLiteral("DejaVu Serif"));
        font.setFamilies(families);
    }
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QPoint contentOrigin(QWidget* container)
{
    if (auto* box = qobject_cast<PictureBox*>(container))
        return box->drawingArea().topLeft();
    return QPoint(0, 0);
}

namespace {

QRect place(QWidget* container, const Twips& at)
{
    return pxRect(at.left, at.top, at.width, at.height).translated(contentOrigin(container));
}
} // namespace

CommandButton::CommandButton(QWidget* container, const char* name, const QString& caption, Twips at, bool enabled)
    : QPushButton(caption, container)
{
    setObjectName(QString::fromLatin1(name));
    setGeometry(place(container, at));
    setEnabled(enabled);
    // Enter clicks the focused button, as in the engine (see Runtime.h).
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
}

Label::Label(QWidget* container, const char* name, const QString& caption, Twips at, const LabelStyle& style)
    : QLabel(caption, container), stopHint_(style.stopHint)
{
    accessible::install();
    // QLabel tells the accessibility bus of every new text unless the label
    // has an accessible name of its own; the name is never read (see
    // platform/accessible), and setCaption sends the change at the narrator's pace.
    setAccessibleName(QStringLiteral("Label"));
    setObjectName(QString::fromLatin1(name));
    setGeometry(place(container, at));
    setTextFormat(Qt::PlainText);
    setFont(japaneseFont(style.face, style.points, style.bold));
    setAlignment((style.alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (style.borderStyle == BorderStyle::FixedSingle) {
        setFrameShape(QFrame::Box);
        setLineWidth(1);
    }
    QPalette pal = palette();
    if (style.background) {
        pal.setColor(QPalette::Window, toQColor(*style.background));
        setAutoFillBackground(true);
    }
    if (style.foreColor)
        pal.setColor(QPalette::WindowText, toQColor(*style.foreColor));
    setPalette(pal);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setCaption(const QString& caption)
{
    const bool changed = caption != text();
    setText(caption);
    if (changed)
        narrator::publish(this, [this] { narrator::notify(this, QAccessible::NameChanged); });
}

QString Label::spokenText() const
{
    if (text().isEmpty() || (stopHint_ && !narrator::running(this)))
        return {};
    return accessible::spokenProse(spokenCaption_.isEmpty() ? text() : spokenCaption_ + QLatin1Char(' ') + text());
}

void Label::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    // A plain box takes the text colour; the single-line frame is drawn over
    // it in the system's window-text colour, whatever colour the text has.
    if (frameShape() == QFrame::Box) {
        QPainter painter(this);
        const QColor frame = QApplication::palette(this).color(QPalette::WindowText);
        const QRect r = rect();
        const int w = lineWidth();
        painter.fillRect(QRect(r.left(), r.top(), r.width(), w), frame);
        painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), frame);
        painter.fillRect(QRect(r.left(), r.top(), w, r.height()), frame);
        painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), frame);
    }
}

Shape::Shape(QWidget* container, const char* name, Twips at, rt::Colour border, int borderWidth)
    : QWidget(container), colour_(toQColor(border)), width_(borderWidth)
{
    setObjectName(QString::fromLatin1(name));
    setGeometry(place(container, at));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(colour_, width_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const int inset = width_ / 2;
    painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

Line::Line(QWidget* container, const char* name, int x1, int y1, int x2, int y2, std::optional<rt::Colour> colour)
    : QWidget(container), colour_(colour)
{
    setObjectName(QString::fromLatin1(name));
    const QPoint origin = contentOrigin(container);
    const QPoint a = QPoint(px(x1), px(y1)) + origin;
    const QPoint b = QPoint(px(x2), px(y2)) + origin;
    const QRect bounds = QRect(a, b).normalized().adjusted(0, 0, 1, 1);
    setGeometry(bounds);
    from_ = a - bounds.topLeft();
    to_ = b - bounds.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_ ? toQColor(*colour_) : palette().color(QPalette::WindowText), 1));
    painter.drawLine(from_, to_);
}

} // namespace platform

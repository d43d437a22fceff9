// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <QCoreApplication>

#include "Reading.h"
#include "platform/PictureBox.h"

#include <QFontMetricsF>

namespace platform::accessible {

PictureBoxAccessible::PictureBoxAccessible(PictureBox* box) : QAccessibleWidget(box) {}

PictureBox* PictureBoxAccessible::box() const { return static_cast<PictureBox*>(widget()); }

QAccessible::Role PictureBoxAccessible::role() const
{
    return box()->pictureDescription().isEmpty() ? QAccessible::StaticText : QAccessible::Graphic;
}

QAccessible::State PictureBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    return s;
}

QString PictureBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = box()->accessibleName();
        if (!name.isEmpty())
            return name;
        // A Tab stop read as a bare "label" says nothing: an empty surface
        // is named for what it will hold.
        const QString shown = content();
        return shown.isEmpty() ? QCoreApplication::translate("platform::narrator", "説明と図（まだ空です）") : shown;
    }
    return QAccessibleWidget::text(t);
}

void* PictureBoxAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int PictureBoxAccessible::cursorPosition() const
{
    const QString description = box()->pictureDescription();
    return box()->caret() + (description.isEmpty() || box()->printed().empty() ? 0 : int(description.size()) + 1);
}

QString PictureBoxAccessible::text(int startOffset, int endOffset) const
{
    return content().mid(startOffset, endOffset - startOffset);
}

int PictureBoxAccessible::characterCount() const { return int(content().size()); }

QRect PictureBoxAccessible::characterRect(int offset) const
{
    const std::optional<Source> source = sourceOf(offset);
    if (!source)
        return {};
    const PictureBox::PrintedText& piece = box()->printed()[source->piece];
    const QFontMetricsF metrics(piece.font, &box()->image());
    const QRectF local(piece.at.x() + metrics.horizontalAdvance(piece.text.left(source->index)), piece.at.y(),
                       metrics.horizontalAdvance(piece.text.mid(source->index, 1)), metrics.height());
    const QPoint origin = box()->mapToGlobal(box()->drawingArea().topLeft());
    return local.toAlignedRect().translated(origin);
}

QString PictureBoxAccessible::content() const
{
    const QString description = box()->pictureDescription();
    const QString printed = readingOf(*box()).text;
    // A drawing with nothing printed is read as what it shows.
    if (description.isEmpty())
        return printed.isEmpty() ? box()->accessibleDescription() : printed;
    return printed.isEmpty() ? description : description + QLatin1Char('\n') + printed;
}

// The printed piece and character an offset of the text stands for; none
// for a description, a line break or a sign read in words.
std::optional<PictureBoxAccessible::Source> PictureBoxAccessible::sourceOf(int offset) const
{
    const QString description = box()->pictureDescription();
    if (!description.isEmpty())
        offset -= int(description.size()) + 1;
    const Reading reading = readingOf(*box());
    if (offset < 0 || offset >= int(reading.sources.size()) || reading.sources[std::size_t(offset)].second < 0)
        return std::nullopt;
    const auto [piece, index] = reading.sources[std::size_t(offset)];
    return Source{piece, index};
}

} // namespace platform::accessible

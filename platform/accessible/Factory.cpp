// SPDX-License-Identifier: GPL-3.0-or-later
#include "Factory.h"

#include "Announcement.h"
#include "Narrator.h"
#include "Reading.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QLineEdit>

#include <optional>

namespace platform::accessible {

namespace {

// A counter's name is its spoken text: nothing for the stop hint outside a
// run, and the caption a counter of bare numbers is read with.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<Label*>(widget())->spokenText();
        return QAccessibleWidget::text(t);
    }
};

// What a screen reader gets from a surface: the printed lines as static
// text, or the picture's description for a formula picture.
class PictureBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PictureBoxAccessible(PictureBox* box) : QAccessibleWidget(box) {}

    PictureBox* box() const { return static_cast<PictureBox*>(widget()); }

    QAccessible::Role role() const override
    {
        return box()->pictureDescription().isEmpty() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = box()->accessibleName();
            return name.isEmpty() ? content() : name;
        }
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // Read-only text: no selection, the caret stays at the start.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override
    {
        const QString description = box()->pictureDescription();
        return box()->caret() + (description.isEmpty() || box()->printed().empty() ? 0 : int(description.size()) + 1);
    }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

    QString text(int startOffset, int endOffset) const override
    {
        return content().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(content().size()); }

    QRect characterRect(int offset) const override
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

    int offsetAtPoint(const QPoint& point) const override
    {
        for (int offset = 0, count = characterCount(); offset < count; ++offset)
            if (characterRect(offset).contains(point))
                return offset;
        return -1;
    }

    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        Q_UNUSED(offset);
        return {};
    }

private:
    struct Source {
        std::size_t piece;
        int index;
    };

    QString content() const
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
    std::optional<Source> sourceOf(int offset) const
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
};

// A text field: the input box's, a file dialog's name. Qt's own interface
// gives every character a text attribute run of no length; Orca joins the
// runs of a line and so reads it without its last character ("10 selected"
// for 100). Here one run spans the whole text, which a field shows in one
// face. Fields that hide what is typed keep Qt's interface.
class InputFieldAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
public:
    explicit InputFieldAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !edit()->isReadOnly();
        s.readOnly = edit()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return edit()->text();
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int index, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *startOffset = edit()->selectionStart();
            *endOffset = edit()->selectionEnd();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        return edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(edit()->text().size()); }

    QRect characterRect(int offset) const override
    {
        // The text starts where the caret stands before its first character.
        const QString text = edit()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        const QFontMetrics metrics(edit()->font());
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int left = caret.center().x() - metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const QRect local(left + metrics.horizontalAdvance(text.left(offset)), caret.top(),
                          metrics.horizontalAdvance(text.mid(offset, 1)), caret.height());
        return local.translated(edit()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }
};

QAccessibleInterface* factory(const QString& key, QObject* object)
{
    // A window is a frame to a screen reader, which reads its title.
    if (key == QLatin1String(Form::staticMetaObject.className()))
        if (auto* form = qobject_cast<Form*>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    if (key == QLatin1String(Announcement::staticMetaObject.className()))
        if (auto* announcement = qobject_cast<Announcement*>(object))
            return new QAccessibleWidget(announcement, QAccessible::Notification);
    if (key == QLatin1String(Label::staticMetaObject.className()))
        if (auto* label = qobject_cast<Label*>(object))
            return new LabelAccessible(label);
    if (key == QLatin1String(QLineEdit::staticMetaObject.className()))
        if (auto* edit = qobject_cast<QLineEdit*>(object); edit && edit->echoMode() == QLineEdit::Normal)
            return new InputFieldAccessible(edit);
    if (key == QLatin1String(PictureBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<PictureBox*>(object))
            return new PictureBoxAccessible(box);
    return nullptr;
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace platform::accessible

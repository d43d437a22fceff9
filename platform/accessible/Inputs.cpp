// SPDX-License-Identifier: GPL-3.0-or-later
#include "Inputs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace platform::accessible {

InputFieldAccessible::InputFieldAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* InputFieldAccessible::edit() const { return static_cast<QLineEdit*>(widget()); }

QAccessible::State InputFieldAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !edit()->isReadOnly();
    s.readOnly = edit()->isReadOnly();
    s.selectableText = true;
    return s;
}

QString InputFieldAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return edit()->text();
    return QAccessibleWidget::text(t);
}

void* InputFieldAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void InputFieldAccessible::selection(int index, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (index == 0 && edit()->hasSelectedText()) {
        *startOffset = edit()->selectionStart();
        *endOffset = edit()->selectionEnd();
    }
}

int InputFieldAccessible::selectionCount() const { return edit()->hasSelectedText() ? 1 : 0; }

void InputFieldAccessible::removeSelection(int) { edit()->deselect(); }

void InputFieldAccessible::setSelection(int, int startOffset, int endOffset)
{
    edit()->setSelection(startOffset, endOffset - startOffset);
}

int InputFieldAccessible::cursorPosition() const { return edit()->cursorPosition(); }

void InputFieldAccessible::setCursorPosition(int position) { edit()->setCursorPosition(position); }

QString InputFieldAccessible::text(int startOffset, int endOffset) const
{
    return edit()->text().mid(startOffset, endOffset - startOffset);
}

int InputFieldAccessible::characterCount() const { return int(edit()->text().size()); }

QRect InputFieldAccessible::characterRect(int offset) const
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

int InputFieldAccessible::offsetAtPoint(const QPoint& point) const
{
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

QString InputFieldAccessible::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void InputFieldAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
}

ChoiceAccessible::ChoiceAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

QComboBox* ChoiceAccessible::box() const { return static_cast<QComboBox*>(widget()); }

QString ChoiceAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return box()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State ChoiceAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = box()->view()->isVisible();
    s.readOnly = true;
    return s;
}

void* ChoiceAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString ChoiceAccessible::text(int startOffset, int endOffset) const
{
    return box()->currentText().mid(startOffset, endOffset - startOffset);
}

int ChoiceAccessible::characterCount() const { return int(box()->currentText().size()); }

} // namespace platform::accessible

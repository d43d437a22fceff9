// SPDX-License-Identifier: GPL-3.0-or-later
// Where the user types or chooses a value.
#pragma once

#include "Texts.h"

class QComboBox;
class QLineEdit;

namespace platform::accessible {

// Workaround(Qt 6.4): empty attribute runs per character make Orca drop a field's last character.
// A text field: the input box's, a file dialog's name. Qt's own interface
// gives every character a text attribute run of no length; Orca joins the
// runs of a line and so reads it without its last character ("10 selected"
// for 100). Here one run spans the whole text, which a field shows in one
// face. Fields that hide what is typed keep Qt's interface.
class InputFieldAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
public:
    explicit InputFieldAccessible(QLineEdit* edit);

    QLineEdit* edit() const;

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    void selection(int index, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override;
    void setSelection(int, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int) override { setCursorPosition(startIndex); }
    QString attributes(int, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override;
};

// Workaround(Qt 6.4): a combo box's items have no AT-SPI selection, so Orca finds no value.
// A combo box nobody types into, such as the comparison's N box. Qt 6.4
// offers a combo box's items without AT-SPI's selection, so Orca finds no
// value in a box that is not editable; this one answers with its current
// text as its text.
class ChoiceAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit ChoiceAccessible(QComboBox* box);

    QComboBox* box() const;

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
};

} // namespace platform::accessible

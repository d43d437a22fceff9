// SPDX-License-Identifier: GPL-3.0-or-later
// Labels and other text a screen reader reads but nobody edits.
#pragma once

#include <QAccessibleWidget>

namespace platform {
class Label;
}

namespace platform::accessible {

// The text interface of a text nobody edits: no selection, the caret at
// the start unless the widget knows better, one attribute run over it all.
// What remains is the text itself and, where known, where its characters
// stand.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint& point) const override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
};

// A counter's name is its spoken text: nothing for the stop hint outside a
// run, and the caption a counter of bare numbers is read with.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label);
    QString text(QAccessible::Text t) const override;
};

// A caption that a reading carries in its own name: not read twice.
class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QAccessible::State state() const override;
};

} // namespace platform::accessible

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Texts.h"

#include "platform/Controls.h"

namespace platform::accessible {

int ReadOnlyText::offsetAtPoint(const QPoint& point) const
{
    for (int offset = 0, count = characterCount(); offset < count; ++offset)
        if (characterRect(offset).contains(point))
            return offset;
    return -1;
}

QString ReadOnlyText::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

LabelAccessible::LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

QString LabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return static_cast<Label*>(widget())->spokenText();
    return QAccessibleWidget::text(t);
}

QAccessible::State CaptionAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.invisible = true;
    s.offscreen = true;
    return s;
}

} // namespace platform::accessible

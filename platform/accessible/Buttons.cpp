// SPDX-License-Identifier: GPL-3.0-or-later
#include "Buttons.h"

#include <QAbstractButton>

namespace platform::accessible {

ToggleAccessible::ToggleAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

QAbstractButton* ToggleAccessible::button() const { return static_cast<QAbstractButton*>(widget()); }

QString ToggleAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return button()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State ToggleAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = button()->isChecked();
    s.pressed = button()->isDown();
    return s;
}

QStringList ToggleAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ToggleAccessible::doAction(const QString& action)
{
    if (action != pressAction())
        return QAccessibleWidget::doAction(action);
    if (button()->isEnabled())
        button()->animateClick();
}

} // namespace platform::accessible

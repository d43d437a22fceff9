// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons where Qt's own interface says the wrong thing.
#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

namespace platform::accessible {

// A checkable push button read as a push button whose name says what a
// press will do, not as a check box that is checked.
class ToggleAccessible : public QAccessibleWidget {
public:
    explicit ToggleAccessible(QAbstractButton* button);

    QAbstractButton* button() const;

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
};

} // namespace platform::accessible

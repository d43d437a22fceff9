// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window says something to the screen reader unasked: a child with
// no size, no focus and no mouse, which the accessible factory shows as a
// notification. Each announcement hides and shows it again.
#pragma once

#include <QWidget>

namespace platform::accessible {

class Announcement : public QWidget {
    Q_OBJECT
public:
    explicit Announcement(QWidget* window);

    // The one of this widget's window, made when first asked for.
    static Announcement* of(QWidget* widget);

    void say(const QString& text);
};

} // namespace platform::accessible

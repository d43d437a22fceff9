// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcement.h"

#include <QTimer>

namespace platform::accessible {

Announcement::Announcement(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("announcement"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

Announcement* Announcement::of(QWidget* widget)
{
    QWidget* window = widget->window();
    if (auto* existing = window->findChild<Announcement*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new Announcement(window);
}

void Announcement::say(const QString& text)
{
    // Workaround(Orca 43): a notification is spoken only as it starts showing.
    // Orca speaks a notification as it starts showing, so it shows anew.
    hide();
    setAccessibleName(text);
    show();
    // Gone once said: a window shown again would have it read anew.
    QTimer::singleShot(2000, this, [this, text] {
        if (accessibleName() == text)
            hide();
    });
}

} // namespace platform::accessible

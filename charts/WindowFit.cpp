// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFit.h"

#include <algorithm>

namespace charts {

QRect fittedGeometry(const QRect& available, const QMargins& frame, QSize wanted)
{
    const QSize room = available.marginsRemoved(frame).size();
    const QSize client(std::clamp(wanted.width(), 1, std::max(room.width(), 1)),
                       std::clamp(wanted.height(), 1, std::max(room.height(), 1)));
    const QSize outer = client.grownBy(frame);
    const QPoint corner(available.left() + std::max(0, (available.width() - outer.width()) / 2),
                        available.top() + std::max(0, (available.height() - outer.height()) / 2));
    return QRect(corner + QPoint(frame.left(), frame.top()), client);
}

} // namespace charts

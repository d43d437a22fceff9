// SPDX-License-Identifier: GPL-3.0-or-later
// Where a top-level window goes on a screen that may be smaller than the
// window would like, as a projector at a large scale makes it.
#pragma once

#include <QMargins>
#include <QRect>

namespace charts {

// The client geometry of a window that would like to be `wanted` (frame not
// included), shrunk so that it and its `frame` fit inside `available`, and
// centred there. Never larger than `available`, however small that is.
QRect fittedGeometry(const QRect& available, const QMargins& frame, QSize wanted);

// The frame of common desktops, for a window not yet shown: a few pixels
// of border and a title bar of up to about 32.
inline constexpr QMargins typicalFrame{8, 32, 8, 8};

} // namespace charts

// SPDX-License-Identifier: GPL-3.0-or-later
// Projector mode: every window as large as the screen lets the largest of
// them be, title bar included.
#pragma once

#include <QSize>

namespace shell {

// Client area, in pixels at scale 1, that the widest and the tallest window
// need together.
QSize largestClientArea();

// The largest scale, at most 3 and at least 1, at which a client area of
// `client` with a frame of `frame` fits into `available`, rounded down to a
// twentieth so that the windows' pixels fall on a simple grid.
double projectorScale(QSize available, QSize client, QSize frame);

// Sets QT_SCALE_FACTOR to the projector scale for the primary screen,
// learnt from a short-lived application; must run before the program's own
// application exists.
void setProjectorScale(int argc, char* argv[]);

} // namespace shell

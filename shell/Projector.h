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

// What must fit on the screen: the client area of the widest and the
// tallest window and the frame around it, or, with a window of client size
// `beside` standing next to the widest (lesson mode's controller), both
// windows side by side with their frames.
struct Needed {
    QSize client;
    QSize frame;
};
Needed neededArea(QSize beside = {});

// Sets QT_SCALE_FACTOR to the projector scale for the primary screen,
// learnt from a short-lived application; must run before the program's own
// application exists.
void setProjectorScale(int argc, char* argv[], QSize beside = {});

} // namespace shell

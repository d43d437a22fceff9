// SPDX-License-Identifier: GPL-3.0-or-later
// Projector mode: every window as large as the screen lets the largest of
// them be, title bar included.
#pragma once

#include "lesson/Lesson.h"

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

// The scale for a screen's available area, and in lesson mode the layout of
// the controller that stands beside the windows: the compact one where it
// lets the windows be larger than the full one does, the full one otherwise.
struct Choice {
    double scale;
    lesson::Layout controller;
};
Choice projectorChoice(QSize available, bool lesson);

// Sets QT_SCALE_FACTOR to the projector scale for the primary screen,
// learnt from a short-lived application; must run before the program's own
// application exists. Returns the lesson controller's layout. With `alone`,
// the client area of the one window shown (the class window), the scale
// is that window's.
lesson::Layout setProjectorScale(int argc, char* argv[], bool lesson, QSize alone = {});

} // namespace shell

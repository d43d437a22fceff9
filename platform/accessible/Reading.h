// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader reads of a printed page.
#pragma once

#include "platform/PictureBox.h"

#include <QString>

#include <cstddef>
#include <utility>
#include <vector>

namespace platform::accessible {

// The printed rows joined into paragraphs (a row indented less than its
// paragraph's first row, or after a row broken to fit, goes on with it), one
// paragraph a line, with the layout's leader dots left out and the signs of
// a formula in words. Each character knows where it was printed.
struct Reading {
    QString text;
    std::vector<std::pair<std::size_t, int>> sources; // piece, index; {-1,-1} at a line break
};
Reading readingOf(const PictureBox& box);

} // namespace platform::accessible

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Marks.h"

namespace platform {

namespace {
Marks current = designMarks();
}

// The design's points are a pixel across.
Marks designMarks() { return {rt::QBColor(12), rt::QBColor(2), false, 3, false}; }

// Vermilion and blue of Okabe and Ito's palette; points four pixels across
// or more, to be seen from the back of the room.
Marks projectorMarks() { return {rt::rgb(213, 94, 0), rt::rgb(0, 114, 178), true, 20, true}; }

const Marks& marks() { return current; }

void setMarks(const Marks& marks) { current = marks; }

} // namespace platform

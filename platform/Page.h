// SPDX-License-Identifier: GPL-3.0-or-later
// The explanation pages: printed paragraph by paragraph on a drawing
// surface, with their colour marks, and translated rows fitted to it.
#pragma once

#include "PictureBox.h"

#include <vector>

namespace platform {

// A page of text in paragraphs, each translated as a whole. In the source
// text "\n" ends a row and "{12|...}" prints a stretch in palette colour 12;
// the rest of a page is colour 0. An empty paragraph is an empty line.
struct PrintedPage {
    const char* context; // the translation context of the paragraphs
    std::vector<const char*> paragraphs; // UTF-8
};

// Prints the page from the current position, setting ForeColor only where
// the colour changes, as the explanation pages are written.
void PrintPage(PictureBox& box, const PrintedPage& page);

// One paragraph in the box's current colour, which it leaves as it found
// it. Untranslated, its rows are printed as the source breaks them; a
// translation is broken into rows by measurement, each row indented as the
// source's rows are, and none wider than the surface where a word allows.
void PrintParagraph(PictureBox& box, const char* context, const char* source);

} // namespace platform

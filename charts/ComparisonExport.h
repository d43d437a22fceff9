// SPDX-License-Identifier: GPL-3.0-or-later
// What the comparison window saves: the table as CSV and the chart as PNG
// or SVG. Apart from the picture, which is the widget as drawn, none of it
// needs the window.
#pragma once

#include <QString>

class QFont;
class QWidget;

namespace charts {

class ComparisonModel;

// The table's cells under a header of the methods' short names (which do
// not change with the language), one line per row.
QString comparisonCsv(const ComparisonModel& table);

// Writes the text as UTF-8, all of it or nothing.
bool writeCsv(const QString& path, const QString& text);

// A PNG is drawn at three times the widget's size, for a handout's print.
constexpr int printScale = 3;

// The widget as drawn: SVG, with the title and description given, where the
// path ends in .svg; PNG at printScale otherwise.
bool writePicture(QWidget& view, const QString& path, const QString& title, const QString& description);

// The SVG with each font named by the face that draws it with `font`'s
// families, so that other programs draw it with the same widths.
QString namingFacesUsed(const QString& svg, const QFont& font);

} // namespace charts

// SPDX-License-Identifier: GPL-3.0-or-later
// What the comparison window saves: the table as CSV and the chart as PNG
// or SVG. Apart from the picture, which is the widget as drawn, none of it
// needs the window.
#pragma once

#include <QString>

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

} // namespace charts

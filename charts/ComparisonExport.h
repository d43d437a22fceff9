// SPDX-License-Identifier: GPL-3.0-or-later
// What the comparison window saves: the table as CSV and the chart as PNG
// or SVG (ChartExport). Apart from the picture, which is the widget as
// drawn, none of it needs the window.
#pragma once

#include "ChartExport.h"

#include <QString>

namespace charts {

class ComparisonModel;

// The table's cells under a header of the methods' short names (which do
// not change with the language), one line per row.
QString comparisonCsv(const ComparisonModel& table);

} // namespace charts

// SPDX-License-Identifier: GPL-3.0-or-later
// Finds and loads the chart module on first use.
#pragma once

#include "ChartsModule.h"

#include <QString>

namespace compare {

// The loaded module, or null (with the reason in `why` when given).
const ChartsModule* chartsModule(QString* why = nullptr);

// Opens a new comparison window, deleted when closed; null without the module.
QWidget* openComparison(QWidget* parent = nullptr);

} // namespace compare

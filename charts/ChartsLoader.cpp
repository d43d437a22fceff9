// SPDX-License-Identifier: GPL-3.0-or-later
// Finds and loads the chart module on first use.
#include "ChartsModule.h"

#include "platform/Modules.h"

#include <QWidget>

namespace charts {

const ChartsModule* chartsModule(QString* why)
{
    static QString failure;
    static const ChartsModule* const module = [] {
        const auto entry = reinterpret_cast<SorvenaChartsEntry>(
            platform::moduleEntry(QStringLiteral("sorvena-charts.so"), SORVENA_CHARTS_ENTRY, &failure));
        return entry ? entry() : nullptr;
    }();
    if (why)
        *why = module ? QString() : failure;
    return module;
}

QWidget* openComparison(QWidget* parent)
{
    const ChartsModule* module = chartsModule();
    if (!module || !module->createComparison)
        return nullptr;
    QWidget* window = module->createComparison(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

} // namespace charts

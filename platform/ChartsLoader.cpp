// SPDX-License-Identifier: GPL-3.0-or-later
// Finds and loads the chart module on first use.
#include "charts/ChartsModule.h"

#include "platform/Marks.h"
#include "platform/Modules.h"
#include "platform/accessible/Factory.h"
#include "platform/accessible/Narrator.h"
#include "platform/accessible/Signs.h"

#include <QWidget>

namespace charts {

const ChartsModule* chartsModule(QString* why)
{
    static QString failure;
    static const ChartsModule* const module = [] {
        const auto entry = reinterpret_cast<SorvenaChartsEntry>(
            platform::moduleEntry(QStringLiteral("sorvena-charts.so"), SORVENA_CHARTS_ENTRY, &failure));
        const ChartsModule* loaded = entry ? entry() : nullptr;
        if (loaded && loaded->setVoice) {
            // Alone (--compare), no window of ours has installed the
            // interfaces the announcements are spoken through.
            platform::accessible::install();
            loaded->setVoice(programVoice());
        }
        if (loaded && loaded->setLargeNumbers)
            loaded->setLargeNumbers(platform::marks().largeNumbers);
        return loaded;
    }();
    if (why)
        *why = module ? QString() : failure;
    return module;
}

const Voice& programVoice()
{
    static const Voice voice{&platform::narrator::announce, &platform::accessible::spokenNumbers};
    return voice;
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

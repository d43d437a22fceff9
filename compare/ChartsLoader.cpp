// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartsLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

// Where the modules are installed, relative to the installed program.
#ifndef SORVENA_LIB_FROM_BIN
#define SORVENA_LIB_FROM_BIN "../lib/sorvena"
#endif

namespace compare {

const ChartsModule* chartsModule(QString* why)
{
    static const ChartsModule* module = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        failure = QStringLiteral("sorvena-charts.so not found");
        // Beside the program in the build tree, in its private folder once
        // installed.
        const QDir programDir(QCoreApplication::applicationDirPath());
        for (const QString& path : {programDir.filePath(QStringLiteral("sorvena-charts.so")),
                                    programDir.filePath(QStringLiteral(SORVENA_LIB_FROM_BIN "/sorvena-charts.so"))}) {
            if (!QFileInfo(path).isFile())
                continue;
            QLibrary library(path);
            library.setLoadHints(QLibrary::PreventUnloadHint);
            const auto entry = reinterpret_cast<SorvenaChartsEntry>(library.resolve(SORVENA_CHARTS_ENTRY));
            module = entry ? entry() : nullptr;
            if (module)
                break;
            failure = library.errorString();
        }
    }
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

} // namespace compare

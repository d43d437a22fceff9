// SPDX-License-Identifier: GPL-3.0-or-later
#include "Modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

// Where the modules are installed, relative to the installed program.
#ifndef SORVENA_LIB_FROM_BIN
#define SORVENA_LIB_FROM_BIN "../lib/sorvena"
#endif

namespace platform {

QFunctionPointer moduleEntry(const QString& file, const char* entry, QString* why)
{
    QString failure = file + QStringLiteral(" not found");
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& path : {programDir.filePath(file), programDir.filePath(QStringLiteral(SORVENA_LIB_FROM_BIN "/") + file)}) {
        if (!QFileInfo(path).isFile())
            continue;
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (const QFunctionPointer found = library.resolve(entry)) {
            if (why)
                why->clear();
            return found;
        }
        failure = library.errorString();
    }
    if (why)
        *why = failure;
    return nullptr;
}

} // namespace platform

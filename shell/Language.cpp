// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include "platform/Controls.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

namespace shell {

namespace {
const QString source = QStringLiteral("ja");

// "en-US" -> "en_US", "en"; the C and POSIX locales name no language.
QStringList candidates(const QString& language)
{
    QString name = language;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return {};
    QStringList names{name};
    const qsizetype cut = name.indexOf(QLatin1Char('_'));
    if (cut > 0)
        names += name.left(cut);
    return names;
}
} // namespace

QString installTranslation(const QStringList& languages)
{
    for (const QString& language : languages) {
        for (const QString& name : candidates(language)) {
            if (name == source)
                return {};
            const QString file = QStringLiteral(":/i18n/sorvena_%1.qm").arg(name);
            if (!QFile::exists(file))
                continue;
            // Lives as long as the program.
            auto* translator = new QTranslator(QCoreApplication::instance());
            if (!translator->load(file))
                continue;
            QCoreApplication::installTranslator(translator);
            platform::setLatinFaces(QLocale(name).script() == QLocale::LatinScript);
            return name;
        }
    }
    return {};
}

} // namespace shell

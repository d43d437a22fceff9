// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include "platform/Controls.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
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

// The first of the languages that Sorvena has a translation for; nothing
// where Japanese comes first or none is had.
QString firstTranslated(const QStringList& languages)
{
    for (const QString& language : languages)
        for (const QString& name : candidates(language)) {
            if (name == source)
                return {};
            if (QFile::exists(QStringLiteral(":/i18n/sorvena_%1.qm").arg(name)))
                return name;
        }
    return {};
}

// The translators installed by the last call, replaced by the next.
QList<QTranslator*>& installed()
{
    static QList<QTranslator*> translators;
    return translators;
}

bool install(const QString& file)
{
    // Lives as long as the program, or until the language changes.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed().append(translator);
    return true;
}

// Qt's own dialogs (the file dialog, a warning's buttons) speak the program's
// language too: Qt's catalogue for it, where the system has one
// (qt6-translations-l10n). English needs none.
void installQtTranslation(const QString& name)
{
    const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_%1.qm").arg(name);
    if (QFile::exists(file))
        install(file);
}

void uninstallAll()
{
    for (QTranslator* translator : std::as_const(installed())) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed().clear();
}
} // namespace

QString installTranslation(const QStringList& languages)
{
    uninstallAll();
    const QString name = firstTranslated(languages);
    if (name.isEmpty() || !install(QStringLiteral(":/i18n/sorvena_%1.qm").arg(name))) {
        installQtTranslation(source);
        return {};
    }
    installQtTranslation(name);
    platform::setLatinFaces(QLocale(name).script() == QLocale::LatinScript);
    return name;
}

} // namespace shell

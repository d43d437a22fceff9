// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the interface: the first of the user's languages that
// Sorvena has, otherwise Japanese, the language its texts are written in.
#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// Installs the translation for the first of the languages (as
// QLocale::uiLanguages gives them) that Sorvena has, and the faces for its
// script. Returns the translation's name ("en"), or nothing for Japanese.
QString installTranslation(const QStringList& languages);

} // namespace shell

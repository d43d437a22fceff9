// SPDX-License-Identifier: GPL-3.0-or-later
// The program's optional modules (sound, charts): shared libraries loaded
// when first needed, so that a start does not pay for what they link.
#pragma once

#include <QString>

namespace platform {

// The entry point named `entry` of the module file `file`, found beside the
// program in the build tree or in its private folder once installed; null,
// with the reason in `why` when given, if there is none. A module loaded
// stays loaded.
QFunctionPointer moduleEntry(const QString& file, const char* entry, QString* why = nullptr);

} // namespace platform

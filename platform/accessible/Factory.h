// SPDX-License-Identifier: GPL-3.0-or-later
// How the program's windows and controls show themselves to a screen
// reader: their accessible interfaces live here, apart from the widgets,
// and one factory gives them to Qt.
#pragma once

namespace platform::accessible {

// Installs the factory and the narrator of runs; the controls call it as
// they are made, and only the first call does anything.
void install();

} // namespace platform::accessible

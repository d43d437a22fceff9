// SPDX-License-Identifier: GPL-3.0-or-later
// How the program's windows and controls show themselves to a screen
// reader: their accessible interfaces live apart from the widgets, in the
// family files beside this one, and one factory gives them to Qt.
#pragma once

#include "Kind.h"

class QAccessibleEvent;
class QWidget;

namespace platform::accessible {

// Installs the factory and the narrator of runs; the controls call it as
// they are made, and only the first call does anything.
void install();

// Marks the widget as being of the kind, and installs the factory. Call it
// before anything makes the widget's interface: Qt keeps the first one.
void setKind(QWidget* widget, Kind kind);

// Whether a screen reader is told of the event: a field's selection only
// once the reader knows where the focus is.
bool heard(const QAccessibleEvent& event);

} // namespace platform::accessible

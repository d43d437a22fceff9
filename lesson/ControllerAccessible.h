// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told of some of the controller's widgets, where
// Qt's own interfaces say too little or too much.
#pragma once

class QWidget;

namespace lesson {

// Installs, once, the interfaces of the controller and of the widgets
// marked below.
void installAccessibleFactory();

// Marks a widget, before anything would make its interface: "toggle", a
// checkable push button read as a push button whose name says what a press
// will do; "caption", a caption that a reading carries in its own name.
void setAccessibleKind(QWidget* widget, const char* kind);

} // namespace lesson

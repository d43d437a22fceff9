// SPDX-License-Identifier: GPL-3.0-or-later
// What a widget is to a screen reader where its class does not say it. The
// kind is kept in a property, set before the widget's interface is made,
// and the program's one factory reads it. Header only: the chart module,
// which links no platform code, marks its widgets with it too.
#pragma once

namespace platform::accessible {

enum class Kind {
    Toggle,  // a checkable push button, read as a button named for what a press does
    Caption, // a caption that a reading carries in its own name: not read twice
    Frame,   // a window with a title, read as a frame
    Choice,  // a combo box that cannot be typed into, read by its current text
    Pane,    // a container a reader passes in silence, such as the pages of a tab widget
};

inline constexpr char kindProperty[] = "sorvenaAccessible";

constexpr const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Toggle: return "toggle";
    case Kind::Caption: return "caption";
    case Kind::Frame: return "frame";
    case Kind::Choice: return "choice";
    case Kind::Pane: return "pane";
    }
    return "";
}

} // namespace platform::accessible

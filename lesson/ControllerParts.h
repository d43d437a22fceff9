// SPDX-License-Identifier: GPL-3.0-or-later
// The controller's tempo choices and how its buttons are made.
#pragma once

#include "Pace.h"
#include "platform/accessible/Kind.h"

#include <QString>

#include <optional>

class QButtonGroup;
class QPushButton;
class QWidget;

namespace lesson {

struct TempoChoice {
    Tempo tempo;
    const char* caption;
    const char* meaning; // for the screen reader
};

// Slowest first: + moves right, − left.
extern const TempoChoice tempoChoices[5];

// A caption of the controller's, translated.
QString translated(const char* text);

// A button that Enter and Space press alike, and Tab reaches.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                    bool checkable = false, std::optional<platform::accessible::Kind> kind = std::nullopt);

// The Tab stop of a group of choices is the one chosen; the others are
// reached by the arrows.
void tabStopOnChecked(const QButtonGroup& group);

} // namespace lesson

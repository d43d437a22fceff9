// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a class session: its pool (resumed when the teacher says so), its
// server on the port and the class window. One at a time: opening another
// ends the one before.
#pragma once

#include "rules/ClassThrows.h"

#include <QtGlobal>

class QWidget;

namespace lesson {
class LessonController;
}

namespace shell {

enum class ClassStarted { Yes, No };

// Says why in a message box over `owner` and on standard error when it
// cannot start (the port taken, the database closed), and returns No.
// Prints the address and the code on standard output when it starts.
ClassStarted openClassSession(classthrows::Experiment experiment, quint16 port, QWidget* owner = nullptr);

// Lesson mode: beside Monte Carlo (Form19) and Buffon (Form20) the
// controller offers their class session, on the default port.
void offerClassSessions(lesson::LessonController& controller);

} // namespace shell

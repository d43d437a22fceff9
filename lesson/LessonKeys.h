// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's keys: P pause, S step, + and − tempo, M mute, C the class
// session beside the experiments, and the arrows through the controller's
// groups of choices. They work in the controller and in the window beside
// it, where no control uses them, and each says what it did.
#pragma once

#include <QCoreApplication>

class QKeyEvent;
class QWidget;

namespace lesson {

class ControllerView;
class Follower;
class Pace;

class LessonKeys {
    // The controller's texts, translated as they always were.
    Q_DECLARE_TR_FUNCTIONS(lesson::LessonController)
public:
    LessonKeys(ControllerView& view, Pace& pace, const Follower& follower);

    // A key pressed on `target`: true when it was one of lesson mode's.
    bool key(QWidget* target, const QKeyEvent& event);
    // Pause, resume or step, and say so in the window of `where`.
    void setPaused(bool paused, QWidget* where);
    void stepOnce(QWidget* where);

private:
    bool arrowInGroup(QWidget* target, int key);
    void setTempoBy(int change);

    ControllerView& view_;
    Pace& pace_;
    const Follower& follower_;
};

} // namespace lesson

// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's keys: P pause, S step, + and − tempo, M mute, R read the
// readings, F6 between the window and the controller, H hide and show the
// controller, C the class session beside the experiments, and the arrows
// through the controller's groups of choices. They work in the controller
// and in the window beside it, where no control uses them, and each says
// what it did.
#pragma once

#include <QCoreApplication>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace lesson {

class ControllerView;
class Follower;
class Pace;
class Reading;

class LessonKeys {
    // The controller's texts, translated as they always were.
    Q_DECLARE_TR_FUNCTIONS(lesson::LessonController)
public:
    LessonKeys(ControllerView& view, Pace& pace, Follower& follower, const Reading& reading);

    // A key pressed on `target`: true when it was one of lesson mode's.
    bool key(QWidget* target, const QKeyEvent& event);
    // Pause, resume or step, and say so in the window of `where`.
    void setPaused(bool paused, QWidget* where);
    void stepOnce(QWidget* where);
    // A run reported a step: after S, its n and value are said at once.
    void stepped(const QWidget& form);
    // What the keys are, said once as lesson mode starts.
    static QString hint();

private:
    bool arrowInGroup(QWidget* target, int key);
    // F6: from the window to the controller and back.
    void switchWindow(QWidget* from);
    // H: the controller out of the way and back.
    void toggleController(QWidget* from);
    void setTempoBy(int change);

    ControllerView& view_;
    Pace& pace_;
    Follower& follower_;
    const Reading& reading_;
    QPointer<QWidget> stepAskedIn_; // where S was pressed, until its step comes
};

} // namespace lesson

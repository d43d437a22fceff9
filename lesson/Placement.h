// SPDX-License-Identifier: GPL-3.0-or-later
// Where the controller stands: beside the active window, following it as
// windows show, hide and move.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

namespace platform {
class Form;
} // namespace platform

namespace lesson {

// Where the controller goes beside a window (frames, on the available
// area): to its right, else to its left, else the window moves over so
// that both fit. `window` is where the window's frame must then be.
struct Placement {
    QRect controller;
    QPoint window;
};
Placement place(const QRect& windowFrame, const QSize& controllerFrame, const QRect& available);

// Keeps the controller beside the active window, which it follows.
class Follower : public QObject {
    Q_OBJECT
public:
    explicit Follower(QWidget& controller);
    ~Follower() override;

    platform::Form* followed() const;
    // The window that runs is the one the class watches, even before the
    // controller has caught up with its showing.
    void follow(platform::Form& form);
    // Hidden by the teacher, the controller stays hidden as windows come
    // and go, until shown again.
    void setControllerHidden(bool hidden);
    bool controllerHidden() const { return controllerHidden_; }

signals:
    // Another window is followed, or the same one shown again: it starts
    // afresh.
    void followedAnew();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void catchUp();

    QWidget& controller_;
    QPointer<platform::Form> followed_;
    bool followedHidden_ = false; // since it was last followed
    bool queued_ = false;
    bool controllerHidden_ = false;
};

} // namespace lesson

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Placement.h"

#include "Lesson.h"
#include "platform/Form.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace lesson {

Placement place(const QRect& windowFrame, const QSize& controllerFrame, const QRect& available)
{
    constexpr int gap = besideGap;
    QRect window = windowFrame;
    QRect controller(QPoint(), controllerFrame);
    const int room = available.right() - window.right() - gap;
    if (room < controllerFrame.width()) {
        if (window.left() - gap - controllerFrame.width() >= available.left()) {
            controller.moveRight(window.left() - gap - 1);
        } else {
            // Neither side has room: the window moves left as far as needed.
            const int shift = std::min(controllerFrame.width() - room, window.left() - available.left());
            window.translate(-std::max(shift, 0), 0);
            controller.moveLeft(window.right() + gap + 1);
        }
    } else {
        controller.moveLeft(window.right() + gap + 1);
    }
    controller.moveTop(std::clamp(window.top(), available.top(),
                                  std::max(available.top(), available.bottom() + 1 - controllerFrame.height())));
    return {controller, window.topLeft()};
}

Follower::Follower(QWidget& controller) : QObject(&controller), controller_(controller)
{
    qApp->installEventFilter(this);
}

Follower::~Follower() { qApp->removeEventFilter(this); }

platform::Form* Follower::followed() const { return followed_; }

void Follower::follow(platform::Form& form)
{
    followed_ = &form;
    followedHidden_ = false;
}

void Follower::setControllerHidden(bool hidden)
{
    controllerHidden_ = hidden;
    if (hidden)
        controller_.hide();
    else
        catchUp();
}

bool Follower::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
        // A window being destroyed is hidden as a plain widget: no longer ours.
        if (event->type() == QEvent::Hide && qobject_cast<platform::Form*>(watched) && watched == followed_.get())
            followedHidden_ = true;
        if (!queued_ && qobject_cast<platform::Form*>(watched)) {
            queued_ = true;
            QTimer::singleShot(0, this, &Follower::catchUp);
        }
        return false;
    default:
        return false;
    }
}

void Follower::catchUp()
{
    queued_ = false;
    platform::Form* form = platform::Form::activeForm();
    if (!form)
        return;
    // Each window starts afresh when it is shown again: its activation
    // empties its counters.
    if (form != followed_ || followedHidden_) {
        followed_ = form;
        followedHidden_ = false;
        emit followedAnew();
    }
    if (controllerHidden_)
        return;
    if (!controller_.isVisible())
        controller_.show();
    const QScreen* screen = form->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), QSize(1 << 20, 1 << 20));
    // Before the controller is first framed, its frame is taken to be the
    // window's.
    const QWidget* framed = controller_.isVisible() && controller_.frameGeometry() != controller_.geometry()
                                ? &controller_
                                : static_cast<const QWidget*>(form);
    const QMargins frame(framed->geometry().left() - framed->frameGeometry().left(),
                         framed->geometry().top() - framed->frameGeometry().top(),
                         framed->frameGeometry().right() - framed->geometry().right(),
                         framed->frameGeometry().bottom() - framed->geometry().bottom());
    const Placement at = place(form->frameGeometry(), controller_.size().grownBy(frame), available);
    if (at.window != form->frameGeometry().topLeft())
        form->move(at.window);
    if (at.controller.topLeft() != controller_.frameGeometry().topLeft())
        controller_.move(at.controller.topLeft());
}

} // namespace lesson

// SPDX-License-Identifier: GPL-3.0-or-later
#include "LessonKeys.h"

#include "ControllerView.h"
#include "Pace.h"
#include "Placement.h"
#include "Reading.h"
#include "platform/Form.h"
#include "platform/accessible/Narrator.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace lesson {

LessonKeys::LessonKeys(ControllerView& view, Pace& pace, Follower& follower, const Reading& reading)
    : view_(view)
    , pace_(pace)
    , follower_(follower)
    , reading_(reading)
{
}

QString LessonKeys::hint()
{
    return tr("授業モードです。Ｆ６で計算の窓と授業モードの窓を行き来し、Ｒでいまの値を読み上げます。");
}

void LessonKeys::toggleController(QWidget* from)
{
    QWidget& controller = view_.window;
    const bool hide = !follower_.controllerHidden();
    // Hidden from the controller itself, the keyboard goes to the window.
    if (hide && from == &controller)
        switchWindow(from);
    follower_.setControllerHidden(hide);
    QWidget* where = from == &controller ? static_cast<QWidget*>(follower_.followed()) : from;
    if (where)
        platform::narrator::announce(where, hide ? tr("授業モードの窓を隠しました。Ｈで戻ります。")
                                                  : tr("授業モードの窓を出しました"));
}

void LessonKeys::switchWindow(QWidget* from)
{
    QWidget* to = from == &view_.window ? static_cast<QWidget*>(follower_.followed()) : &view_.window;
    if (!to || !to->isVisible()) {
        platform::narrator::announce(from, tr("行き先の窓がありません"));
        return;
    }
    to->raise();
    to->activateWindow();
}

bool LessonKeys::key(QWidget* target, const QKeyEvent& event)
{
    // The keys work in the controller and in the window beside it, the one
    // whose run is on included; elsewhere (a dialog's text) they keep their
    // usual meaning. No control of those windows uses them: Space and
    // Return press the focused button, the arrows move the focus.
    QWidget* const controller = &view_.window;
    QWidget* window = target->window();
    if (window != controller && window != follower_.followed() && window != pace_.runningForm())
        return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (window == controller && arrowInGroup(target, event.key()))
        return true;
    const auto say = [window](const QString& text) { platform::narrator::announce(window, text); };
    switch (event.key()) {
    case Qt::Key_P:
        if (!event.isAutoRepeat())
            setPaused(!pace_.paused(), window);
        return true;
    case Qt::Key_S:
        stepOnce(window);
        return true;
    case Qt::Key_R:
        if (!event.isAutoRepeat())
            say(reading_.spokenReadings());
        return true;
    case Qt::Key_F6:
        if (!event.isAutoRepeat())
            switchWindow(window);
        return true;
    case Qt::Key_H:
        if (!event.isAutoRepeat())
            toggleController(window);
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setTempoBy(+1);
        break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        setTempoBy(-1);
        break;
    case Qt::Key_C:
        // Beside the experiments only, where the button shows.
        if (view_.classSession->isHidden())
            return false;
        if (!event.isAutoRepeat())
            view_.classSession->click();
        return true;
    case Qt::Key_M:
        if (!event.isAutoRepeat()) {
            view_.mute->click();
            say(view_.mute->isChecked() ? tr("消音", "said: the sound is off now")
                                        : tr("消音を解除", "said: the sound is on again"));
        }
        return true;
    default:
        return false;
    }
    // A new tempo. Where the focus is on the tempo group, it moves to the
    // new choice, and the screen reader reads that.
    QAbstractButton* chosen = view_.tempi->checkedButton();
    if (chosen && target->window() == controller
        && view_.tempi->buttons().contains(qobject_cast<QAbstractButton*>(target)))
        chosen->setFocus(Qt::TabFocusReason);
    else if (chosen)
        say(tr("速さ：%1").arg(chosen->text()));
    return true;
}

bool LessonKeys::arrowInGroup(QWidget* target, int key)
{
    // The arrows go through a group of choices in its order, whichever way
    // its buttons are laid out, and choose as they go.
    auto* button = qobject_cast<QAbstractButton*>(target);
    const QButtonGroup* group = button ? button->group() : nullptr;
    if (!group || (group != view_.tempi && group != view_.views))
        return false;
    int by = 0;
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        by = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        by = -1;
        break;
    default:
        return false;
    }
    const QList<QAbstractButton*> buttons = group->buttons();
    const qsizetype at = std::clamp<qsizetype>(buttons.indexOf(button) + by, 0, buttons.size() - 1);
    QAbstractButton* next = buttons[at];
    next->setFocus(by > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (!next->isChecked())
        next->click();
    return true;
}

void LessonKeys::setPaused(bool paused, QWidget* where)
{
    // Workaround(Qt 6.4): a focused button's new name goes out as an object, unread by Orca.
    // Said in the window where the keyboard is: a screen reader does not
    // read a focused button's new name (Qt 6.4 sends it as an object).
    if (!pace_.runningForm()) {
        platform::narrator::announce(where, tr("計算中ではありません"));
        return;
    }
    pace_.setPaused(paused);
    platform::narrator::announce(where, pace_.paused() ? tr("一時停止", "said: the run is paused now")
                                                       : tr("再開", "said: the run goes on"));
}

void LessonKeys::stepOnce(QWidget* where)
{
    if (!pace_.runningForm()) {
        platform::narrator::announce(where, tr("計算中ではありません"));
        return;
    }
    pace_.step();
    stepAskedIn_ = where;
}

void LessonKeys::stepped(const QWidget& form)
{
    if (!stepAskedIn_)
        return;
    QWidget* where = stepAskedIn_;
    stepAskedIn_ = nullptr;
    platform::narrator::announce(where, tr("１ステップ：%1", "said: the run went one step on, and where it is now")
                                            .arg(platform::narrator::summary(&form)));
    platform::narrator::progressSaid(&form);
}

void LessonKeys::setTempoBy(int change)
{
    // The tempo group holds the tempi slowest first: + moves right, − left.
    const QList<QAbstractButton*> buttons = view_.tempi->buttons();
    const qsizetype at = buttons.indexOf(view_.tempi->button(int(pace_.tempo())));
    const qsizetype index = std::clamp<qsizetype>(at + change, 0, buttons.size() - 1);
    pace_.setTempo(Tempo(view_.tempi->id(buttons[index])));
}

} // namespace lesson

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Services.h"
#include "Form.h"
#include "MMControl.h"
#include "accessible/Narrator.h"

#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

// Some window managers (openbox among them) keep a minimise box on every
// dialog whatever its hints say, and minimise the owner with it: a pupil
// would be left with nothing on screen. A box or owner minimised while the
// box is open comes straight back.
class StayOnScreen : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange && static_cast<QWidget*>(watched)->isMinimized()) {
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, this, [window] {
                if (window && window->isMinimized()) {
                    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                    window->raise();
                    window->activateWindow();
                }
            });
        }
        return false;
    }
};

// Centred on the owner's client area. Qt's own placement guesses a frame of
// 10 by 40 pixels where there is none, which puts a box well off centre
// without a window manager; the box gets the same frame as its owner.
template <class Dialog>
class Centred : public Dialog {
public:
    explicit Centred(QWidget* owner) : Dialog(owner) {}

protected:
    void showEvent(QShowEvent* event) override
    {
        Dialog::showEvent(event); // sets the final size; the box is not on screen yet
        if (QWidget* owner = this->parentWidget() ? this->parentWidget()->window() : nullptr) {
            const QPoint frame = owner->geometry().topLeft() - owner->frameGeometry().topLeft();
            QRect client(QPoint(), this->size());
            client.moveCenter(owner->geometry().center());
            this->move(client.topLeft() - frame);
        }
    }
};

// A question or an input box belongs to the window that asked: a transient
// child of it, centred on it, with no minimise or maximise box of its own.
// When it closes the keyboard focus goes back to the button that had it,
// also where no window manager hands the focus back to the owner.
int execOwned(QDialog& dialog, QWidget* owner)
{
    Form::restoreMinimised();
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
    QPointer<QWidget> window = owner ? owner->window() : nullptr;
    QPointer<QWidget> focus = window ? window->focusWidget() : nullptr;
    StayOnScreen stay;
    dialog.installEventFilter(&stay);
    if (window)
        window->installEventFilter(&stay);
    const int result = dialog.exec();
    if (window)
        window->removeEventFilter(&stay);
    if (window && window->isVisible()) {
        // Focus the owner moved on to while the box was open wins.
        if (QWidget* now = window->focusWidget(); now && now != focus && now->isEnabled())
            focus = now;
        window->activateWindow();
        if (focus && focus->isEnabled() && focus->isVisible())
            focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    return result;
}

} // namespace

int Services::msgBox(QWidget* owner, const QString& prompt, const QString& title)
{
    // The program only ever asks Yes/No questions.
    Centred<QMessageBox> box(owner);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box.addButton(QCoreApplication::translate("Services", "はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QCoreApplication::translate("Services", "いいえ"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    execOwned(box, owner);
    return box.clickedButton() == yes ? vbYes : vbNo;
}

QString Services::inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText)
{
    Centred<QInputDialog> dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QCoreApplication::translate("Services", "OK"));
    dialog.setCancelButtonText(QCoreApplication::translate("Services", "キャンセル"));
    dialog.setInputMode(QInputDialog::TextInput);
    // Fixed in size, so that no window manager offers to maximise it. The
    // dialog makes its layout when first asked for its size.
    dialog.sizeHint();
    if (QLayout* layout = dialog.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    return execOwned(dialog, owner) == QDialog::Accepted ? dialog.textValue() : QString();
}

void Services::beep() { QApplication::beep(); }

void Services::end()
{
    // No handler may run after this, so leave without unwinding the event
    // loops a running handler may sit in.
    shutdownSound();
    std::fflush(nullptr);
    std::_Exit(0);
}

void Services::doEvents()
{
    // Posted update requests are among the events, so whatever was drawn or
    // relabelled before the call is painted when it returns.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

float Services::rnd() { return random_.Rnd(); }
void Services::randomize(double seed) { random_.Randomize(seed); }

float Services::timer()
{
    return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

namespace {
Services* replacement = nullptr;
}

Services& services()
{
    static Services real;
    return replacement ? *replacement : real;
}

void setServices(Services* r) { replacement = r; }

std::optional<double> replyValue(const QString& reply)
{
    return rt::ParseReply(reply.toStdString());
}

void Refused(QWidget* owner, const QString& reply)
{
    narrator::announce(owner, reply.trimmed().isEmpty()
                                  ? QCoreApplication::translate("Services", "取り消しました。")
                                  : QCoreApplication::translate("Services", "「%1」は使えないため、取り消しました。").arg(reply));
}

} // namespace platform

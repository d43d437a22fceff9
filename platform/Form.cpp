// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form.h"

#include "accessible/Factory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {
QPointer<Form> active;
int created = 0;

// Windows open where the last one was, so the second click of a pupil's
// double-click on a button that opens another window (a move, a question)
// would land on whatever the new window has under the mouse. Once a window
// has been shown, a press in another window that comes within the
// platform's double-click time and distance of the last press is swallowed,
// with its double-click and release events; later or farther clicks go
// through.
class DoubleClickGuard : public QObject {
public:
    static void install()
    {
        static QPointer<DoubleClickGuard> guard;
        if (!guard) {
            guard = new DoubleClickGuard;
            guard->setParent(qApp);
            qApp->installEventFilter(guard);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Show:
            if (widget->isWindow() && last_.window && last_.window != widget)
                armed_ = true;
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            return mouse(widget, *static_cast<const QMouseEvent*>(event));
        default:
            return false;
        }
    }

private:
    bool mouse(QWidget* widget, const QMouseEvent& event)
    {
        if (swallowing_ != Qt::NoButton) {
            if (event.type() != QEvent::MouseButtonPress) {
                if (event.type() == QEvent::MouseButtonRelease && event.button() == swallowing_)
                    swallowing_ = Qt::NoButton;
                return true;
            }
            swallowing_ = Qt::NoButton; // its release went elsewhere; this is a new click
        }
        if (event.type() == QEvent::MouseButtonRelease)
            return false;
        if (armed_) {
            armed_ = false;
            if (secondOfDoubleClick(event, widget->window())) {
                swallowing_ = event.button();
                // Spent: a box shown next must not take a later click for
                // the same double-click's second half.
                last_ = {};
                return true;
            }
        }
        if (event.type() == QEvent::MouseButtonPress)
            last_ = {event.timestamp(), event.globalPosition(), event.button(), widget->window()};
        return false;
    }

    bool secondOfDoubleClick(const QMouseEvent& press, const QWidget* window) const
    {
        const QStyleHints* hints = QGuiApplication::styleHints();
        const qint64 after = qint64(press.timestamp()) - qint64(last_.time);
        return window != last_.window && press.button() == last_.button && after >= 0
            && after <= hints->mouseDoubleClickInterval()
            && (press.globalPosition() - last_.position).manhattanLength() <= hints->mouseDoubleClickDistance();
    }

    struct Press {
        quint64 time = 0;
        QPointF position;
        Qt::MouseButton button = Qt::NoButton;
        QPointer<QWidget> window;
    };
    Press last_;
    bool armed_ = false;
    Qt::MouseButton swallowing_ = Qt::NoButton;
};
} // namespace

Form::Form(const char* name, const QString& caption, Twips clientArea, std::optional<rt::Colour> background)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint)
    , design_(clientArea)
{
    ++created;
    DoubleClickGuard::install();
    accessible::install();
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setFixedSize(px(clientArea.width), px(clientArea.height));
    if (background) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, toQColor(*background));
        setPalette(pal);
        setAutoFillBackground(true);
    }
}

Form* Form::activeForm()
{
    return active && active->isVisible() ? active.data() : nullptr;
}

int Form::createdCount() { return created; }

// The frame the window manager gave the windows shown so far (a hidden
// window remembers its own); none before the first.
namespace {
QSize knownFrame()
{
    QSize frame;
    for (const QWidget* w : QApplication::topLevelWidgets())
        frame = frame.expandedTo(w->frameGeometry().size() - w->size());
    return frame;
}
} // namespace

void Form::placeOnScreen()
{
    // Design position when the screen holds the window, else centred with
    // its frame. The position is the frame's, as no frame exists yet.
    QRect wanted(px(design_.left), px(design_.top), width(), height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        if (!available.contains(wanted)) {
            const QSize frame = knownFrame();
            wanted.moveCenter(available.center() - QPoint(frame.width() / 2, frame.height() / 2));
            // Some window managers take the position as the client's, and
            // hang the title bar above it: keep room for it on screen.
            const int title = std::max(0, frame.height() - frame.width() / 2);
            wanted.moveTo(std::max(wanted.left(), available.left()), std::max(wanted.top(), available.top() + title));
        }
    }
    move(wanted.topLeft());
}

void Form::Show()
{
    restoreMinimised();
    const bool alreadyActive = activeForm() == this;
    if (!isVisible()) {
        if (!placed_) {
            placeOnScreen();
            placed_ = true;
        }
        show();
    }
    if (!watched_ && windowHandle()) {
        // Only the window's own state says it was minimised: on Wayland the
        // widget never hears of it.
        watched_ = true;
        connect(windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (state == Qt::WindowMinimized && isVisible())
                minimised_ = true;
        });
    }
    activateWindow();
    if (alreadyActive)
        return;
    active = this;
    QWidget* focus = focusWidget();
    if (!focus || !focus->isEnabled()) {
        for (QWidget* w : tabOrder_) {
            if (w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
                w->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    Form_Activate();
}

void Form::Hide()
{
    if (active == this)
        active = nullptr;
    minimised_ = false;
    hide();
}

void Form::restoreMinimised()
{
    const bool wayland = QGuiApplication::platformName() == QLatin1String("wayland");
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<Form*>(w);
        if (!form || !form->minimised_)
            continue;
        form->minimised_ = false;
        if (wayland) {
            // Mapping it again is the one way back Wayland offers a client.
            form->hide();
            form->show();
        } else if (QWindow* window = form->windowHandle()) {
            // The window's own state: the widget may not know it was minimised.
            window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
        }
        form->raise();
    }
}

void Form::setMousePointer(int pointer)
{
    mousePointer_ = pointer;
    if (pointer == vbArrowHourglass)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void Form::setTabOrder(std::initializer_list<QWidget*> order)
{
    tabOrder_ = QList<QWidget*>(order);
    for (qsizetype i = 1; i < tabOrder_.size(); ++i)
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void Form::setFocusFlow(std::initializer_list<QWidget*> flow)
{
    focusFlow_ = QList<QWidget*>(flow);
}

bool Form::focusNextPrevChild(bool next)
{
    QWidget* focus = focusWidget();
    if (focusFlow_.isEmpty() || !focus || focus->isEnabled())
        return QWidget::focusNextPrevChild(next);
    // The focused button has just disabled itself.
    const qsizetype from = focusFlow_.indexOf(focus);
    for (qsizetype i = 1; i <= focusFlow_.size(); ++i) {
        QWidget* candidate = focusFlow_[(from + i) % focusFlow_.size()];
        if (candidate != focus && candidate->isEnabled()) {
            candidate->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    // None yet: the handler is about to enable one (a stop button after
    // its start button has switched itself off).
    QTimer::singleShot(0, this, [this] {
        QWidget* now = focusWidget();
        if (now && now->isEnabled())
            return;
        for (QWidget* candidate : focusFlow_)
            if (candidate->isEnabled()) {
                candidate->setFocus(Qt::OtherFocusReason);
                return;
            }
    });
    return false;
}

void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Brought back by the desktop (a task bar, an overview).
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        minimised_ = false;
    if (event->type() != QEvent::WindowStateChange)
        return;
    // Qt's own title bar on Wayland offers maximise and minimise whatever
    // the window's hints say. A fixed-size window has nothing to maximise.
    if (isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
}

void Form::closeEvent(QCloseEvent* event)
{
    // The frame's close box is the window's quit button while that is
    // enabled, and does nothing otherwise (for instance during a run).
    event->ignore();
    QPushButton* quit = quitButton();
    if (quit && quit->isEnabled() && isVisible())
        quit->click();
}

} // namespace platform

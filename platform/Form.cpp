#include "Form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace platform {

namespace {
QPointer<Form> active;
int created = 0;
} // namespace

Form::Form(const char* name, const QString& caption, Twips clientArea, std::optional<rt::Colour> background)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint)
    , design_(clientArea)
{
    ++created;
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

void Form::placeOnScreen()
{
    // Design position when the screen holds the window, else centred.
    QRect wanted(px(design_.left), px(design_.top), width(), height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        if (!available.contains(wanted))
            wanted.moveCenter(available.center());
    }
    move(wanted.topLeft());
}

void Form::Show()
{
    const bool alreadyActive = activeForm() == this;
    if (!isVisible()) {
        if (!placed_) {
            placeOnScreen();
            placed_ = true;
        }
        show();
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
    hide();
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

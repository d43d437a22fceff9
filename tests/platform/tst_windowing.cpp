// SPDX-License-Identifier: GPL-3.0-or-later
// What the platform does between windows: the second click of a
// double-click that opened another window presses nothing there, and the
// question and input boxes belong to the window that opened them.
#include "platform/Form.h"
#include "platform/Services.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>

using namespace platform;

namespace {

// A window with one button at the same place as its partner's; clicking
// it moves to the partner when there is one, as a menu button does.
class Window : public Form {
public:
    explicit Window(const char* name)
        : Form(name, QString::fromLatin1(name), {1500, 1500, 3000, 1500})
    {
        button = new CommandButton(this, "Command1", QStringLiteral("次へ"), {600, 300, 1500, 375});
        QObject::connect(button, &QPushButton::clicked, this, [this] {
            ++clicks;
            if (next) {
                Hide();
                next->Show();
            }
        });
        setTabOrder({button});
    }

    CommandButton* button;
    Window* next = nullptr;
    int clicks = 0;

protected:
    QPushButton* quitButton() const override { return button; }
};

// A mouse event with its time stamp, as the window system delivers it.
void send(QWidget* target, QEvent::Type type, QPoint global, quint64 time)
{
    const QPointF local = target->mapFromGlobal(QPointF(global));
    const QPointF scene = target->window()->mapFromGlobal(QPointF(global));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, scene, QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(target, &event);
}

// Press and release; a press that the platform would report as the second
// of a double-click is followed by its double-click event, as Qt does.
void click(QWidget* target, QPoint global, quint64 time, bool secondOfDouble = false)
{
    send(target, QEvent::MouseButtonPress, global, time);
    if (secondOfDouble)
        send(target, QEvent::MouseButtonDblClick, global, time);
    send(target, QEvent::MouseButtonRelease, global, time + 30);
}

// Shows `first` and clicks its button at `time`, which moves to its
// partner; gives the point clicked, where the partner's button now lies.
QPoint moveByClick(Window& first, quint64 time)
{
    first.Show();
    if (!QTest::qWaitForWindowExposed(&first))
        return {};
    const QPoint at = first.button->mapToGlobal(first.button->rect().center());
    click(first.button, at, time);
    return at;
}

// Runs `look` on the modal box once it is up; `look` must close it.
void whenModal(std::function<void(QWidget*)> look)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, look] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            look(box);
        }
    });
    poll->start(10);
}

} // namespace

class WindowingTest : public QObject {
    Q_OBJECT
private slots:
    void secondClickAfterAMove_data();
    void secondClickAfterAMove();
    void doubleClickWithinOneWindowClicksTwice();
    void swallowedPressWithoutItsReleaseHoldsNothing();
    void windowShownAfterASwallowedPressTakesTheNextClick();
    void boxesBelongToTheirWindow_data();
    void boxesBelongToTheirWindow();
    void minimisedWindowComesBack_data();
    void minimisedWindowComesBack();
};

void WindowingTest::secondClickAfterAMove_data()
{
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    QTest::addColumn<int>("after");   // ms from the first press
    QTest::addColumn<int>("offset");  // pixels from the first press
    QTest::addColumn<int>("clicks");  // on the new window's button

    QTest::newRow("double-click") << 80 << 0 << 0;
    QTest::newRow("slow double-click") << interval << 0 << 0;
    QTest::newRow("double-click with a small slip") << 80 << distance << 0;
    QTest::newRow("click just after the double-click time") << interval + 1 << 0 << 1;
    QTest::newRow("deliberate click a second later") << 1000 << 0 << 1;
    QTest::newRow("quick click elsewhere") << 80 << distance + 6 << 1;
}

void WindowingTest::secondClickAfterAMove()
{
    QFETCH(int, after);
    QFETCH(int, offset);
    QFETCH(int, clicks);
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();

    Window first("First"), second("Second");
    first.next = &second;
    static quint64 time = 100000; // rising across rows, as a clock does
    time += 10000;
    const QPoint at = moveByClick(first, time);
    QCOMPARE(first.clicks, 1);
    QVERIFY(second.isVisible());
    QCOMPARE(second.button->mapToGlobal(second.button->rect().center()), at);

    const QPoint again = at + QPoint(offset, 0);
    QVERIFY(second.button->rect().contains(second.button->mapFromGlobal(again)));
    click(second.button, again, time + quint64(after), after <= interval && offset <= distance);
    QCOMPARE(second.clicks, clicks);
    QVERIFY(!second.button->isDown());

    // Whatever happened, the next deliberate click goes through.
    click(second.button, at, time + quint64(after) + 2000);
    QCOMPARE(second.clicks, clicks + 1);
    second.Hide();
}

void WindowingTest::doubleClickWithinOneWindowClicksTwice()
{
    Window only("Only");
    only.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&only));
    const QPoint at = only.button->mapToGlobal(only.button->rect().center());
    click(only.button, at, 500000);
    click(only.button, at, 500080, true);
    QCOMPARE(only.clicks, 2);
    only.Hide();
}

void WindowingTest::swallowedPressWithoutItsReleaseHoldsNothing()
{
    Window first("First"), second("Second");
    first.next = &second;
    const QPoint at = moveByClick(first, 700000);
    QVERIFY(second.isVisible());
    // The second press of the double-click, released outside any widget.
    send(second.button, QEvent::MouseButtonPress, at, 700080);
    send(second.button, QEvent::MouseButtonDblClick, at, 700080);
    click(second.button, at, 702000);
    QCOMPARE(second.clicks, 1);
    second.Hide();
}

// A double-click moves on, its second click is swallowed, then another
// window shows without a press (a question asked by the frame's close box):
// a quick click back in the new window is a click of its own.
void WindowingTest::windowShownAfterASwallowedPressTakesTheNextClick()
{
    Window first("First"), second("Second"), third("Third");
    first.next = &second;
    const QPoint at = moveByClick(first, 900000);
    QVERIFY(second.isVisible());
    click(second.button, at, 900080, true);
    QCOMPARE(second.clicks, 0);
    third.show();
    third.hide();
    click(second.button, at, 900200);
    QCOMPARE(second.clicks, 1);
    second.Hide();
}

void WindowingTest::boxesBelongToTheirWindow_data()
{
    QTest::addColumn<bool>("question"); // else an input box
    QTest::newRow("quit question") << true;
    QTest::newRow("input box") << false;
}

void WindowingTest::boxesBelongToTheirWindow()
{
    QFETCH(bool, question);
    Window owner("Owner");
    owner.Show();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QTRY_COMPARE(QApplication::focusWidget(), owner.button);

    QWidget* parent = nullptr;
    QWindow* transientParent = nullptr;
    Qt::WindowFlags flags;
    QPoint centre;
    bool fixed = false;
    whenModal([&](QWidget* box) {
        parent = box->parentWidget();
        transientParent = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
        flags = box->windowFlags();
        centre = box->geometry().center();
        fixed = box->minimumSize() == box->maximumSize();
        if (qobject_cast<QMessageBox*>(box))
            box->findChild<QPushButton*>(QStringLiteral("no"))->click();
        else
            static_cast<QDialog*>(box)->reject();
    });
    if (question)
        QCOMPARE(MsgBox(&owner, QStringLiteral("終了していいですか？"), QStringLiteral("Sorvena")), vbNo);
    else
        QCOMPARE(InputBox(&owner, QStringLiteral("点の数"), QStringLiteral("設定"), 100), QString());

    QCOMPARE(parent, &owner);
    QCOMPARE(transientParent, owner.windowHandle());
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY((flags & Qt::WindowCloseButtonHint));
    QVERIFY(fixed);
    QVERIFY2((centre - owner.geometry().center()).manhattanLength() <= 1,
             qPrintable(QStringLiteral("box centre %1,%2, window centre %3,%4")
                            .arg(centre.x()).arg(centre.y())
                            .arg(owner.geometry().center().x()).arg(owner.geometry().center().y())));
    QTRY_VERIFY(owner.isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), owner.button);
    owner.Hide();
}

void WindowingTest::minimisedWindowComesBack_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("stillMinimised");
    QTest::newRow("another window is shown") << "show" << false;
    QTest::newRow("a question is asked") << "question" << false;
    QTest::newRow("an input box opens") << "input" << false;
    QTest::newRow("a task bar brought it back") << "desktop" << false;
    QTest::newRow("nothing yet") << "" << true;
}

void WindowingTest::minimisedWindowComesBack()
{
    QFETCH(QString, then);
    QFETCH(bool, stillMinimised);
    Window minimised("Minimised");
    Window other("Other");
    minimised.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&minimised));
    minimised.windowHandle()->setWindowState(Qt::WindowMinimized); // as the title bar does
    QTRY_VERIFY(minimised.isMinimized());
    QVERIFY(minimised.minimisedByUser());

    if (then == QLatin1String("show")) {
        other.Show();
    } else if (then == QLatin1String("desktop")) {
        // Active again through the desktop, after another program's window.
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(elsewhere.isActiveWindow());
        minimised.windowHandle()->setWindowState(Qt::WindowNoState);
        minimised.activateWindow();
        QTRY_VERIFY(minimised.isActiveWindow());
    } else if (!then.isEmpty()) {
        whenModal([](QWidget* box) { box->close(); });
        if (then == QLatin1String("question"))
            MsgBox(&other, QStringLiteral("終了していいですか？"), QStringLiteral("Sorvena"));
        else
            InputBox(&other, QStringLiteral("点の数"), QStringLiteral("設定"), 100);
    }
    QCOMPARE(minimised.windowHandle()->windowState() == Qt::WindowMinimized, stillMinimised);
    QCOMPARE(minimised.minimisedByUser(), stillMinimised);
    QVERIFY(minimised.isVisible());
}

QTEST_MAIN(WindowingTest)
#include "tst_windowing.moc"

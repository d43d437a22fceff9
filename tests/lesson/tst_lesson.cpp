// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode: the pace of runs (tempo, pause, step, stop) counted in
// steps and on a fake clock, never timed; the controller's digits, trace,
// place, keys and mute, and what its trace's menu saves.
#include "charts/TraceChart.h"
#include "lesson/Lesson.h"
#include "lesson/LessonController.h"
#include "experiments/Form19.h"
#include "experiments/Form20.h"
#include "polygon/Form18.h"
#include "series/Form9.h"
#include "platform/Controls.h"
#include "platform/Navigation.h"
#include "platform/accessible/Narrator.h"
#include "lesson/Pace.h"
#include "series/Form16.h"
#include "shell/Observers.h"
#include "shell/Projector.h"
#include "rules/Digits.h"
#include "rules/PolygonRules.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QLayout>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QValueAxis>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <map>

using lesson::Pace;
using lesson::Tempo;

namespace {

// The pace's clock, moved only while the pace waits for it, and by the
// steps' own cost: the tempo is then counted, not timed.
class FakeClock : public lesson::Clock {
public:
    qint64 time = 0;
    QList<qint64> waits; // each wait the pace asked for, in ms

    qint64 now() const override { return time; }
    void wakeAt(qint64 at) override
    {
        alarm_ = at;
        QTimer::singleShot(0, this, [this, at] {
            if (alarm_ != at)
                return;
            alarm_ = -1;
            waits << at - time;
            time = at;
            emit due();
        });
    }
    void cancel() override { alarm_ = -1; }

private:
    qint64 alarm_ = -1;
};

struct Lesson {
    testing::ScriptedServices services;
    testing::SoundRecorder recorder;
    testing::RunLog log;
    FakeClock* clock = new FakeClock;
    Pace pace{std::unique_ptr<lesson::Clock>(clock)};
    lesson::LessonController controller;
    explicit Lesson(charts::Trace* trace = nullptr) : controller(pace, std::unique_ptr<charts::Trace>(trace))
    {
        shell::observeRuns(&pace, &controller);
    }
};

// Runs the actions one after another, `gap` ms apart, inside the run.
void inSequence(QList<std::function<void()>> actions, int gap = 150)
{
    if (actions.isEmpty())
        return;
    QTimer::singleShot(gap, [actions, gap]() mutable {
        actions.takeFirst()();
        inSequence(actions, gap);
    });
}

// A Monte Carlo run of 10000 points that pauses after `pauseAt` steps and
// then does `actions` (the last of which must stop the run).
void pausedRun(Lesson& l, Form19& w, int pauseAt, QList<std::function<void()>> actions)
{
    w.Show();
    w.Command5_Click();
    l.services.replies = {QStringLiteral("10000")};
    // The hook runs before the yield: pausing in call pauseAt + 1 holds
    // that yield, after pauseAt steps.
    l.services.onDoEvents = [&, pauseAt, actions](int call) {
        if (call == pauseAt + 1) {
            l.pace.setPaused(true);
            inSequence(actions);
        }
    };
    w.Command2->click();
    l.services.onDoEvents = nullptr;
}

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    Q_ASSERT(a);
    return a;
}

// What a key said last in the widget's window, if anything.
QString lastSaid(const QWidget* widget)
{
    const auto* announcement = widget->window()->findChild<QWidget*>(QStringLiteral("announcement"));
    return announcement ? announcement->accessibleName() : QString();
}

} // namespace

class TestLesson : public QObject {
    Q_OBJECT

private slots:
    void tempo_data();
    void tempo();
    void tempoChangesMidRun();
    void pausedScript_data();
    void pausedScript();
    void digits_data();
    void digits();
    void placement_data();
    void placement();
    void projectorHoldsBoth_data();
    void projectorHoldsBoth();
    void keys_data();
    void f6AndHMoveTheController();
    void keys();
    void placeablePlatform_data();
    void placeablePlatform();
    void mute();
    void accessibleTable_data();
    void accessibleTable();
    void traceChart();
    void controllerDrawsTheTrace();
    void controllerShowsTheWindow_data();
    void controllerShowsTheWindow();
    void classSession_data();
    void classSession();
};

void TestLesson::tempo_data()
{
    // Ten terms of Gregory–Leibniz at a tempo, the first step costing
    // `first` ms of the clock and the others `cost`: the waits the pace
    // asks for between steps.
    QTest::addColumn<Tempo>("tempo");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("cost");
    QTest::addColumn<QList<qint64>>("waits");
    const auto times = [](int count, qint64 ms) { return QList<qint64>(count, ms); };
    QTest::newRow("one a press") << Tempo::ByPress << qint64(0) << qint64(0) << QList<qint64>{};
    QTest::newRow("slow") << Tempo::Slow << qint64(0) << qint64(0) << times(9, 500);
    QTest::newRow("medium") << Tempo::Medium << qint64(0) << qint64(0) << times(9, 50);
    QTest::newRow("fast") << Tempo::Fast << qint64(0) << qint64(0) << times(9, 5);
    QTest::newRow("full") << Tempo::Full << qint64(0) << qint64(0) << QList<qint64>{};
    // The tempo holds on average whatever a step costs.
    QTest::newRow("slow, steps of 300 ms") << Tempo::Slow << qint64(300) << qint64(300) << times(9, 200);
    // A step that came late is not made up for by a burst after it.
    QTest::newRow("slow, a first step of 2 s") << Tempo::Slow << qint64(2000) << qint64(0) << times(7, 500);
}

void TestLesson::tempo()
{
    QFETCH(Tempo, tempo);
    QFETCH(qint64, first);
    QFETCH(qint64, cost);
    QFETCH(QList<qint64>, waits);
    Lesson l;
    l.pace.setTempo(tempo);
    Form16 w;
    w.Show();
    w.Command5_Click();
    l.services.replies = {QStringLiteral("10")};
    l.log.onStep = [&](platform::Run& run) { l.clock->time += run.n() == 1 ? first : cost; };
    // One step a press: each press, given once the window has yielded,
    // finds the run held before its next step.
    QList<qint64> pressedAt;
    if (tempo == Tempo::ByPress)
        l.services.onDoEvents = [&](int) {
            QTimer::singleShot(0, &l.pace, [&] {
                pressedAt << l.log.n();
                l.pace.step();
            });
        };
    w.Command2->click();
    QCOMPARE(l.log.n(), 10);
    QCOMPARE(l.clock->waits, waits);
    if (tempo == Tempo::ByPress)
        QCOMPARE(pressedAt, (QList<qint64>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QVERIFY(!l.pace.runningForm());
}

void TestLesson::tempoChangesMidRun()
{
    Lesson l;
    l.pace.setTempo(Tempo::ByPress);
    Form19 w;
    w.Show();
    w.Command5_Click();
    l.services.replies = {QStringLiteral("300")};
    // The first step waits for a press; then full speed to the end.
    l.log.onOpen = [&](platform::Run&) { inSequence({[&] { l.pace.setTempo(Tempo::Full); }}); };
    w.Command2->click();
    QCOMPARE(l.log.n(), 300);
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 300 /  300"));
}

void TestLesson::pausedScript_data()
{
    // What happens in a paused 10000-point run, one action every 150 ms:
    // l notes the step count, p notes 1 when running and 0 when paused,
    // s presses Step, S and P are the step and pause keys in the window, x
    // is Space on its focused 中止, B and T click the controller's pause and
    // step buttons, a notes what the controller said last (0 nothing, 1 一時停止,
    // 2 再開, 3 １ステップ with the counters); 中止 ends the run after the last.
    QTest::addColumn<int>("pauseAt");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<qint64>>("seen");
    QTest::newRow("pause holds while events run") << 5 << "lll" << QList<qint64>{5, 5, 5};
    QTest::newRow("step: exactly one") << 3 << "lsllslssl" << QList<qint64>{3, 4, 4, 5, 7};
    QTest::newRow("keys: S steps, P resumes and pauses") << 2 << "SlPpPp" << QList<qint64>{3, 1, 0};
    QTest::newRow("Space on 中止 stops the run, not pauses it") << 4 << "px" << QList<qint64>{0};
    QTest::newRow("the buttons say what they did") << 3 << "BaBaTa" << QList<qint64>{2, 1, 3};
}

void TestLesson::pausedScript()
{
    QFETCH(int, pauseAt);
    QFETCH(QString, script);
    QFETCH(QList<qint64>, seen);
    Lesson l;
    Form19 w;
    QList<qint64> noted;
    QList<std::function<void()>> actions;
    for (QChar c : script) {
        switch (c.unicode()) {
        case 'l': actions << [&] { noted << l.log.n(); }; break;
        case 'p': // the pause button's name says what a press will do
            actions << [&] {
                const QString name = accessible(l.controller.findChild<QPushButton*>(QStringLiteral("pause")))
                                         ->text(QAccessible::Name);
                noted << (name == (l.pace.paused() ? QStringLiteral("再開") : QStringLiteral("一時停止"))
                              ? (l.pace.paused() ? 0 : 1)
                              : -1);
            };
            break;
        case 's': actions << [&] { l.pace.step(); }; break;
        case 'S': actions << [&] { QTest::keyClick(w.Command4, Qt::Key_S); }; break;
        case 'P': actions << [&] { QTest::keyClick(w.Command4, Qt::Key_P); }; break;
        case 'x': actions << [&] { QTest::keyClick(w.Command4, Qt::Key_Space); }; break;
        case 'B': actions << [&] { l.controller.findChild<QPushButton*>(QStringLiteral("pause"))->click(); }; break;
        case 'T': actions << [&] { l.controller.findChild<QPushButton*>(QStringLiteral("step"))->click(); }; break;
        case 'a':
            actions << [&] {
                // A step is said with the counters it left, at once.
                const QString step = QStringLiteral("１ステップ：") + platform::narrator::summary(&w);
                noted << QStringList{QString(), QStringLiteral("一時停止"), QStringLiteral("再開"), step}
                             .indexOf(lastSaid(&l.controller));
            };
            break;
        }
    }
    if (!script.endsWith(QLatin1Char('x')))
        actions << [&] { w.Command4->click(); }; // 中止
    pausedRun(l, w, pauseAt, actions);
    QCOMPARE(noted, seen);
    // 中止 ended the paused run where it stood: the yield it let go was the
    // last, and no point followed it.
    QVERIFY(!l.pace.runningForm());
    QVERIFY(!l.pace.paused());
    QVERIFY(w.Command2->isEnabled());
    QCOMPARE(w.Label1->text(),
             QStringLiteral("打った点の総数＝%1 /  10000").arg(platform::Str(int(l.log.n()))));
    // The controller came up beside the window, not over it.
    QTRY_VERIFY(l.controller.isVisible());
    QTRY_VERIFY(!l.controller.frameGeometry().intersects(w.frameGeometry()));
}

void TestLesson::digits_data()
{
    // Digits are read at the precision the value was computed in.
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("correct");
    QTest::newRow("series") << 3.14159165358977 << false << "3.14159165358977" << 6;
    QTest::newRow("whole") << 3.0 << false << "3" << 1;
    QTest::newRow("775 of 1000 points") << double(3.1f) << true << "3.1" << 2;
    QTest::newRow("the same in double") << double(3.1f) << false << "3.0999999046325684" << 1;
    QTest::newRow("four") << 4.0 << false << "4" << 0;
    QTest::newRow("double π") << M_PI << false << "3.141592653589793" << 16;
    QTest::newRow("single π") << double(float(M_PI)) << true << "3.1415927" << 7;
    QTest::newRow("polygon") << 3.14057925052217 << false << "3.14057925052217" << 3;
}

void TestLesson::digits()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, digits);
    QFETCH(int, correct);
    const std::string text = single ? digits::shortest(float(value)) : digits::shortest(value);
    QCOMPARE(QString::fromStdString(text), digits);
    QCOMPARE(digits::correct(text), correct);
}

void TestLesson::placement_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("controller");
    QTest::addColumn<QPoint>("windowMovedTo");
    // On a screen of 1280 by 1000, a controller of 400 by 500.
    QTest::newRow("room on the right") << QRect(100, 50, 600, 400) << QRect(708, 50, 400, 500) << QPoint(100, 50);
    QTest::newRow("room on the left") << QRect(700, 50, 500, 400) << QRect(292, 50, 400, 500) << QPoint(700, 50);
    QTest::newRow("neither: the window moves") << QRect(300, 50, 700, 400) << QRect(880, 50, 400, 500)
                                               << QPoint(172, 50);
    QTest::newRow("kept above the bottom") << QRect(100, 700, 600, 200) << QRect(708, 500, 400, 500)
                                           << QPoint(100, 700);
}

void TestLesson::placement()
{
    QFETCH(QRect, window);
    QFETCH(QRect, controller);
    QFETCH(QPoint, windowMovedTo);
    const QRect available(0, 0, 1280, 1000);
    const auto at = lesson::place(window, QSize(400, 500), available);
    QCOMPARE(at.controller, controller);
    QCOMPARE(at.window, windowMovedTo);
    QVERIFY(available.contains(at.controller));
    QVERIFY(!at.controller.intersects(QRect(at.window, window.size())));
}

void TestLesson::projectorHoldsBoth_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<double>("expected");
    QTest::addColumn<lesson::Layout>("layout");
    // The full controller wherever the compact one would not let the
    // windows be larger: on a large screen the height decides.
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.9 << lesson::Layout::Full;
    QTest::newRow("2560x1440") << QSize(2560, 1440) << 2.6 << lesson::Layout::Full;
    QTest::newRow("1280x1024: compact") << QSize(1280, 1024) << 1.4 << lesson::Layout::Compact;
    QTest::newRow("1024x768: compact") << QSize(1024, 768) << 1.15 << lesson::Layout::Compact;
}

void TestLesson::projectorHoldsBoth()
{
    QFETCH(QSize, available);
    QFETCH(double, expected);
    QFETCH(lesson::Layout, layout);
    const shell::Choice choice = shell::projectorChoice(available, true);
    QCOMPARE(choice.scale, expected);
    QCOMPARE(choice.controller, layout);
    const shell::Needed needed = shell::neededArea(lesson::areaOf(layout));
    QVERIFY(needed.client.width() * choice.scale + needed.frame.width() <= available.width());
    QVERIFY(needed.client.height() * choice.scale + needed.frame.height() <= available.height());
    // Without lesson mode, the scale is that of the windows alone.
    const shell::Needed alone = shell::neededArea();
    QCOMPARE(shell::projectorChoice(available, false).scale,
             shell::projectorScale(available, alone.client, alone.frame));
    // The controller's parts fit in the area the scale was chosen for, in
    // each language, in the program's faces.
    const QFont font = QApplication::font();
    for (const char* language : {"ja", "en"}) {
        QTranslator translator;
        const bool english = qstrcmp(language, "en") == 0;
        if (english) {
            QVERIFY(translator.load(QStringLiteral(":/i18n/sorvena_en.qm")));
            QCoreApplication::installTranslator(&translator);
        }
        platform::setLatinFaces(english);
        QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));
        Pace pace;
        lesson::LessonController controller(pace, std::unique_ptr<charts::Trace>(new charts::TraceChart), layout);
        QCOMPARE(controller.size(), lesson::areaOf(layout));
        const QSize least = controller.layout()->minimumSize();
        QVERIFY2(least.width() <= lesson::areaOf(layout).width() && least.height() <= lesson::areaOf(layout).height(),
                 qPrintable(QStringLiteral("%1: %2x%3").arg(QLatin1String(language)).arg(least.width()).arg(least.height())));
        if (english)
            QCoreApplication::removeTranslator(&translator);
    }
    platform::setLatinFaces(false);
    QApplication::setFont(font);
}

void TestLesson::keys_data()
{
    // Keys typed on the controller, on a button of the window beside it, or
    // on the chosen tempo: + - m p s as themselves, < > the arrows.
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Tempo>("tempo");
    QTest::addColumn<bool>("muted");
    QTest::addColumn<QString>("said");
    QTest::newRow("− in the controller") << "controller" << "-" << Tempo::Fast << false << "速さ：はやく";
    QTest::newRow("− − + in the window") << "window" << "--+" << Tempo::Fast << false << "速さ：はやく";
    QTest::newRow("+ at full speed") << "window" << "+" << Tempo::Full << false << "速さ：全速";
    QTest::newRow("M mutes") << "window" << "m" << Tempo::Full << true << "消音";
    QTest::newRow("M again sounds") << "controller" << "mm" << Tempo::Full << false << "消音を解除";
    QTest::newRow("H in the window") << "window" << "h" << Tempo::Full << false << "授業モードの窓を隠しました。Ｈで戻ります。";
    QTest::newRow("P and S with no run") << "window" << "ps" << Tempo::Full << false << "計算中ではありません";
    QTest::newRow("R reads the readings") << "window" << "r" << Tempo::Full << false << "いまの値 なし、正しい桁数 なし";
    // The radio group reads its own new choice.
    QTest::newRow("arrows in the tempo group") << "tempo" << "<<>" << Tempo::Fast << false << "";
    QTest::newRow("− on the tempo group") << "tempo" << "-" << Tempo::Fast << false << "";
}

void TestLesson::keys()
{
    QFETCH(QString, where);
    QFETCH(QString, keys);
    QFETCH(Tempo, tempo);
    QFETCH(bool, muted);
    QFETCH(QString, said);
    Lesson l;
    Form19 w;
    w.Show();
    QTRY_VERIFY(l.controller.isVisible()); // beside the window, which it follows
    // The controller's focus was on the tempo: it stays on the one chosen,
    // whatever chose it.
    l.controller.tempoButton(l.pace.tempo())->setFocus();
    for (QChar c : keys) {
        QWidget* target = where == QLatin1String("window") ? static_cast<QWidget*>(w.Command5)
                          : where == QLatin1String("tempo") ? static_cast<QWidget*>(l.controller.tempoButton(l.pace.tempo()))
                                                            : static_cast<QWidget*>(&l.controller);
        const Qt::Key key = c == '+' ? Qt::Key_Plus : c == '-' ? Qt::Key_Minus : c == 'm' ? Qt::Key_M
                          : c == 'p' ? Qt::Key_P : c == 's' ? Qt::Key_S : c == 'r' ? Qt::Key_R : c == 'h' ? Qt::Key_H
                          : c == '<' ? Qt::Key_Left : Qt::Key_Right;
        QTest::keyClick(target, key);
    }
    QCOMPARE(l.pace.tempo(), tempo);
    QVERIFY(l.controller.tempoButton(tempo)->isChecked());
    QCOMPARE(platform::MMControl::muted(), muted);
    QCOMPARE(lastSaid(where == QLatin1String("window") ? static_cast<QWidget*>(&w) : &l.controller), said);
    QVERIFY(!w.findChild<QWidget*>(QStringLiteral("announcement")) || where == QLatin1String("window"));
    // The chosen tempo is the group's one Tab stop, and has the focus where
    // the arrows moved it.
    for (Tempo t : {Tempo::ByPress, Tempo::Slow, Tempo::Medium, Tempo::Fast, Tempo::Full})
        QCOMPARE(bool(l.controller.tempoButton(t)->focusPolicy() & Qt::TabFocus), t == tempo);
    QCOMPARE(l.controller.focusWidget(), static_cast<QWidget*>(l.controller.tempoButton(tempo)));
}

void TestLesson::f6AndHMoveTheController()
{
    Lesson l;
    Form19 w;
    w.Show();
    QTRY_VERIFY(l.controller.isVisible());
    w.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    QTest::keyClick(w.Command5, Qt::Key_F6);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&l.controller));
    QTest::keyClick(&l.controller, Qt::Key_F6);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    // H puts it away, through the window's coming and going, and back.
    QTest::keyClick(w.Command5, Qt::Key_H);
    QVERIFY(!l.controller.isVisible());
    w.Hide();
    w.Show();
    QTest::qWait(50);
    QVERIFY(!l.controller.isVisible());
    QTest::keyClick(w.Command5, Qt::Key_H);
    QTRY_VERIFY(l.controller.isVisible());
}

void TestLesson::placeablePlatform_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("asked");
    QTest::newRow("Wayland with XWayland") << QByteArray() << QByteArray("wayland") << QByteArray(":0") << QByteArray("xcb");
    QTest::newRow("Wayland alone") << QByteArray() << QByteArray("wayland") << QByteArray() << QByteArray();
    QTest::newRow("the user's choice") << QByteArray("wayland") << QByteArray("wayland") << QByteArray(":0")
                                       << QByteArray();
    QTest::newRow("X11 desktop") << QByteArray() << QByteArray("x11") << QByteArray(":0") << QByteArray();
    QTest::newRow("no session named") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray();
}

void TestLesson::placeablePlatform()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, asked);
    const auto value = [](const QByteArray& b) { return b.isNull() ? nullptr : b.constData(); };
    QCOMPARE(QByteArray(lesson::placeablePlatform(value(chosen), value(session), value(display))), asked);
}

void TestLesson::mute()
{
    Lesson l;
    platform::MMControl player(nullptr);
    l.controller.findChild<QPushButton*>(QStringLiteral("mute"))->click();
    QVERIFY(platform::MMControl::muted());
    platform::PlayCue(player, platform::clickCue);
    platform::StartMusic(player);
    QCOMPARE(l.recorder.sounded, 0);
    l.controller.findChild<QPushButton*>(QStringLiteral("mute"))->click();
    platform::PlayCue(player, platform::clickCue);
    QCOMPARE(l.recorder.sounded, 1);
}

void TestLesson::accessibleTable_data()
{
    // After 20 terms of Gregory–Leibniz, what a screen reader gets of each
    // of the controller's parts (by object name; "tempo" is the chosen
    // one): its role, its name and a part of its description (patterns),
    // and whether it is checked.
    QTest::addColumn<QString>("object");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("checked");
    const auto row = [](const char* object, QAccessible::Role role, const char* name, const char* description = "",
                        bool checked = false) {
        QTest::newRow(object) << QString::fromUtf8(object) << role << QString::fromUtf8(name)
                              << QString::fromUtf8(description) << checked;
    };
    row("LessonController", QAccessible::Window, "授業モード", "Ｐで一時停止と再開、Ｓで１ステップ");
    row("tempo", QAccessible::RadioButton, "速さ：ふつう（１秒に２０ステップ）", "", true);
    row("pause", QAccessible::Button, "一時停止");
    row("step", QAccessible::Button, "１ステップ進める");
    row("mute", QAccessible::CheckBox, "消音（合図の音と曲）");
    row("value", QAccessible::StaticText, "いまの値 3\\.0916238066678\\d*、正しい桁数 1 桁、ｎ＝20");
    row("pi", QAccessible::StaticText, "πの正しい値 3\\.1415926535897932");
    row("correct", QAccessible::StaticText, "正しい桁数 1 桁");
    row("steps", QAccessible::StaticText, "ｎ＝20");
    row("viewLinear", QAccessible::RadioButton, "グラフ：値とｎ", "", true);
    row("viewLogError", QAccessible::RadioButton, "グラフ：誤差とｎ、対数目盛");
    row("trace", QAccessible::Client, "推定値のグラフ",
        "値のグラフ：ｎ＝20、最後の値 3\\.0916238066678\\d*、誤差 0\\.05、正しい桁数 1 桁、πの上下に振れています");
}

void TestLesson::accessibleTable()
{
    QFETCH(QString, object);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(bool, checked);
    testing::ScriptedServices services;
    testing::SoundRecorder recorder;
    Pace pace;
    pace.setTempo(Tempo::Medium);
    lesson::LessonController controller(pace, std::unique_ptr<charts::Trace>(new charts::TraceChart));
    shell::observeRuns(&pace, &controller);
    Form16 w;
    w.Show();
    w.Command5_Click();
    services.replies = {QStringLiteral("20")};
    pace.setTempo(Tempo::Full);
    w.Command2->click();
    pace.setTempo(Tempo::Medium);

    QObject* found = object == QLatin1String("LessonController") ? &controller
                     : object == QLatin1String("tempo")          ? static_cast<QObject*>(controller.tempoButton(pace.tempo()))
                                                                 : controller.findChild<QObject*>(object);
    QVERIFY(found);
    QAccessibleInterface* a = accessible(found);
    QCOMPARE(a->role(), role);
    const auto matches = [](const QString& pattern, const QString& text) {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
    };
    QVERIFY2(matches(name, a->text(QAccessible::Name)), qPrintable(a->text(QAccessible::Name)));
    QVERIFY2(matches(description + QStringLiteral(".*"), a->text(QAccessible::Description)),
             qPrintable(a->text(QAccessible::Description)));
    QCOMPARE(bool(a->state().checked), checked);
    // The captions are carried by the readings' names, not read twice.
    for (QLabel* label : controller.findChildren<QLabel*>())
        if (label->text() == QLatin1String("いまの値") || label->text() == QLatin1String("π"))
            QVERIFY(accessible(label)->state().invisible);
}

void TestLesson::traceChart()
{
    charts::TraceChart chart;
    QList<QPointF> points;
    double sum = 0;
    for (int k = 0; k < 100000; ++k) {
        sum += (k % 2 ? -4.0 : 4.0) / (2 * k + 1);
        points << QPointF(k + 1, sum);
    }
    chart.append(points.mid(0, 50));
    QCOMPARE(chart.curve().count(), 50);
    // A long run is drawn from a few points a column, its envelope kept.
    chart.append(points.mid(50));
    const QList<QPointF> drawn = chart.curve().points();
    QVERIFY(drawn.size() <= 1000);
    const auto [low, high] = std::minmax_element(drawn.begin(), drawn.end(),
                                                 [](QPointF a, QPointF b) { return a.y() < b.y(); });
    QCOMPARE(high->y(), 4.0);
    QCOMPARE(low->y(), points[1].y());
    QCOMPARE(drawn.last(), points.last());
    // The error view: |π − estimate|, falling as 1/n.
    chart.setView(charts::TraceView::LogError);
    QCOMPARE(chart.curve().points().last().y(), std::abs(points.last().y() - M_PI));
    QVERIFY(chart.curve().points().first().y() > 0.8);
    // Its labels are powers of ten, never cut short: in the narrow compact
    // chart every second decade, n from 1 to 10⁶, the error from 10⁻⁶ to 1.
    const auto shownLabels = [&chart] {
        QStringList labels;
        for (QGraphicsItem* item : chart.scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible()) {
                labels << text->toPlainText();
                if (labels.last().contains(QChar(0x2026)) || labels.last().contains(QStringLiteral("...")))
                    return QStringList{QStringLiteral("cut short: ") + labels.last()};
            }
        return labels;
    };
    chart.setCompact(true);
    chart.resize(162, 240);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    if (qEnvironmentVariableIsSet("SORVENA_SHOTS"))
        chart.grab().save(qEnvironmentVariable("SORVENA_SHOTS") + QStringLiteral("/trace-log-compact.png"));
    const QStringList labels = shownLabels();
    for (const char* label : {"100", "106", "10-6", "10-2"})
        QVERIFY2(labels.contains(QLatin1String(label)), qPrintable(labels.join(QLatin1Char(' '))));
    chart.clear();
    QCOMPARE(chart.curve().count(), 0);

    // A series that reaches the floor at once, then a slow one in the same
    // chart, at the controller's size: no axis label is cut short.
    chart.setCompact(false);
    chart.resize(320, 220);
    QList<QPointF> fast;
    for (int k = 1; k <= 40; ++k)
        fast << QPointF(k, M_PI + std::pow(10.0, -k));
    for (const QList<QPointF>& run : {fast, points.mid(0, 2000)}) {
        chart.clear();
        chart.append(run);
        QApplication::processEvents();
        const QStringList shown = shownLabels();
        QVERIFY2(!shown.join(QLatin1Char(' ')).contains(QStringLiteral("cut short")), qPrintable(shown.join(QLatin1Char(' '))));
    }
}

void TestLesson::controllerDrawsTheTrace()
{
    testing::ScriptedServices services;
    testing::SoundRecorder recorder;
    Pace pace;
    auto* chart = new charts::TraceChart;
    lesson::LessonController controller(pace, std::unique_ptr<charts::Trace>(chart));
    shell::observeRuns(&pace, &controller);
    QCOMPARE(controller.size(), lesson::controllerArea);
    Form16 w;
    w.Show();
    w.Command5_Click();
    services.replies = {QStringLiteral("20")};
    w.Command2->click();
    // One point a term, n = 1..20, swinging about π as Gregory–Leibniz does.
    const QList<QPointF> points = chart->curve().points();
    QCOMPARE(points.size(), 20);
    for (int i = 0; i < points.size(); ++i) {
        QCOMPARE(points[i].x(), double(i + 1));
        QCOMPARE(points[i].y() > M_PI, i % 2 == 0);
    }
    QCOMPARE(QStringLiteral("π＝") + platform::Str(controller.valueText().toDouble()), w.Label3->text());
    QCOMPARE(controller.findChild<QLabel*>(QStringLiteral("correct"))->text(),
             QStringLiteral("正しい桁数：%1 桁").arg(digits::correct(controller.valueText().toStdString())));
    // The view buttons switch the chart.
    auto* logError = controller.findChild<QPushButton*>(QStringLiteral("viewLogError"));
    QVERIFY(logError);
    logError->click();
    QCOMPARE(chart->view(), charts::TraceView::LogError);
    QCOMPARE(chart->curve().points().first().y(), 4 - M_PI);
    // Shift+F10 on the chart opens its menu, as the right button does.
    QStringList offered;
    QTimer::singleShot(0, chart, [&offered] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions())
                offered << action->text() + (action->isEnabled() ? "" : " (disabled)");
            menu->close();
        }
    });
    QTest::keyClick(chart, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(offered, (QStringList{"グラフを画像で保存…", "点を CSV で保存…"}));
}

void TestLesson::controllerShowsTheWindow_data()
{
    // The window's buttons clicked at a tempo, the count asked for given,
    // the controller on its error graph: its value, correct digits and
    // bracket then, as one pattern.
    QTest::addColumn<QString>("window");
    QTest::addColumn<Tempo>("tempo");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("shown");
    const QStringList run{QStringLiteral("Command5"), QStringLiteral("Command2")};
    // Drawn a step at a time, the curve stays where its labels say.
    QTest::newRow("Matsunaga 1 at the normal tempo") << "Form9" << Tempo::Medium << run << "30" << ".*";
    // The window prints the hexagon's 2.9999999999999973 as 3.
    QTest::newRow("the hexagon by hand")
        << "Form18" << Tempo::Full << QString("Command6 Command5 Command5 Command5 Command5").split(' ') << ""
        << "^3 / 正しい桁数：1 桁 / 3.00000 < π < 3.46410（正6角形の内と外）$";
    QTest::newRow("Leibniz at the normal tempo") << "Form16" << Tempo::Medium << run << "20" << ".*";
    // A random estimate is as good as its standard error.
    QTest::newRow("Monte Carlo, 10⁴ points")
        << "Form19" << Tempo::Full << run << "10000" << "^3\\.1\\d\\d ± 0\\.016 / 正しい桁数：2 桁 / $";
    QTest::newRow("Buffon, 60 needles at the normal tempo")
        << "Form20" << Tempo::Medium << run << "60" << "^\\d\\.\\d+ ± \\d\\.\\d+ / 正しい桁数：[01] 桁 / $";
}

void TestLesson::controllerShowsTheWindow()
{
    QFETCH(QString, window);
    QFETCH(Tempo, tempo);
    QFETCH(QStringList, clicks);
    QFETCH(QString, count);
    QFETCH(QString, shown);
    auto* chart = new charts::TraceChart;
    Lesson l(chart);
    lesson::LessonController& controller = l.controller;
    controller.show();
    QVERIFY(QTest::qWaitForWindowExposed(&controller));
    controller.findChild<QPushButton*>(QStringLiteral("viewLogError"))->click();
    l.pace.setTempo(tempo);
    const auto label = [&controller](const char* name) {
        const QLabel* shown = controller.findChild<QLabel*>(QLatin1String(name));
        return shown->textFormat() == Qt::RichText ? QTextDocumentFragment::fromHtml(shown->text()).toPlainText()
                                                   : shown->text();
    };
    // As the window yields, all it has drawn shown; at full speed the
    // controller may lag, redrawing at most every 50 ms.
    QStringList behind;
    l.services.onDoEvents = [&](int) {
        if (tempo != Tempo::Full && l.log.n() > 0 && label("steps") != QStringLiteral("ｎ＝%1").arg(l.log.n()))
            behind << label("steps") + QStringLiteral(" beside ") + QString::number(l.log.n());
    };
    const std::map<QString, std::function<platform::Form*()>> windows{
        {"Form9", [] { return new Form9; }},   {"Form16", [] { return new Form16; }},
        {"Form18", [] { return new Form18; }}, {"Form19", [] { return new Form19; }},
        {"Form20", [] { return new Form20; }}};
    const std::unique_ptr<platform::Form> w(windows.at(window)());
    compare::Method method{};
    l.log.onOpen = [&method](platform::Run& run) { method = run.method(); };
    w->Show();
    l.services.replies = {count};
    for (const QString& name : clicks)
        w->findChild<QPushButton*>(name)->click();
    l.services.onDoEvents = nullptr;
    QVERIFY2(behind.isEmpty(), qPrintable(behind.join(QStringLiteral(", "))));
    const QString reads = label("value") + " / " + label("correct") + " / " + label("bracket");
    QVERIFY2(QRegularExpression(shown).match(reads).hasMatch(), qPrintable(reads));
    // The polygons' run draws the polygons outside too, their error beside.
    const QList<QPointF> outer = chart->outerCurve().points();
    QCOMPARE(outer.size(), window == QLatin1String("Form18") ? chart->curve().count() : 0);
    for (qsizetype i = 0; i < outer.size(); ++i) {
        QCOMPARE(outer[i].x(), chart->curve().at(i).x());
        QCOMPARE(outer[i].y(), std::abs(polygon::circumscribed(std::int64_t(outer[i].x())) - M_PI));
    }
    // Each point of the error curve where the decade labels put it.
    const QValueAxis& decades = chart->decadeAxis(Qt::Vertical);
    const QRectF area = chart->chart()->plotArea();
    for (const QPointF& p : chart->curve().points()) {
        const double at = chart->chart()->mapToPosition(p, const_cast<QLineSeries*>(&chart->curve())).y();
        const double labelled = area.bottom() - (std::log10(p.y()) - decades.min()) / (decades.max() - decades.min()) * area.height();
        QVERIFY2(std::abs(at - labelled) < 1, qPrintable(QStringLiteral("n = %1 at %2, labelled %3").arg(p.x()).arg(at).arg(labelled)));
    }
    // What the menu saves (the pictures' writer is the comparison's, checked
    // there): an SVG titled after the method and the graph, and a line a
    // point, the last counted as shown.
    QTemporaryDir dir;
    QVERIFY(chart->savePicture(dir.filePath("t.svg")));
    QFile svg(dir.filePath("t.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString title = QCoreApplication::translate("methods", compare::title(method)) + "：誤差のグラフ（対数）";
    QVERIFY(QString::fromUtf8(svg.readAll()).contains("<title>" + title.toHtmlEscaped() + "</title>"));
    QVERIFY(chart->saveCsv(dir.filePath("t.csv")));
    QFile csv(dir.filePath("t.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), controller.traced().size() + 1);
    QCOMPARE(lines.last().split(',')[3], label("correct").section(QStringLiteral("："), 1).section(' ', 0, 0));
}

void TestLesson::classSession_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("offered");
    QTest::newRow("Monte Carlo") << "Form19" << true;
    QTest::newRow("Buffon") << "Form20" << true;
    QTest::newRow("polygons") << "Form18" << false;
}

// Beside the windows the shell offers, the button shows and C asks for the
// class session of that window; elsewhere C does nothing.
void TestLesson::classSession()
{
    QFETCH(QString, window);
    QFETCH(bool, offered);
    Lesson l;
    l.controller.setClassSessionOffered(
        [](const platform::Form& form) { return form.objectName() != QLatin1String("Form18"); });
    QList<platform::Form*> requested;
    connect(&l.controller, &lesson::LessonController::classSessionRequested, this,
            [&requested](platform::Form& form) { requested << &form; });
    const std::map<QString, std::function<platform::Form*()>> windows{
        {"Form18", [] { return new Form18; }}, {"Form19", [] { return new Form19; }}, {"Form20", [] { return new Form20; }}};
    const std::unique_ptr<platform::Form> w(windows.at(window)());
    w->Show();
    QTRY_VERIFY(l.controller.isVisible());
    auto* button = l.controller.findChild<QPushButton*>(QStringLiteral("classSession"));
    QTRY_COMPARE(button->isVisible(), offered);
    QTest::keyClick(w.get(), Qt::Key_C);
    QCOMPARE(requested, offered ? QList<platform::Form*>{w.get()} : QList<platform::Form*>{});
}

QTEST_MAIN(TestLesson)
#include "tst_lesson.moc"

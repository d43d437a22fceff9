// SPDX-License-Identifier: GPL-3.0-or-later
// Every method window tells its runs what its own counter and estimate
// show: the same n and the same value at every step, and after 中止.
#include "lesson/LessonController.h"
#include "lesson/Pace.h"
#include "platform/Form.h"
#include "platform/accessible/Narrator.h"
#include "polygon/Form18.h"
#include "rules/Digits.h"
#include "rules/Runtime.h"
#include "shell/Observers.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The first whole number a counter shows ("正1000角形", "打った点の総数＝ 5 /  100").
qint64 shownCount(const QString& text)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\d+")).match(text);
    return m.hasMatch() ? m.captured().toLongLong() : -1;
}

// The number after the estimate's sign, or none when the label is empty.
std::optional<double> shownValue(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const qsizetype sign = text.indexOf(QChar(0xFF1D)); // ＝
    return text.mid(sign + 1).trimmed().toDouble();
}

QString label(const platform::Form& w, const QString& name)
{
    return w.findChild<QLabel*>(name)->text();
}

void click(platform::Form& w, const QString& button)
{
    w.findChild<QPushButton*>(button)->click();
}

} // namespace

class TestRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void stepsAreWhatTheWindowShows_data();
    void stepsAreWhatTheWindowShows();
    void everyDoEventsYields_data();
    void everyDoEventsYields();
};

void TestRuns::initTestCase() { shell::observeRuns(); }

void TestRuns::stepsAreWhatTheWindowShows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("explain");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("estimate");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("stopAt"); // DoEvents call that clicks 中止; 0 for none
    QTest::addColumn<qint64>("lastN"); // -1: stopped short of it
    QTest::addColumn<bool>("single");
    QTest::addColumn<int>("presses"); // of the start button

    struct Window {
        const char* name;
        const char* explain;
        const char* start;
        const char* stop;
        const char* counter;
        const char* estimate;
        bool single;
    };
    const Window windows[] = {
        {"Form9", "Command5", "Command2", "Command6", "Label2", "Label3", false},
        {"Form10", "Command5", "Command2", "Command6", "Label2", "Label3", false},
        {"Form15", "Command5", "Command2", "Command6", "Label2", "Label3", false},
        {"Form16", "Command5", "Command2", "Command6", "Label2", "Label3", false},
        {"Form17", "Command5", "Command2", "Command6", "Label2", "Label3", false},
        {"Form18", "Command6", "Command2", "Command4", "Label1", "Label2", false},
        {"Form19", "Command5", "Command2", "Command4", "Label1", "Label3", true},
        {"Form20", "Command5", "Command2", "Command4", "Label1", "Label3", true},
    };
    // 20 terms, factors, sides, points or needles; the Wallis window counts
    // two factors a pass and the polygons start at the triangle, and each
    // still ends at 20.
    for (const Window& w : windows) {
        QTest::addRow("%s to the end", w.name) << w.name << w.explain << w.start << w.stop << w.counter << w.estimate
                                               << QStringLiteral("20") << 0 << qint64(20) << w.single << 1;
        QTest::addRow("%s stopped", w.name) << w.name << w.explain << w.start << w.stop << w.counter << w.estimate
                                            << QStringLiteral("20") << 6 << qint64(-1) << w.single << 1;
    }
    // The polygons' manual step is a run of one step; ten of them, from
    // the triangle to the 12-gon, are one trace, and 自動's coming with
    // the 11-gon is said once.
    QTest::addRow("Form18 by hand") << "Form18" << "Command6" << "Command5" << "Command4" << "Label1" << "Label2"
                                    << QString() << 0 << qint64(12) << false << 10;
}

void TestRuns::stepsAreWhatTheWindowShows()
{
    QFETCH(QString, window);
    QFETCH(QString, explain);
    QFETCH(QString, start);
    QFETCH(QString, stop);
    QFETCH(QString, counter);
    QFETCH(QString, estimate);
    QFETCH(QString, reply);
    QFETCH(int, stopAt);
    QFETCH(qint64, lastN);
    QFETCH(bool, single);
    QFETCH(int, presses);

    testing::ScriptedServices services;
    testing::SoundRecorder recorder;
    services.seed(7);
    testing::RunLog log;
    lesson::Pace pace;
    lesson::LessonController controller{pace, nullptr};
    shell::observeRuns(&pace, &controller);
    platform::Form& w = testing::window(window);
    w.Show();
    click(w, explain);
    // The polygons' 自動 comes with the manual steps' 11-gon.
    for (int i = 0; i < 10 && !w.findChild<QPushButton*>(start)->isEnabled(); ++i)
        click(w, QStringLiteral("Command5"));
    log.opened = log.closed = 0;

    QStringList mismatches;
    log.onStep = [&](platform::Run& run) {
        if (std::count_if(log.steps.cbegin(), log.steps.cend(), [&](const auto& s) { return s.n == run.n(); }) > 1)
            mismatches << QStringLiteral("n %1 told twice").arg(run.n());
        const qint64 shownN = shownCount(label(w, counter));
        const std::optional<double> shown = shownValue(label(w, estimate));
        if (shownN != run.n() || shown.has_value() != run.value().has_value()
            || (shown && (std::abs(*shown - *run.value()) > 1e-13 || run.singlePrecision() != single)))
            mismatches << QStringLiteral("n %1 %2 shown as %3 %4")
                              .arg(run.n())
                              .arg(run.value().value_or(-1), 0, 'g', 17)
                              .arg(label(w, counter), label(w, estimate));
    };
    services.replies = {reply};
    services.onDoEvents = [&](int call) {
        if (call == stopAt)
            click(w, stop);
    };
    if (presses > 1)
        QTest::qWait(Form18::autoAvailableDelayMs + 200); // what earlier rows had to say
    {
        testing::Announcements announcements;
        for (int i = 0; i < presses; ++i)
            click(w, start);
        if (presses > 1) {
            QTest::qWait(Form18::autoAvailableDelayMs + 200);
            QCOMPARE(announcements.said().count(QStringLiteral("「自動」が使えます")), 1);
        }
    }
    w.Hide();

    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QLatin1Char('\n'))));
    QCOMPARE(log.opened, presses);
    QCOMPARE(log.closed, presses);
    QVERIFY(!log.steps.isEmpty());
    // What the window shows at the end is the run's last word.
    QCOMPARE(log.n(), shownCount(label(w, counter)));
    if (lastN > 0)
        QCOMPARE(log.n(), lastN);
    else
        QVERIFY2(log.n() < 20, qPrintable(label(w, counter)));
    const std::optional<double> shown = shownValue(label(w, estimate));
    QCOMPARE(shown.has_value(), log.steps.last().value.has_value());
    if (shown)
        QVERIFY(std::abs(*shown - *log.steps.last().value) <= 1e-13);

    // Lesson mode's controller shows the same n, and the value as the
    // window prints it; an experiment's rounded to its standard error,
    // shown beside it.
    const auto child = [&](const char* name) { return controller.findChild<QLabel*>(QLatin1String(name)); };
    QCOMPARE(child("steps")->text(), QStringLiteral("ｎ＝%1").arg(log.n()));
    if (shown && single) {
        QVERIFY2(child("value")->text().contains(QStringLiteral(" ± ")), qPrintable(child("value")->text()));
        QVERIFY(std::abs(controller.valueText().toDouble() - *shown) <= 0.05);
    } else if (shown) {
        const std::string digits = rt::Plain(*log.steps.last().value);
        QCOMPARE(controller.valueText(), QString::fromStdString(digits));
        QCOMPARE(child("correct")->text(), QStringLiteral("正しい桁数：%1 桁").arg(digits::correct(digits)));
    }
    // Its trace holds a point for each n that showed a value: the run's,
    // or the manual steps' one after another.
    QList<qint64> valued;
    for (const testing::RunLog::Step& step : std::as_const(log.steps))
        if (step.value)
            valued << step.n;
    if (presses > 1) {
        valued.clear();
        for (qint64 n = log.n() - presses + 1; n <= log.n(); ++n)
            valued << n;
    }
    QList<qint64> traced;
    for (const QPointF& point : controller.traced())
        traced << qint64(point.x());
    QCOMPARE(traced, valued);
    if (shown)
        QCOMPARE(controller.traced().last().y(), *log.steps.last().value);
    // Archimedes' bracket beside the polygons only.
    QCOMPARE(child("bracket")->isVisibleTo(&controller), window == QLatin1String("Form18"));
}

void TestRuns::everyDoEventsYields_data()
{
    // Lesson mode holds runs in the yield: whichever services are in.
    QTest::addColumn<bool>("scripted");
    QTest::addColumn<bool>("open");
    QTest::newRow("the real services") << false << true;
    QTest::newRow("a test double") << true << true;
    QTest::newRow("no run open") << true << false;
}

void TestRuns::everyDoEventsYields()
{
    QFETCH(bool, scripted);
    QFETCH(bool, open);
    std::optional<testing::ScriptedServices> services;
    if (scripted)
        services.emplace();
    testing::RunLog log;
    std::optional<platform::Run> run;
    if (open)
        run.emplace(testing::window(QStringLiteral("Form19")), compare::Method::MonteCarlo);
    for (int i = 0; i < 3; ++i)
        platform::DoEvents();
    QCOMPARE(log.yields, open ? 3 : 0);
    if (scripted)
        QCOMPARE(services->doEventsCalls, 3);
}

QTEST_MAIN(TestRuns)
#include "tst_runs.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Every method window tells its runs what its own counter and estimate
// show: the same n and the same value at every step, and after 中止.
#include "experiments/Form19.h"
#include "lesson/LessonController.h"
#include "lesson/Pace.h"
#include "platform/Form.h"
#include "polygon/Form18.h"
#include "series/Form15.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <memory>

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
    void stepsAreWhatTheWindowShows_data();
    void stepsAreWhatTheWindowShows();
    // Lesson mode's controller shows the same n, and the correct digits of
    // the same value.
    void controllerShowsTheWindowsStep_data();
    void controllerShowsTheWindowsStep();
};

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
                                               << QStringLiteral("20") << 0 << qint64(20) << w.single;
        QTest::addRow("%s stopped", w.name) << w.name << w.explain << w.start << w.stop << w.counter << w.estimate
                                            << QStringLiteral("20") << 6 << qint64(-1) << w.single;
    }
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

    testing::ScriptedServices services;
    testing::SoundRecorder recorder;
    services.seed(7);
    testing::RunLog log;
    platform::Form& w = testing::window(window);
    w.Show();
    click(w, explain);
    // The polygons' 自動 comes with the manual steps' 11-gon.
    for (int i = 0; i < 10 && !w.findChild<QPushButton*>(start)->isEnabled(); ++i)
        click(w, QStringLiteral("Command5"));

    QStringList mismatches;
    log.onStep = [&](platform::Run& run) {
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
    click(w, start);
    w.Hide();

    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QLatin1Char('\n'))));
    QCOMPARE(log.opened, 1);
    QCOMPARE(log.closed, 1);
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
}

void TestRuns::controllerShowsTheWindowsStep_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("inside"); // Monte Carlo: points at the centre, the rest in a corner
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("correct");
    // The polygons count sides from the triangle, Wallis two factors a pass.
    QTest::newRow("polygon of 1000 sides") << "Form18" << "1000" << 0 << "ｎ＝1000" << "正しい桁数：5 桁";
    QTest::newRow("Wallis to 20 factors") << "Form15" << "20" << 0 << "ｎ＝20" << "正しい桁数：1 桁";
    // 3.1 in single precision, not the 3.0999999 its double reads.
    QTest::newRow("775 of 1000 points") << "Form19" << "1000" << 775 << "ｎ＝1000" << "正しい桁数：2 桁";
}

void TestRuns::controllerShowsTheWindowsStep()
{
    QFETCH(QString, window);
    QFETCH(QString, reply);
    QFETCH(int, inside);
    QFETCH(QString, steps);
    QFETCH(QString, correct);
    // The real DoEvents, where the pace waits, under the scripted dialogs.
    struct : testing::ScriptedServices {
        void doEvents() override { platform::Services::doEvents(); }
    } services;
    testing::SoundRecorder recorder;
    lesson::Pace pace;
    lesson::LessonController controller{pace, nullptr};
    for (int i = 0; i < reply.toInt() && inside > 0; ++i) {
        const float r = i < inside ? 0.5f : 0.0f;
        services.rndValues.insert(services.rndValues.end(), {r, r});
    }
    // Windows of the test's own, destroyed with it like the controller.
    std::unique_ptr<platform::Form> made;
    if (window == QLatin1String("Form18"))
        made = std::make_unique<Form18>();
    else if (window == QLatin1String("Form15"))
        made = std::make_unique<Form15>();
    else
        made = std::make_unique<Form19>();
    platform::Form& w = *made;
    w.Show();
    w.findChild<QPushButton*>(window == QLatin1String("Form18") ? QStringLiteral("Command6") : QStringLiteral("Command5"))
        ->click();
    for (int i = 0; i < 10 && !w.findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled(); ++i)
        w.findChild<QPushButton*>(QStringLiteral("Command5"))->click(); // the polygons' manual steps
    services.replies = {reply};
    w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QTRY_COMPARE(controller.findChild<QLabel*>(QStringLiteral("steps"))->text(), steps);
    QCOMPARE(controller.findChild<QLabel*>(QStringLiteral("correct"))->text(), correct);
    const QLabel* bracket = controller.findChild<QLabel*>(QStringLiteral("bracket"));
    QCOMPARE(bracket->isVisibleTo(&controller), window == QLatin1String("Form18"));
    if (window == QLatin1String("Form18"))
        QCOMPARE(bracket->text(), QStringLiteral("3.141587 < π < 3.141603（正1000角形の内と外）"));
    w.Hide();
}

QTEST_MAIN(TestRuns)
#include "tst_runs.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's reading of a run, without a window or an application
// object: which steps make one trace, the digits at the run's precision,
// what the trace and the error say in words, and the points as CSV.
#include "lesson/Reading.h"

#include <QtTest>

#include <numbers>

using compare::Method;
using lesson::Reading;

namespace {

// What happens to the reading: a run opens (in the window of the last run
// or another), a step is told (with a value or none), the run closes, or
// the value is forgotten.
struct Event {
    enum Kind { OpenSame, OpenElsewhere, Step, Close, ClearValue } kind;
    Method method = Method::Polygon;
    qint64 n = 0;
    std::optional<double> value = std::nullopt;
    bool single = false;
    std::optional<classthrows::Tally> tally = std::nullopt;
};

Event opens(Method method, bool same = true) { return {same ? Event::OpenSame : Event::OpenElsewhere, method}; }
Event step(qint64 n, std::optional<double> value, bool single = false) { return {Event::Step, {}, n, value, single}; }
// An experiment's step, in single precision, with the throws it comes from.
Event thrown(qint64 n, double value, classthrows::Tally tally) { return {Event::Step, {}, n, value, true, tally}; }
const Event closes{Event::Close};

// Tells the reading what happened: true when its trace was cleared.
bool play(Reading& reading, const Event& e)
{
    switch (e.kind) {
    case Event::OpenSame:
    case Event::OpenElsewhere: return reading.open(e.method, e.kind == Event::OpenSame);
    case Event::Step: return reading.step(e.n, e.value, e.single, e.tally);
    case Event::Close: reading.close(); break;
    case Event::ClearValue: reading.clearValue(); break;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(QList<Event>)

class TestLessonModel : public QObject {
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void traceDescription_data();
    void traceDescription();
    void spokenError_data();
    void spokenError();
    void csv_data();
    void csv();
};

void TestLessonModel::steps_data()
{
    QTest::addColumn<QList<Event>>("events");
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("correct");
    QTest::addColumn<QList<qint64>>("traced"); // the points' n
    QTest::addColumn<bool>("bracket");
    const Method series = Method::Leibniz;
    QTest::newRow("a run") << QList<Event>{opens(series, false), step(1, 4.0), step(2, 2.5), step(3, 3.5), closes}
                           << qint64(3) << "3.5" << 1 << QList<qint64>{1, 2, 3} << false;
    QTest::newRow("manual steps go on")
        << QList<Event>{opens(Method::Polygon, false), step(3, 2.598), closes, opens(Method::Polygon), step(4, 2.828),
                        closes, opens(Method::Polygon), step(5, 2.939), closes}
        << qint64(5) << "2.939" << 0 << QList<qint64>{3, 4, 5} << true;
    QTest::newRow("another window starts afresh")
        << QList<Event>{opens(Method::Polygon, false), step(3, 2.598), closes, opens(Method::Polygon, false), step(4, 2.828)}
        << qint64(4) << "2.828" << 0 << QList<qint64>{4} << true;
    QTest::newRow("a step that does not follow on starts afresh")
        << QList<Event>{opens(Method::Polygon, false), step(3, 2.598), closes, opens(Method::Polygon), step(7, 3.037)}
        << qint64(7) << "3.037" << 1 << QList<qint64>{7} << true;
    QTest::newRow("another method starts afresh")
        << QList<Event>{opens(Method::Polygon, false), step(3, 2.598), closes, opens(series), step(4, 2.8952380952380956)}
        << qint64(4) << "2.8952380952381" << 0 << QList<qint64>{4} << false;
    QTest::newRow("a step with no value keeps the last digits")
        << QList<Event>{opens(Method::Buffon, false), step(1, {}), step(2, 4.0, true), step(3, {})}
        << qint64(3) << "4" << 0 << QList<qint64>{2} << false;
    QTest::newRow("single precision") << QList<Event>{opens(Method::MonteCarlo, false), step(1, double(3.1f), true)}
                                      << qint64(1) << "3.1" << 2 << QList<qint64>{1} << false;
    QTest::newRow("the value forgotten, the trace kept")
        << QList<Event>{opens(series, false), step(1, 4.0), closes, {Event::ClearValue}}
        << qint64(1) << "" << 0 << QList<qint64>{1} << false;
}

void TestLessonModel::steps()
{
    QFETCH(QList<Event>, events);
    QFETCH(qint64, n);
    QFETCH(QString, digits);
    QFETCH(int, correct);
    QFETCH(QList<qint64>, traced);
    QFETCH(bool, bracket);
    Reading reading;
    // The trace as a view drawing the new points would show it, cleared
    // when the reading says its trace was.
    QList<QPointF> drawn;
    const auto cleared = [&](bool yes) {
        if (yes)
            drawn.clear();
    };
    for (const Event& e : events) {
        cleared(play(reading, e));
        drawn += reading.points().mid(drawn.size());
    }
    QCOMPARE(reading.n(), n);
    QCOMPARE(reading.digits(), digits);
    QCOMPARE(reading.correct(), correct);
    QList<qint64> xs;
    for (const QPointF& p : reading.points())
        xs << qint64(p.x());
    QCOMPARE(xs, traced);
    QCOMPARE(drawn, reading.points());
    QCOMPARE(!reading.bracketText().isEmpty(), bracket);
}

void TestLessonModel::traceDescription_data()
{
    // The values of steps 1, 2, ... in the view "V".
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("description");
    const double pi = std::numbers::pi;
    QTest::newRow("no points") << QList<double>{} << "まだ点がありません";
    QTest::newRow("one point, no trend") << QList<double>{4.0} << "V：ｎ＝1、最後の値 4、誤差 0.86、正しい桁数 0 桁";
    QTest::newRow("swinging") << QList<double>{4.0, 2.6666666666666665, 3.466666666666667}
                              << "V：ｎ＝3、最後の値 3.46666666666667、誤差 0.33、正しい桁数 1 桁、πの上下に振れています";
    QTest::newRow("from above") << QList<double>{3.5, 3.3, 3.2}
                                << "V：ｎ＝3、最後の値 3.2、誤差 0.058、正しい桁数 1 桁、πの上から落ち着いて近づいています";
    QTest::newRow("from below") << QList<double>{2.9, 3.0, 3.1}
                                << "V：ｎ＝3、最後の値 3.1、誤差 0.042、正しい桁数 2 桁、πの下から落ち着いて近づいています";
    QTest::newRow("moving away") << QList<double>{3.2, 3.3} << "V：ｎ＝2、最後の値 3.3、誤差 0.16、正しい桁数 1 桁、πから離れています";
    QTest::newRow("on π") << QList<double>{pi, pi} << "V：ｎ＝2、最後の値 3.14159265358979、誤差 0、正しい桁数 15 桁、πと同じです";
    // Only the last ten points make the trend: the first one, above, is
    // out of it.
    QTest::newRow("the last ten") << QList<double>{4.0, 3.0, 3.01, 3.02, 3.03, 3.04, 3.05, 3.06, 3.07, 3.08, 3.09}
                                  << "V：ｎ＝11、最後の値 3.09、誤差 0.052、正しい桁数 1 桁、πの下から落ち着いて近づいています";
}

void TestLessonModel::traceDescription()
{
    QFETCH(QList<double>, values);
    QFETCH(QString, description);
    Reading reading;
    QVERIFY(reading.open(Method::Leibniz, false));
    for (qsizetype i = 0; i < values.size(); ++i)
        QVERIFY(!reading.step(i + 1, values[i], false));
    QCOMPARE(reading.traceDescription(QStringLiteral("V")), description);
}

void TestLessonModel::spokenError_data()
{
    QTest::addColumn<double>("error");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("large") << 0.05 << "0.05";
    QTest::newRow("the last plain one") << 0.001 << "0.001";
    QTest::newRow("small") << 1.23e-5 << "1.2×10のマイナス5乗";
    QTest::newRow("rounded up a power") << 9.96e-5 << "1.0×10のマイナス4乗";
    QTest::newRow("double's floor") << 4.2e-16 << "4.2×10のマイナス16乗";
}

void TestLessonModel::spokenError()
{
    QFETCH(double, error);
    QFETCH(QString, spoken);
    QCOMPARE(Reading::spokenError(error), spoken);
}

void TestLessonModel::csv_data()
{
    // The run, how many lines its CSV has with the header, and one line:
    // its value as a number, and its cells but the error.
    QTest::addColumn<QList<Event>>("events");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("cells");
    QTest::newRow("a series") << QList<Event>{opens(Method::Leibniz, false), step(1, 4.0), step(2, 8.0 / 3), step(3, 52.0 / 15)}
                              << 4 << 3 << 52.0 / 15 << "3,3.46666666666667,1,,,";
    // The hexagon's 2.9999999999999973 is printed 3, one correct digit.
    QTest::newRow("the polygons by hand, with their bracket")
        << QList<Event>{opens(Method::Polygon, false), step(3, 2.598076211353316), closes, opens(Method::Polygon),
                        step(4, 2.8284271247461903), closes, opens(Method::Polygon), step(5, 2.938926261462366), closes,
                        opens(Method::Polygon), step(6, 2.9999999999999973)}
        << 5 << 4 << 2.9999999999999973 << "6,3,1,,3.00000,3.46410";
    // 7854 of 10⁴ points: 3.1416 ± 4·√(p(1−p)/n) = 0.0164, shown 3.142 ±
    // 0.016, of which only two digits count.
    QTest::newRow("Monte Carlo, as good as its spread")
        << QList<Event>{opens(Method::MonteCarlo, false), thrown(1, 4.0, {1, 1}), thrown(2, 4.0, {2, 2}),
                        thrown(3, double(3.1416f), {10000, 7854})}
        << 4 << 3 << double(3.1416f) << "3,3.1416,2,0.016,,";
    // 20 of 60 needles: 3 ± √(p(1−p)/n)/p² = 0.548, shown 3.00 ± 0.55. The
    // step before any needle met a line has no value and no line.
    QTest::newRow("Buffon, a needle without a value")
        << QList<Event>{opens(Method::Buffon, false), step(1, {}), thrown(2, 3.0, {60, 20})} << 2 << 1 << 3.0
        << "2,3,1,0.55,,";
}

void TestLessonModel::csv()
{
    QFETCH(QList<Event>, events);
    QFETCH(int, lines);
    QFETCH(int, line);
    QFETCH(double, value);
    QFETCH(QString, cells);
    Reading reading;
    for (const Event& e : events)
        play(reading, e);
    const QStringList text = reading.csv().split(QLatin1Char('\n'));
    QCOMPARE(text.size(), lines + 1); // after the last line's end
    QVERIFY(text.last().isEmpty());
    QCOMPARE(text[0], "n,value,error,correct digits,standard error,lower bound,upper bound");
    QStringList shown = text[line].split(QLatin1Char(','));
    QCOMPARE(shown.size(), 7);
    QCOMPARE(shown.takeAt(2).toDouble(), std::abs(std::numbers::pi - value));
    QCOMPARE(shown.join(QLatin1Char(',')), cells);
    // The last line counts as the controller does.
    QCOMPARE(text[lines - 1].split(QLatin1Char(','))[3].toInt(), reading.correct());
}

QTEST_APPLESS_MAIN(TestLessonModel)
#include "tst_lesson_model.moc"

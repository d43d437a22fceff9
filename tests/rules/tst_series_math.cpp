// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the five series without any window: loop ranges,
// counters and counts far beyond any integer type.
#include "rules/SeriesMath.h"

#include <QTest>

#include <cmath>

using series::Rule;

namespace {

const Rule* ruleNamed(const QString& name)
{
    if (name == QLatin1String("matsunaga1"))
        return &series::matsunaga1;
    if (name == QLatin1String("matsunaga2"))
        return &series::matsunaga2;
    if (name == QLatin1String("wallis"))
        return &series::wallis;
    if (name == QLatin1String("gregoryLeibniz"))
        return &series::gregoryLeibniz;
    return &series::euler;
}

int passes(const Rule& rule, double n)
{
    int count = 0;
    const series::LoopRange range = rule.range(n);
    for (double i = range.first; i <= range.last; i += range.step)
        ++count;
    return count;
}

} // namespace

class TestSeriesMath : public QObject {
    Q_OBJECT
private slots:
    void passCount_data();
    void passCount();
    void counters_data();
    void counters();
    void hugeCounter_data();
    void hugeCounter();
};

void TestSeriesMath::passCount_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("n");
    QTest::addColumn<int>("count");
    QTest::newRow("matsunaga1 2") << "matsunaga1" << 2.0 << 1;
    QTest::newRow("matsunaga1 100") << "matsunaga1" << 100.0 << 99;
    QTest::newRow("matsunaga2 2") << "matsunaga2" << 2.0 << 1;
    QTest::newRow("matsunaga2 50") << "matsunaga2" << 50.0 << 49;
    QTest::newRow("wallis 2") << "wallis" << 2.0 << 1;
    QTest::newRow("wallis 3") << "wallis" << 3.0 << 1;
    QTest::newRow("wallis 10000") << "wallis" << 10000.0 << 5000;
    QTest::newRow("wallis 10001") << "wallis" << 10001.0 << 5000;
    QTest::newRow("gregory 2") << "gregoryLeibniz" << 2.0 << 2;
    QTest::newRow("euler 10000") << "euler" << 10000.0 << 10000;
}

void TestSeriesMath::passCount()
{
    QFETCH(QString, rule);
    QFETCH(double, n);
    QFETCH(int, count);
    QCOMPARE(passes(*ruleNamed(rule), n), count);
}

void TestSeriesMath::counters_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("n");
    QTest::addColumn<QList<double>>("shown");
    QTest::newRow("matsunaga1 counts the term about to be added") << "matsunaga1" << 4.0 << QList<double>{2, 3, 4};
    QTest::newRow("matsunaga2 counts the term just added") << "matsunaga2" << 4.0 << QList<double>{2, 3, 4};
    QTest::newRow("wallis even") << "wallis" << 6.0 << QList<double>{2, 4, 6};
    QTest::newRow("wallis odd") << "wallis" << 7.0 << QList<double>{3, 5, 7};
    QTest::newRow("gregory") << "gregoryLeibniz" << 3.0 << QList<double>{1, 2, 3};
    QTest::newRow("euler") << "euler" << 3.0 << QList<double>{1, 2, 3};
}

void TestSeriesMath::counters()
{
    QFETCH(QString, rule);
    QFETCH(double, n);
    QFETCH(QList<double>, shown);
    const Rule& r = *ruleNamed(rule);
    QList<double> actual;
    const series::LoopRange range = r.range(n);
    for (double i = range.first; i <= range.last; i += range.step)
        actual.append(r.counter(i, n));
    QCOMPARE(actual, shown);
}

void TestSeriesMath::hugeCounter_data()
{
    QTest::addColumn<QString>("rule");
    QTest::newRow("matsunaga1") << "matsunaga1";
    QTest::newRow("matsunaga2") << "matsunaga2";
    QTest::newRow("wallis") << "wallis";
    QTest::newRow("gregory") << "gregoryLeibniz";
    QTest::newRow("euler") << "euler";
}

void TestSeriesMath::hugeCounter()
{
    // A counter far beyond any integer type the loop might have used must
    // neither overflow nor stall, and the values stay finite.
    QFETCH(QString, rule);
    const Rule& r = *ruleNamed(rule);
    const double n = 1e20;
    const series::LoopRange range = r.range(n);
    QVERIFY(range.last >= 1e19);
    QVERIFY(range.first + range.step > range.first);
    series::State state = r.start;
    for (double i : {1.0, 2.0, 3.0, 1e15, 1e18})
        r.update(state, i);
    QVERIFY(std::isfinite(r.result(state)));
    QVERIFY(std::isfinite(r.counter(1e18, n)));
    QVERIFY(r.counter(1e18, n) > 1e17);
}

QTEST_APPLESS_MAIN(TestSeriesMath)
#include "tst_series_math.moc"

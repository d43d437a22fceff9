// SPDX-License-Identifier: GPL-3.0-or-later
// Round ticks for the lesson's trace: whole steps of n, round values, and
// decades written as powers of ten.
#include "rules/Ticks.h"

#include <QtTest>

class TestTicks : public QObject {
    Q_OBJECT
private slots:
    void linear_data();
    void linear();
    void decades_data();
    void decades();
    void multiples_data();
    void multiples();
};

void TestTicks::linear_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QList<double>>("expected"); // low, high, step, decimals
    QTest::newRow("n to 10") << 0.0 << 10.0 << true << QList<double>{0, 10, 2, 0};
    QTest::newRow("n to 96") << 0.0 << 96.0 << true << QList<double>{0, 100, 20, 0};
    QTest::newRow("n to 3: never half a step") << 0.0 << 3.0 << true << QList<double>{0, 3, 1, 0};
    QTest::newRow("polygon values") << 2.5981 << 3.1416 << false << QList<double>{2.5, 3.2, 0.1, 1};
    QTest::newRow("Leibniz about π") << 3.1315 << 3.1516 << false << QList<double>{3.13, 3.155, 0.005, 3};
    QTest::newRow("a flat run") << 3.0 << 3.0 << false << QList<double>{3.0, 3.001, 0.0002, 4};
}

void TestTicks::linear()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(bool, whole);
    QFETCH(QList<double>, expected);
    const ticks::Axis a = ticks::linear(low, high, 4, whole);
    QVERIFY2(qFuzzyCompare(a.low + 1, expected[0] + 1) && qFuzzyCompare(a.high, expected[1])
                 && qFuzzyCompare(a.step, expected[2]) && a.decimals == int(expected[3]),
             qPrintable(QStringLiteral("%1 .. %2 by %3, %4 decimals").arg(a.low).arg(a.high).arg(a.step).arg(a.decimals)));
    QVERIFY(a.low <= low && a.high >= high);
}

void TestTicks::decades_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<QString>("lowest");
    QTest::newRow("n to a million") << 1.0 << 1e6 << QList<int>{0, 2, 4, 6} << "1";
    QTest::newRow("Matsunaga's error") << 1e-16 << 1.0 << QList<int>{-20, -15, -10, -5, 0} << "10⁻²⁰";
    QTest::newRow("six decades, every second") << 2e-5 << 0.8 << QList<int>{-6, -4, -2, 0} << "10⁻⁶";
    QTest::newRow("three decades") << 2e-3 << 0.8 << QList<int>{-3, -2, -1, 0} << "10⁻³";
    QTest::newRow("n to 10") << 1.0 << 10.0 << QList<int>{0, 1} << "1";
    QTest::newRow("nothing yet") << 1.0 << 1e-3 << QList<int>{-3, -2, -1, 0} << "10⁻³";
    QTest::newRow("one value") << 0.5 << 0.5 << QList<int>{-1, 0} << "10⁻¹";
}

void TestTicks::decades()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(QList<int>, expected);
    QFETCH(QString, lowest);
    const std::vector<int> d = ticks::decades(low, high, 5);
    QCOMPARE(QList<int>(d.begin(), d.end()), expected);
    QCOMPARE(QString::fromStdString(ticks::power(d.front())), lowest);
    QCOMPARE(QString::fromStdString(ticks::power(2)), QStringLiteral("10²"));
}

void TestTicks::multiples_data()
{
    QTest::addColumn<QList<int>>("range"); // low, high, every
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("every decade") << QList<int>{0, 3, 1} << QList<int>{0, 1, 2, 3};
    QTest::newRow("every fourth below 1") << QList<int>{-16, 4, 4} << QList<int>{-16, -12, -8, -4, 0, 4};
    QTest::newRow("ends between multiples") << QList<int>{-15, 13, 8} << QList<int>{-8, 0, 8};
    QTest::newRow("all negative") << QList<int>{-9, -1, 2} << QList<int>{-8, -6, -4, -2};
    QTest::newRow("none in range") << QList<int>{1, 3, 4} << QList<int>{};
}

void TestTicks::multiples()
{
    QFETCH(QList<int>, range);
    QFETCH(QList<int>, expected);
    const std::vector<int> m = ticks::multiples(range[0], range[1], range[2]);
    QCOMPARE(QList<int>(m.begin(), m.end()), expected);
}

QTEST_APPLESS_MAIN(TestTicks)
#include "tst_ticks.moc"

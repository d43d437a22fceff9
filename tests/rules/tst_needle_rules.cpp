// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/NeedleRules.h"
#include "rules/Runtime.h"

#include <QtTest>

#include <cmath>
#include <map>

namespace {

// The share of needles meeting a line under the integer rules: every start
// row 250..2750 is equally likely, and the angle is uniform over
// [0, 2 * 3.141592); the vertical offset is floor(250 sin angle).
double crossingShare()
{
    constexpr int samples = 2'000'000;
    std::map<int, int> offsets;
    for (int k = 0; k < samples; ++k) {
        const double theta = (k + 0.5) / samples * 2 * 3.141592;
        ++offsets[int(std::floor(250 * std::sin(theta)))];
    }
    double share = 0;
    for (const auto& [dy, count] : offsets) {
        int rows = 0;
        for (int y = 250; y <= 2750; ++y) {
            const int low = std::min(y, y + dy), high = std::max(y, y + dy);
            bool meets = false;
            for (int line = 500; line <= 2500; line += 500)
                meets = meets || (low <= line && line <= high);
            rows += meets ? 1 : 0;
        }
        share += double(count) / samples * rows / 2501.0;
    }
    return share;
}

buffon::Needle drop(rt::RandomGenerator& generator, float clock)
{
    generator.Randomize(clock);
    const float r1 = generator.Rnd();
    const float r2 = generator.Rnd();
    const float r3 = generator.Rnd();
    return buffon::needleFrom(r1, r2, r3);
}

} // namespace

class TestNeedleRules : public QObject {
    Q_OBJECT

private slots:
    void needle_data();
    void needle();
    void meetsLine_data();
    void meetsLine();
    void estimate_data();
    void estimate();
    void shareOfCrossings();
    void repeatedRuns();
};

void TestNeedleRules::needle_data()
{
    QTest::addColumn<float>("r1");
    QTest::addColumn<float>("r2");
    QTest::addColumn<float>("r3");
    QTest::addColumn<QList<int>>("expected"); // startX, startY, endX, endY

    QTest::newRow("all zero: flat to the right") << 0.0f << 0.0f << 0.0f << QList<int>{0, 250, 250, 250};
    QTest::newRow("largest Rnd, a quarter turn") << 0.99999994f << 0.99999994f << 0.25f
                                                 << QList<int>{3000, 2750, 3000, 2999}; // sin just below 1
    QTest::newRow("half turn: cos just above -1") << 0.4f << 0.4f << 0.5f << QList<int>{1200, 1250, 950, 1250};
    QTest::newRow("0.6: both offsets negative") << 0.4f << 0.4f << 0.6f << QList<int>{1200, 1250, 997, 1103};
    QTest::newRow("three quarters: up") << 0.4f << 0.4f << 0.75f << QList<int>{1200, 1250, 1199, 1000};
    QTest::newRow("eighth turn") << 0.4f << 0.4f << 0.125f << QList<int>{1200, 1250, 1376, 1426};
    QTest::newRow("0.9") << 0.4f << 0.4f << 0.9f << QList<int>{1200, 1250, 1402, 1103};
    QTest::newRow("row 251") << 0.0f << 0.0004f << 0.0f << QList<int>{0, 251, 250, 251};
    QTest::newRow("row 250") << 0.0f << 0.0003f << 0.0f << QList<int>{0, 250, 250, 250};
    QTest::newRow("column 1") << 0.00034f << 0.0f << 0.0f << QList<int>{1, 250, 251, 250};
}

void TestNeedleRules::needle()
{
    QFETCH(float, r1);
    QFETCH(float, r2);
    QFETCH(float, r3);
    QFETCH(QList<int>, expected);
    const buffon::Needle n = buffon::needleFrom(r1, r2, r3);
    QCOMPARE(QList<int>({n.startX, n.startY, n.endX, n.endY}), expected);
}

void TestNeedleRules::meetsLine_data()
{
    QTest::addColumn<int>("startY");
    QTest::addColumn<int>("endY");
    QTest::addColumn<bool>("expected");

    QTest::newRow("ends on 1000") << 1250 << 1000 << true;
    QTest::newRow("starts on 1000") << 1000 << 1249 << true;
    QTest::newRow("250 to 0: no line at 0") << 250 << 0 << false;
    QTest::newRow("2750 to 3000: no line at 3000") << 2750 << 3000 << false;
    QTest::newRow("flat on 1500") << 1500 << 1500 << true;
    QTest::newRow("flat just off 1500") << 1499 << 1499 << false;
    QTest::newRow("flat on 500") << 500 << 500 << true;
    QTest::newRow("flat on 2500") << 2500 << 2500 << true;
    QTest::newRow("across 2500 downwards") << 2400 << 2650 << true;
    QTest::newRow("across 2500 upwards") << 2650 << 2400 << true;
    QTest::newRow("one short of 2000") << 1750 << 1999 << false;
    QTest::newRow("one past 2000") << 2001 << 2250 << false;
    QTest::newRow("between 500 and 1000") << 501 << 751 << false;
    QTest::newRow("ends on 2500 from below") << 2750 << 2500 << true;
}

void TestNeedleRules::meetsLine()
{
    QFETCH(int, startY);
    QFETCH(int, endY);
    QFETCH(bool, expected);
    QCOMPARE(buffon::meetsLine(startY, endY), expected);
}

void TestNeedleRules::estimate_data()
{
    QTest::addColumn<int>("dropped");
    QTest::addColumn<int>("crossed");
    QTest::addColumn<QString>("formatted");

    QTest::newRow("every needle") << 10 << 10 << "1.00000000000000";
    QTest::newRow("32 of 100") << 100 << 32 << "3.12500000000000";
    QTest::newRow("12 of 37") << 37 << 12 << "3.08333325386047";
    QTest::newRow("one of 20000") << 20000 << 1 << "20000.00000000000000";
    QTest::newRow("6366 of 20000") << 20000 << 6366 << "3.14169025421143";
}

void TestNeedleRules::estimate()
{
    QFETCH(int, dropped);
    QFETCH(int, crossed);
    QFETCH(QString, formatted);
    QCOMPARE(QString::fromStdString(rt::Format14(buffon::estimate(dropped, crossed))), formatted);
}

void TestNeedleRules::shareOfCrossings()
{
    const double p = crossingShare();
    QVERIFY2(std::abs(p - 0.320) < 0.001, qPrintable(QString::number(p)));

    constexpr int needles = 400'000;
    rt::RandomGenerator generator(7);
    float clock = 50000.0f;
    int crossed = 0;
    for (int i = 0; i < needles; ++i) {
        if (i % 50 == 0)
            clock += 0.015625f;
        const buffon::Needle n = drop(generator, clock);
        QVERIFY(n.startX >= 0 && n.startX <= 3000 && n.startY >= 250 && n.startY <= 2750);
        crossed += buffon::meetsLine(n.startY, n.endY) ? 1 : 0;
    }
    const double share = double(crossed) / needles;
    const double standardError = std::sqrt(p * (1 - p) / needles);
    qInfo("crossing share %.5f, integer rules %.5f, standard error %.5f", share, p, standardError);
    QVERIFY(std::abs(share - p) < 3 * standardError);
}

void TestNeedleRules::repeatedRuns()
{
    const double p = crossingShare();
    constexpr int runs = 100;
    constexpr int needles = 20000;
    rt::RandomGenerator generator(99);
    float clock = 60000.0f;
    double sum = 0, sumSquares = 0;
    for (int run = 0; run < runs; ++run) {
        int crossed = 0;
        for (int i = 0; i < needles; ++i) {
            if (i % 50 == 0)
                clock += 0.015625f;
            const buffon::Needle n = drop(generator, clock);
            crossed += buffon::meetsLine(n.startY, n.endY) ? 1 : 0;
        }
        const double estimate = buffon::estimate(needles, crossed);
        sum += estimate;
        sumSquares += estimate * estimate;
    }
    const double mean = sum / runs;
    const double spread = std::sqrt((sumSquares - runs * mean * mean) / (runs - 1));
    // Delta method: sd(1 / share) = sd(share) / share^2.
    const double expectedSpread = std::sqrt(p * (1 - p) / needles) / (p * p);
    qInfo("mean estimate %.4f (1/share %.4f), spread %.4f (expected %.4f)", mean, 1 / p, spread, expectedSpread);
    QVERIFY(std::abs(mean - 1 / p) < 3 * expectedSpread / std::sqrt(double(runs)));
    QVERIFY(std::abs(mean - 3.12) < 0.02);
    QVERIFY(std::abs(spread / expectedSpread - 1) < 0.25);
    QVERIFY(spread > 0.02 && spread < 0.04);
}

QTEST_MAIN(TestNeedleRules)
#include "tst_needle_rules.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/MonteCarloRules.h"
#include "rules/Runtime.h"

#include <QtTest>

#include <cmath>

class TestMonteCarloRules : public QObject {
    Q_OBJECT

private slots:
    void coordinate_data();
    void coordinate();
    void inside_data();
    void inside();
    void estimate_data();
    void estimate();
    void circleDots();
    void statistics();
};

void TestMonteCarloRules::coordinate_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<float>("expected");

    QTest::newRow("0") << 0.0f << 500.0f;
    QTest::newRow("just below 1/2001") << 0.0004f << 500.0f;   // 500.8004
    QTest::newRow("just above 1/2001") << 0.0005f << 501.0f;   // 501.0005
    QTest::newRow("quarter") << 0.25f << 1000.0f;              // 1000.25
    QTest::newRow("half") << 0.5f << 1500.0f;                  // 1500.5
    QTest::newRow("0.9995 below the edge") << 0.9995f << 2499.0f; // 2499.9995 in exact arithmetic
    QTest::newRow("0.9999") << 0.9999f << 2500.0f;             // 2500.7999
    QTest::newRow("largest Rnd") << 0.99999994f << 2500.0f;     // 2500.9999
}

void TestMonteCarloRules::coordinate()
{
    QFETCH(float, r);
    QFETCH(float, expected);
    QCOMPARE(montecarlo::coordinate(r), expected);
    QCOMPARE(montecarlo::pointFrom(r, 0.5f).x, expected);
    QCOMPARE(montecarlo::pointFrom(0.5f, r).y, expected);
}

void TestMonteCarloRules::inside_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("expected");

    QTest::newRow("centre") << 1500.0f << 1500.0f << true;
    QTest::newRow("on the circle, right") << 2500.0f << 1500.0f << true;
    QTest::newRow("on the circle, top") << 1500.0f << 500.0f << true;
    QTest::newRow("on the circle, 600-800") << 2100.0f << 2300.0f << true; // 600^2 + 800^2 = 1000^2
    QTest::newRow("just past 600-800") << 2100.0f << 2301.0f << false;
    QTest::newRow("next to the right edge") << 2500.0f << 1501.0f << false;
    QTest::newRow("corner") << 500.0f << 500.0f << false;
    QTest::newRow("corner opposite") << 2500.0f << 2500.0f << false;
    QTest::newRow("inner diagonal") << 2207.0f << 2207.0f << true;  // 707^2 * 2 = 999698
    QTest::newRow("outer diagonal") << 2208.0f << 2208.0f << false; // 708^2 * 2 = 1002528
}

void TestMonteCarloRules::inside()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, expected);
    QCOMPARE(montecarlo::isInside({x, y}), expected);
    QCOMPARE(montecarlo::isInside({y, x}), expected);
}

void TestMonteCarloRules::estimate_data()
{
    QTest::addColumn<int>("inside");
    QTest::addColumn<int>("thrown");
    QTest::addColumn<QString>("formatted");

    QTest::newRow("first inside") << 1 << 1 << "4.00000000000000";
    QTest::newRow("first outside") << 0 << 1 << ".00000000000000";
    QTest::newRow("785 of 1000") << 785 << 1000 << "3.14000010490417";
    QTest::newRow("all of 10000") << 10000 << 10000 << "4.00000000000000";
    QTest::newRow("7854 of 10000") << 7854 << 10000 << "3.14159989356995";
    QTest::newRow("2 of 3") << 2 << 3 << "2.66666674613953";
}

void TestMonteCarloRules::estimate()
{
    QFETCH(int, inside);
    QFETCH(int, thrown);
    QFETCH(QString, formatted);
    QCOMPARE(QString::fromStdString(rt::Format14(montecarlo::estimate(inside, thrown))), formatted);
}

void TestMonteCarloRules::circleDots()
{
    const auto dots = montecarlo::circleDots();
    QCOMPARE(dots.size(), std::size_t(629));
    QCOMPARE(dots.front().x, 2500.0f);
    QCOMPARE(dots.front().y, 1500.0f);
    // The last t is about 6.28: just short of closing the circle.
    QVERIFY(dots.back().y < 1500.0f && dots.back().y > 1496.0f);
    for (const montecarlo::Point& dot : dots) {
        const double r = std::hypot(dot.x - 1500.0, dot.y - 1500.0);
        QVERIFY(std::abs(r - 1000) < 0.01);
    }
    // Calling again gives the same dots.
    QCOMPARE(montecarlo::circleDots().data(), dots.data());
}

// Many runs of 1000 points with the real generator, reseeded before every
// point with a clock value that changes only now and then.
void TestMonteCarloRules::statistics()
{
    // Share of the 2001 x 2001 grid points within 1000 of the centre.
    std::int64_t grid = 0;
    for (std::int64_t dx = -1000; dx <= 1000; ++dx) {
        std::int64_t dy = 0;
        while ((dy + 1) * (dy + 1) + dx * dx <= 1000000)
            ++dy;
        grid += 2 * dy + 1;
    }
    const double p = double(grid) / (2001.0 * 2001.0);
    const double expected = 4 * p;
    const double sd = 4 * std::sqrt(p * (1 - p) / 1000);

    constexpr int runs = 400;
    rt::RandomGenerator generator(20240611);
    float clock = 36000.0f;
    double sum = 0, sumSquares = 0;
    for (int run = 0; run < runs; ++run) {
        int inside = 0;
        for (int n = 1; n <= 1000; ++n) {
            if (n % 40 == 0)
                clock += 0.015625f;
            generator.Randomize(clock);
            const float r1 = generator.Rnd();
            const float r2 = generator.Rnd();
            if (montecarlo::isInside(montecarlo::pointFrom(r1, r2)))
                ++inside;
        }
        const double estimate = montecarlo::estimate(inside, 1000);
        sum += estimate;
        sumSquares += estimate * estimate;
    }
    const double mean = sum / runs;
    const double spread = std::sqrt((sumSquares - runs * mean * mean) / (runs - 1));
    const double standardError = sd / std::sqrt(double(runs));
    qInfo("mean estimate %.4f (4 x grid share %.4f, 3 standard errors %.4f), spread %.4f (binomial %.4f)", mean,
          expected, 3 * standardError, spread, sd);
    QVERIFY2(std::abs(mean - expected) < 3 * standardError,
             qPrintable(QStringLiteral("mean %1, expected %2 ± %3").arg(mean).arg(expected).arg(3 * standardError)));
    QVERIFY2(std::abs(spread / sd - 1) < 0.2, qPrintable(QStringLiteral("spread %1, binomial %2").arg(spread).arg(sd)));
}

QTEST_MAIN(TestMonteCarloRules)
#include "tst_montecarlo_rules.moc"

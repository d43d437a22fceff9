// SPDX-License-Identifier: GPL-3.0-or-later
// How fast each method's error falls, fitted on log–log axes, and
// Archimedes' doubling of the polygons, which finds π's bounds without π.
#include "rules/Archimedes.h"
#include "rules/PolygonRules.h"
#include "rules/Rates.h"

#include <QtTest>

using compare::Method;
Q_DECLARE_METATYPE(compare::Method)

class TestRates : public QObject {
    Q_OBJECT
private slots:
    void powerLawsGiveTheirExponent_data();
    void powerLawsGiveTheirExponent();
    void methodsSlopes_data();
    void methodsSlopes();
    void doubling_data();
    void doubling();
};

void TestRates::powerLawsGiveTheirExponent_data()
{
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("n^-1/2 over a decade") << -0.5 << 1000.0 << 10000.0;
    QTest::newRow("n^-1 over six decades") << -1.0 << 1.0 << 1e6;
    QTest::newRow("n^-2, tiny errors") << -2.0 << 1e5 << 1e6;
    QTest::newRow("one point: none") << qQNaN() << 5.0 << 5.0;
}

void TestRates::powerLawsGiveTheirExponent()
{
    QFETCH(double, exponent);
    QFETCH(double, low);
    QFETCH(double, high);
    // 1e-9·n^p, and a zero error inside the range, which the fit leaves out.
    std::vector<double> n{low}, error{0};
    for (double k = 1; k <= 2e6; k *= 1.07) {
        n.push_back(std::round(k));
        error.push_back(1e-9 * std::pow(n.back(), std::isnan(exponent) ? 0 : exponent));
    }
    const std::optional<double> slope = rates::logSlope(n, error, low, high);
    QCOMPARE(slope.has_value(), !std::isnan(exponent));
    QVERIFY(!slope || std::abs(*slope - exponent) < 1e-12);
}

void TestRates::methodsSlopes_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("slope"); // of one run; of sixteen seeds' mean for the experiments
    QTest::addColumn<int>("from");
    QTest::newRow("polygons") << Method::Polygon << 10000 << "−2.0" << 1000;
    QTest::newRow("Wallis") << Method::Wallis << 10000 << "−1.0" << 1000;
    QTest::newRow("Gregory–Leibniz") << Method::Leibniz << 1000 << "−1.0" << 100;
    QTest::newRow("Euler's alternating squares") << Method::Euler << 100000 << "−2.0" << 10000;
    // Up to where it meets double precision: faster than any power.
    QTest::newRow("Matsunaga 1") << Method::Matsunaga1 << 10000 << "−15.4" << 3;
    // A random run over every decade from 10.
    QTest::newRow("Monte Carlo") << Method::MonteCarlo << 100000 << "−0.5" << 10;
    QTest::newRow("Buffon") << Method::Buffon << 100000 << "−0.5" << 10;
}

void TestRates::methodsSlopes()
{
    QFETCH(Method, method);
    QFETCH(int, last);
    QFETCH(QString, slope);
    QFETCH(int, from);
    const int runs = compare::isExperiment(method) ? 16 : 1;
    double sum = 0;
    for (int seed = 1; seed <= runs; ++seed) {
        const compare::Sequence sequence = compare::compute(method, last, seed, compare::Throws::Continuous);
        const std::optional<rates::Fit> fit = rates::fitted(sequence);
        QVERIFY(fit && fit->from == from && fit->to == (sequence.limitStep ? sequence.limitStep : last));
        sum += fit->slope;
    }
    QCOMPARE(QString::fromStdString(rates::slopeText(sum / runs)), slope);
}

void TestRates::doubling_data()
{
    QTest::addColumn<qint64>("upTo");
    QTest::addColumn<double>("inscribed");
    QTest::addColumn<double>("circumscribed");
    QTest::addColumn<QString>("bracket");
    QTest::newRow("the hexagon") << qint64(11) << 3.0 << 3.4641016151377544 << "3.00000 3.46410";
    QTest::newRow("Archimedes' 96 sides") << qint64(96) << 3.14103195089051 << 3.14271459964537 << "3.14103 3.14271";
    QTest::newRow("786432 sides") << qint64(1000000) << 3.14159265358144 << 3.1415926536065 << "3.141592653581 3.141592653607";
}

void TestRates::doubling()
{
    QFETCH(qint64, upTo);
    QFETCH(double, inscribed);
    QFETCH(double, circumscribed);
    QFETCH(QString, bracket);
    std::vector<archimedes::Polygons> all = archimedes::upTo(upTo);
    QVERIFY(!all.empty() && all.back().sides <= upTo && 2 * all.back().sides > upTo);
    // No π inside: from the square (2√2 inside, 4 outside) the same steps
    // give the 8-gon. Each row the trigonometry's bounds, π between.
    all.push_back(archimedes::doubled({4, 2 * std::sqrt(2.0), 4}));
    for (const archimedes::Polygons& p : all)
        QVERIFY(std::abs(p.inscribed - polygon::inscribed(p.sides)) < 1e-14 && p.inscribed < M_PI
                && std::abs(p.circumscribed - polygon::circumscribed(p.sides)) < 1e-14 && M_PI < p.circumscribed);
    const archimedes::Polygons last = all[all.size() - 2];
    QVERIFY(std::abs(last.inscribed - inscribed) < 1e-14 && std::abs(last.circumscribed - circumscribed) < 1e-14);
    const polygon::Bracket text = polygon::bracket(last.inscribed, last.circumscribed);
    QCOMPARE(QString::fromStdString(text.lower + ' ' + text.upper), bracket);
}

QTEST_APPLESS_MAIN(TestRates)
#include "tst_rates.moc"

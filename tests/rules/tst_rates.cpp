// SPDX-License-Identifier: GPL-3.0-or-later
// How fast each method's error falls, fitted on log–log axes, and
// Archimedes' doubling of the polygons, which finds π's bounds without π.
#include "rules/Archimedes.h"
#include "rules/PolygonRules.h"
#include "rules/Rates.h"

#include <QtTest>

#include <cmath>

using compare::Method;

Q_DECLARE_METATYPE(compare::Method)

class TestRates : public QObject {
    Q_OBJECT
private slots:
    void powerLawsGiveTheirExponent_data();
    void powerLawsGiveTheirExponent();
    void methodsSlopes_data();
    void methodsSlopes();
    void experimentsAboutHalf_data();
    void experimentsAboutHalf();
    void doubling_data();
    void doubling();
    void doublingCarriesNoPi();
};

void TestRates::powerLawsGiveTheirExponent_data()
{
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("n^-1/2 over a decade") << -0.5 << 1.6 << 1000.0 << 10000.0;
    QTest::newRow("n^-1 over six decades") << -1.0 << 0.25 << 1.0 << 1e6;
    QTest::newRow("n^-2, tiny errors") << -2.0 << 1e-9 << 1e5 << 1e6;
    QTest::newRow("a rising error") << 0.5 << 3.0 << 10.0 << 100.0;
    QTest::newRow("too few points") << qQNaN() << 1.0 << 5.0 << 5.0;
}

void TestRates::powerLawsGiveTheirExponent()
{
    QFETCH(double, exponent);
    QFETCH(double, scale);
    QFETCH(double, low);
    QFETCH(double, high);
    std::vector<double> n, error;
    // Points outside [low, high] and zero errors are left out of the fit.
    for (double k = 1; k <= 2e6; k *= 1.07) {
        n.push_back(std::round(k));
        error.push_back(scale * std::pow(std::round(k), std::isnan(exponent) ? 0.0 : exponent));
    }
    n.push_back(low);
    error.push_back(0);
    const std::optional<double> slope = rates::logSlope(n, error, low, high);
    QCOMPARE(slope.has_value(), !std::isnan(exponent));
    if (slope)
        QVERIFY2(std::abs(*slope - exponent) < 1e-12, qPrintable(QString::number(*slope, 'g', 17)));
}

void TestRates::methodsSlopes_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<bool>("outside");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("slope");
    QTest::addColumn<int>("from");
    QTest::newRow("polygons") << Method::Polygon << false << 10000 << "−2.0" << 1000;
    QTest::newRow("circumscribed polygons") << Method::Polygon << true << 1000000 << "−2.0" << 100000;
    QTest::newRow("Wallis") << Method::Wallis << false << 10000 << "−1.0" << 1000;
    QTest::newRow("Gregory–Leibniz") << Method::Leibniz << false << 1000 << "−1.0" << 100;
    QTest::newRow("Euler's alternating squares") << Method::Euler << false << 100000 << "−2.0" << 10000;
    // Fitted up to where it meets double precision, faster than any power.
    QTest::newRow("Matsunaga 1") << Method::Matsunaga1 << false << 10000 << "−15.4" << 3;
}

void TestRates::methodsSlopes()
{
    QFETCH(Method, method);
    QFETCH(bool, outside);
    QFETCH(int, last);
    QFETCH(QString, slope);
    QFETCH(int, from);
    const compare::Sequence sequence = outside ? compare::circumscribedPolygons(last)
                                               : compare::compute(method, last, 5, compare::Throws::Continuous);
    const std::optional<rates::Fit> fit = rates::fitted(sequence);
    QVERIFY(fit);
    QCOMPARE(QString::fromStdString(rates::slopeText(fit->slope)), slope);
    QCOMPARE(fit->from, std::int64_t(from));
    QCOMPARE(fit->to, sequence.limitStep ? sequence.limitStep : std::int64_t(last));
}

void TestRates::experimentsAboutHalf_data()
{
    QTest::addColumn<Method>("method");
    QTest::newRow("Monte Carlo") << Method::MonteCarlo;
    QTest::newRow("Buffon") << Method::Buffon;
}

void TestRates::experimentsAboutHalf()
{
    // One run's slope scatters; over runs it centres on −½, fitted over
    // every decade from 10.
    QFETCH(Method, method);
    double sum = 0;
    constexpr int runs = 16;
    for (int seed = 1; seed <= runs; ++seed) {
        const std::optional<rates::Fit> fit = rates::fitted(compare::compute(method, 100000, seed, compare::Throws::Continuous));
        QVERIFY(fit && fit->from == 10 && fit->to == 100000);
        sum += fit->slope;
    }
    QVERIFY2(std::abs(sum / runs + 0.5) < 0.1, qPrintable(QString::number(sum / runs)));
}

void TestRates::doubling_data()
{
    QTest::addColumn<qint64>("upTo");
    QTest::addColumn<double>("inscribed");
    QTest::addColumn<double>("circumscribed");
    QTest::addColumn<QString>("bracket");
    QTest::newRow("the hexagon") << qint64(11) << 3.0 << 3.4641016151377544 << "3.00000 3.46410";
    QTest::newRow("Archimedes' 96 sides") << qint64(96) << 3.14103195089051 << 3.14271459964537 << "3.14103 3.14271";
    QTest::newRow("786432 sides") << qint64(1000000) << 3.14159265358144 << 3.14159265360650
                                  << "3.141592653581 3.141592653607";
}

void TestRates::doubling()
{
    QFETCH(qint64, upTo);
    QFETCH(double, inscribed);
    QFETCH(double, circumscribed);
    QFETCH(QString, bracket);
    const std::vector<archimedes::Polygons> all = archimedes::upTo(upTo);
    QVERIFY(!all.empty() && all.back().sides <= upTo && 2 * all.back().sides > upTo);
    for (const archimedes::Polygons& p : all) {
        QCOMPARE(p.sides % 6, 0);
        // The same bounds as the trigonometry gives, and π always between.
        QVERIFY(std::abs(p.inscribed - polygon::inscribed(p.sides)) < 1e-14);
        QVERIFY(std::abs(p.circumscribed - polygon::circumscribed(p.sides)) < 1e-14);
        QVERIFY2(p.inscribed < M_PI && M_PI < p.circumscribed, qPrintable(QString::number(p.sides)));
    }
    QVERIFY(std::abs(all.back().inscribed - inscribed) < 1e-14);
    QVERIFY(std::abs(all.back().circumscribed - circumscribed) < 1e-14);
    const polygon::Bracket text = polygon::bracket(all.back().inscribed, all.back().circumscribed);
    QCOMPARE(QString::fromStdString(text.lower + ' ' + text.upper), bracket);
}

void TestRates::doublingCarriesNoPi()
{
    // From the square (2√2 inside, 4 outside) the same steps give the
    // octagon's and the 16-gon's bounds: all the π is in the start.
    archimedes::Polygons p{4, 2 * std::sqrt(2.0), 4};
    for (int k = 8; k <= 4096; k *= 2) {
        p = archimedes::doubled(p);
        QCOMPARE(p.sides, std::int64_t(k));
        QVERIFY(std::abs(p.inscribed - polygon::inscribed(k)) < 1e-14);
        QVERIFY(std::abs(p.circumscribed - polygon::circumscribed(k)) < 1e-14);
    }
}

QTEST_APPLESS_MAIN(TestRates)
#include "tst_rates.moc"

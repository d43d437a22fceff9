// SPDX-License-Identifier: GPL-3.0-or-later
// Where the polygon window's circle dots and vertices lie, and the value of
// each k-gon, without a window.
#include "rules/Runtime.h"
#include "rules/PolygonRules.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using polygon::Point;

namespace {

double distanceFromCentre(Point p)
{
    return std::hypot(double(p.x) - 320.0, double(p.y) - 320.0);
}

} // namespace

class PolygonRulesTest : public QObject {
    Q_OBJECT
private slots:
    void circleIs629DotsOnRadius200();
    void verticesWalkTheCircleClockwise_data();
    void verticesWalkTheCircleClockwise();
    void halfPerimeterApproachesPi_data();
    void halfPerimeterApproachesPi();
    void triangleAndHexagonTexts();
    void noSidesGivesOnlyTheFirstVertex();
    void bracketHoldsPi_data();
    void bracketHoldsPi();
};

void PolygonRulesTest::circleIs629DotsOnRadius200()
{
    const std::vector<Point> dots = polygon::circleDots();
    QCOMPARE(dots.size(), std::size_t(629));
    QCOMPARE(dots.front().x, 520.0f);
    QCOMPARE(dots.front().y, 320.0f);
    for (std::size_t i = 0; i < dots.size(); ++i) {
        QVERIFY2(std::abs(distanceFromCentre(dots[i]) - 200.0) < 1e-3, qPrintable(QString::number(i)));
        // Dot i sits at the angle 0.01·i (the sum drifts far less than this).
        const double t = 0.01 * double(i);
        QVERIFY(std::abs(dots[i].x - (200 * std::cos(t) + 320)) < 1e-3);
        QVERIFY(std::abs(dots[i].y - (200 * std::sin(t) + 320)) < 1e-3);
    }
    // The last dot stops just short of closing the circle (t = 6.28).
    QVERIFY(dots.back().y < 320.0f);
}

void PolygonRulesTest::verticesWalkTheCircleClockwise_data()
{
    QTest::addColumn<qint64>("k");
    QTest::newRow("triangle") << qint64(3);
    QTest::newRow("square") << qint64(4);
    QTest::newRow("hexagon") << qint64(6);
    QTest::newRow("11-gon") << qint64(11);
    QTest::newRow("1000-gon") << qint64(1000);
    QTest::newRow("100000-gon") << qint64(100000);
}

void PolygonRulesTest::verticesWalkTheCircleClockwise()
{
    QFETCH(qint64, k);
    const std::vector<Point> vertices = polygon::polygonVertices(k);
    QCOMPARE(vertices.size(), std::size_t(k + 1));
    QCOMPARE(vertices.front().x, 520.0f);
    QCOMPARE(vertices.front().y, 320.0f);
    // y grows downwards on screen, so a positive angle goes clockwise.
    QVERIFY(vertices[1].y > 320.0f);
    for (qint64 i = 0; i <= k; i += std::max<qint64>(1, k / 997)) {
        const double a = 2 * std::numbers::pi * double(i) / double(k);
        QVERIFY2(std::abs(vertices[i].x - (200 * std::cos(a) + 320)) < 1e-3, qPrintable(QString::number(i)));
        QVERIFY2(std::abs(vertices[i].y - (200 * std::sin(a) + 320)) < 1e-3, qPrintable(QString::number(i)));
    }
    QVERIFY(std::abs(vertices.back().x - 520.0f) < 1e-3);
    QVERIFY(std::abs(vertices.back().y - 320.0f) < 1e-3);
}

void PolygonRulesTest::halfPerimeterApproachesPi_data()
{
    QTest::addColumn<qint64>("k");
    for (qint64 k : {3, 4, 5, 6, 11, 100, 1000, 32768, 100000})
        QTest::addRow("%lld-gon", static_cast<long long>(k)) << k;
}

void PolygonRulesTest::halfPerimeterApproachesPi()
{
    QFETCH(qint64, k);
    const double v = polygon::halfPerimeter(k);
    QVERIFY(std::abs(v - double(k) * std::sin(std::numbers::pi / double(k))) < 1e-12);
    QVERIFY(v < std::numbers::pi);
    QVERIFY(v > polygon::halfPerimeter(k - 1));
}

void PolygonRulesTest::triangleAndHexagonTexts()
{
    // The triangle in the manual step's form and the hexagon in the
    // automatic run's form, as the window has always shown them.
    QCOMPARE(rt::Str(polygon::halfPerimeter(3)), std::string(" 2.59807621135331"));
    QCOMPARE(rt::Format14(polygon::halfPerimeter(6)), std::string("3.00000000000000"));
}

void PolygonRulesTest::noSidesGivesOnlyTheFirstVertex()
{
    QCOMPARE(polygon::polygonVertices(0).size(), std::size_t(1));
    QCOMPARE(polygon::polygonVertices(-5).size(), std::size_t(1));
}

void PolygonRulesTest::bracketHoldsPi_data()
{
    QTest::addColumn<qint64>("sides");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    // 3 and 2√3 for the hexagon; Archimedes' own 96 sides; more decimals
    // once five no longer tell the bounds apart.
    QTest::newRow("hexagon") << qint64(6) << "3.00000" << "3.46410";
    QTest::newRow("96 sides") << qint64(96) << "3.14103" << "3.14271";
    QTest::newRow("1000 sides") << qint64(1000) << "3.141587" << "3.141603";
    QTest::newRow("a million sides") << qint64(1000000) << "3.141592653585" << "3.141592653600";
    QTest::newRow("no polygon") << qint64(2) << "" << "";
}

void PolygonRulesTest::bracketHoldsPi()
{
    QFETCH(qint64, sides);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    const polygon::Bracket b = polygon::bracket(sides);
    QCOMPARE(QString::fromStdString(b.lower), lower);
    QCOMPARE(QString::fromStdString(b.upper), upper);
    if (!lower.isEmpty()) {
        QVERIFY(lower.toDouble() < M_PI && M_PI < upper.toDouble());
        QVERIFY(polygon::inscribed(sides) < M_PI && M_PI < polygon::circumscribed(sides));
    }
}

QTEST_APPLESS_MAIN(PolygonRulesTest)
#include "tst_polygon_rules.moc"

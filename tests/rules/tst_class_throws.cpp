// SPDX-License-Identifier: GPL-3.0-or-later
// The class session's throws: the hits of the table the page's test also
// reads, how far the integer grids put the expected estimate from pi, and
// the displayed estimate with its standard error.
#include "rules/ClassThrows.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cmath>

using namespace classthrows;
using u64 = std::uint64_t;

namespace {

u64 isqrt(u64 v)
{
    u64 r = u64(std::sqrt(double(v)));
    for (; r * r > v; --r) {}
    for (; (r + 1) * (r + 1) <= v; ++r) {}
    return r;
}

// The exact chance of a hit on the points' grid: for each column of cell
// centres, how many rows lie inside, walked down from the top.
double pointChance()
{
    const u64 side = u64(1) << pointBits, limit = u64(1) << (2 * pointBits + 2);
    u64 inside = 0, rows = side;
    for (u64 a = 0; a < side; ++a) {
        while (rows > 0 && (2 * rows - 1) * (2 * rows - 1) + (2 * a + 1) * (2 * a + 1) > limit)
            --rows;
        inside += rows;
    }
    return double(inside) / double(side * side);
}

// The exact chance that a needle crosses, over one quadrant of the disk of
// directions (signs change nothing): each direction crosses for the odd
// distances up to 2^13 |y| / r.
double needleChance()
{
    const u64 top = u64(1) << directionBits, distances = u64(1) << distanceBits;
    u64 directions = 0, crossings = 0;
    for (u64 x = 1; x < top; x += 2) {
        for (u64 y = 1; y < top && x * x + y * y <= top * top; y += 2, ++directions)
            crossings += (isqrt(distances * distances * y * y / (x * x + y * y)) + 1) / 2;
    }
    return double(crossings) / double(directions * distances);
}

} // namespace

class TestClassThrows : public QObject {
    Q_OBJECT

private slots:
    void generatorKnownAnswer()
    {
        std::mt19937 engine;
        engine.discard(9999);
        QCOMPARE(u64(engine()), u64(4123659995u));
    }

    void knownHits_data()
    {
        QTest::addColumn<int>("experiment");
        QTest::addColumn<u64>("seed");
        QTest::addColumn<u64>("count");
        QTest::addColumn<u64>("hits");
        QFile file(QStringLiteral(SORVENA_CLASS_KNOWN));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).array();
        QVERIFY(rows.size() >= 12);
        for (const auto& row : rows) {
            const auto number = [&](const char* key) { return u64(row[QLatin1String(key)].toInteger()); };
            const QString name = row[QLatin1String("experiment")].toString();
            QTest::addRow("%s seed %llu count %llu", qPrintable(name), number("seed"), number("count"))
                << int(name == QLatin1String("points") ? Experiment::Points : Experiment::Needles) << number("seed")
                << number("count") << number("hits");
        }
    }

    void knownHits()
    {
        QFETCH(int, experiment);
        QFETCH(u64, seed);
        QFETCH(u64, count);
        QFETCH(u64, hits);
        QCOMPARE(u64(classthrows::hits(Experiment(experiment), std::uint32_t(seed), std::uint32_t(count))), hits);
    }

    // The grid's own bias must stay under a tenth of the standard error at
    // 10^7 throws, and the throws must land at the chance the grid gives.
    void gridBias_data()
    {
        QTest::addColumn<int>("experiment");
        QTest::addColumn<double>("tenthOfError");
        QTest::newRow("points") << int(Experiment::Points) << 5.2e-5;
        QTest::newRow("needles") << int(Experiment::Needles) << 1.45e-4;
    }

    void gridBias()
    {
        QFETCH(int, experiment);
        QFETCH(double, tenthOfError);
        const bool points = Experiment(experiment) == Experiment::Points;
        const double chance = points ? pointChance() : needleChance(), pi = points ? 4 * chance : 1 / chance;
        QVERIFY2(std::fabs(pi - 3.14159265358979323846) < tenthOfError, qPrintable(QString::number(pi, 'g', 17)));
        const u64 n = 1000000;
        const double seen = double(hits(Experiment(experiment), 7, n)) / double(n);
        QVERIFY2(std::fabs(seen - chance) < 4 * std::sqrt(chance * (1 - chance) / double(n)),
                 qPrintable(QStringLiteral("%1 against %2").arg(seen).arg(chance)));
    }

    // The standard errors at 10^7 throws: 4 sqrt(p(1-p)/n) and pi sqrt((pi-1)/n).
    void estimates_data()
    {
        QTest::addColumn<int>("experiment");
        QTest::addColumn<u64>("n");
        QTest::addColumn<u64>("hits");
        QTest::addColumn<double>("value"); // 0 when undefined
        QTest::addColumn<double>("standardError");
        QTest::newRow("points") << int(Experiment::Points) << u64(10000000) << u64(7853982) << 3.1415928 << 5.193e-4;
        QTest::newRow("needles") << int(Experiment::Needles) << u64(10000000) << u64(3183099) << 3.1415925 << 1.4538e-3;
        QTest::newRow("points, none thrown") << int(Experiment::Points) << u64(0) << u64(0) << 0.0 << 0.0;
        QTest::newRow("needles, none crossed") << int(Experiment::Needles) << u64(10) << u64(0) << 0.0 << 0.0;
        QTest::newRow("more hits than throws") << int(Experiment::Points) << u64(5) << u64(6) << 0.0 << 0.0;
    }

    void estimates()
    {
        QFETCH(int, experiment);
        QFETCH(u64, n);
        QFETCH(u64, hits);
        QFETCH(double, value);
        QFETCH(double, standardError);
        const auto got = estimate(Experiment(experiment), n, hits);
        QCOMPARE(got.has_value(), value > 0);
        if (got) {
            QVERIFY2(std::fabs(got->value - value) < 1e-6, qPrintable(QString::number(got->value, 'g', 10)));
            QVERIFY2(std::fabs(got->standardError / standardError - 1) < 1e-3, qPrintable(QString::number(got->standardError)));
        }
    }
};

QTEST_APPLESS_MAIN(TestClassThrows)
#include "tst_class_throws.moc"

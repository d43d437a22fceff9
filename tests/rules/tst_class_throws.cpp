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
        QFile file(QFINDTESTDATA("class/throws_known.json"));
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

    // At 10^7 throws, the standard error (4 sqrt(p(1-p)/n), pi sqrt((pi-1)/n))
    // is as displayed, the grid's own bias stays under a tenth of it, and
    // the throws land at the chance the grid gives.
    void grids_data()
    {
        QTest::addColumn<int>("experiment");
        QTest::addColumn<double>("standardError");
        QTest::newRow("points") << int(Experiment::Points) << 5.193e-4;
        QTest::newRow("needles") << int(Experiment::Needles) << 1.4538e-3;
    }

    void grids()
    {
        QFETCH(int, experiment);
        QFETCH(double, standardError);
        const bool points = Experiment(experiment) == Experiment::Points;
        const double chance = points ? pointChance() : needleChance(), exact = 3.14159265358979323846;
        const auto shown = estimate(Experiment(experiment), 10000000, std::llround(chance * 1e7));
        QVERIFY(shown && std::fabs(shown->standardError / standardError - 1) < 1e-3);
        QVERIFY2(std::fabs(shown->value - exact) < standardError / 10, qPrintable(QString::number(shown->value, 'g', 17)));
        QVERIFY2(std::fabs((points ? 4 * chance : 1 / chance) - exact) < standardError / 10, qPrintable(QString::number(chance, 'g', 17)));
        const u64 n = 1000000;
        const double seen = double(hits(Experiment(experiment), 7, n)) / double(n);
        QVERIFY2(std::fabs(seen - chance) < 4 * std::sqrt(chance * (1 - chance) / double(n)),
                 qPrintable(QStringLiteral("%1 against %2").arg(seen).arg(chance)));
    }

    void undefinedEstimates()
    {
        QVERIFY(!estimate(Experiment::Points, 0, 0));
        QVERIFY(!estimate(Experiment::Needles, 10, 0));
        QVERIFY(!estimate(Experiment::Points, 5, 6));
    }
};

QTEST_APPLESS_MAIN(TestClassThrows)
#include "tst_class_throws.moc"

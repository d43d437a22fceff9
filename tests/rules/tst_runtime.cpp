// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts, rounding, the reply conversion and the random generator.
#include "rules/Runtime.h"

#include <QtTest>

#include <cmath>
#include <stdexcept>

class RuntimeTest : public QObject {
    Q_OBJECT
private slots:
    void strOfDouble_data();
    void strOfDouble();
    void strOfSingle_data();
    void strOfSingle();
    void format_data();
    void format();
    void cintRoundsHalvesToEven_data();
    void cintRoundsHalvesToEven();
    void cintOverflows_data();
    void cintOverflows();
    void intFloorsTowardMinusInfinity();
    void replies_data();
    void replies();
    void randomizeWithSameSeedDoesNotRepeat();
    void rndIsUniformInUnitInterval();
    void palette();
};

void RuntimeTest::strOfDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("str");
    QTest::newRow("whole") << 25.0 << " 25";
    QTest::newRow("pi") << M_PI << " 3.14159265358979";
    QTest::newRow("fraction") << 3.125 << " 3.125";
    QTest::newRow("sqrt 9.75") << std::sqrt(9.75) << " 3.1224989991992";
    QTest::newRow("minus one") << -1.0 << "-1";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("just below 1E15") << 999999999999999.0 << " 999999999999999";
    QTest::newRow("1E15") << 1e15 << " 1E+15";
    QTest::newRow("1E20") << 1e20 << " 1E+20";
    QTest::newRow("1.5E20") << 1.5e20 << " 1.5E+20";
    QTest::newRow("-2.5E100") << -2.5e100 << "-2.5E+100";
    QTest::newRow("half") << 0.5 << " .5";
    QTest::newRow("rounds the 15th digit") << 2.0 / 3.0 << " .666666666666667";
}

void RuntimeTest::strOfDouble()
{
    QFETCH(double, value);
    QFETCH(QString, str);
    QCOMPARE(QString::fromStdString(rt::Str(value)), str);
    // The plain form is the same text without the sign place.
    const QString plain = str.startsWith(QLatin1Char(' ')) ? str.mid(1) : str;
    QCOMPARE(QString::fromStdString(rt::Plain(value)), plain);
}

void RuntimeTest::strOfSingle_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("str");
    QTest::newRow("single pi") << float(M_PI) << " 3.141593";
    QTest::newRow("785 of 1000") << 4.0f * 785.0f / 1000.0f << " 3.14";
    QTest::newRow("1E7") << 1e7f << " 1E+07";
    QTest::newRow("negative") << -12.5f << "-12.5";
}

void RuntimeTest::strOfSingle()
{
    QFETCH(float, value);
    QFETCH(QString, str);
    QCOMPARE(QString::fromStdString(rt::Str(value)), str);
}

void RuntimeTest::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("pi") << M_PI << "3.14159265358979";
    QTest::newRow("half") << 0.5 << ".50000000000000";
    QTest::newRow("twelve and a half") << 12.5 << "12.50000000000000";
    QTest::newRow("zero") << 0.0 << ".00000000000000";
    QTest::newRow("four") << 4.0 << "4.00000000000000";
    QTest::newRow("single 4*785/1000") << double(4.0f * 785.0f / 1000.0f) << "3.14000010490417";
    QTest::newRow("single 100/32") << double(100.0f / 32.0f) << "3.12500000000000";
    QTest::newRow("1E20") << 1e20 << "100000000000000000000.00000000000000";
    QTest::newRow("negative") << -0.5 << "-.50000000000000";
    QTest::newRow("negative pi") << -M_PI << "-3.14159265358979";
    QTest::newRow("rounds up to a whole") << 2.999999999999999 << "3.00000000000000";
    QTest::newRow("tiny negative is zero") << -1e-20 << ".00000000000000";
}

void RuntimeTest::format()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(rt::Format14(value)), text);
}

void RuntimeTest::cintRoundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.6") << 2.6 << 3;
    QTest::newRow("10000") << 10000.0 << 10000;
    QTest::newRow("top") << 32767.0 << 32767;
    QTest::newRow("bottom") << -32768.0 << -32768;
    QTest::newRow("32766.5") << 32766.5 << 32766;
}

void RuntimeTest::cintRoundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(rt::CInt(value)), expected);
}

void RuntimeTest::cintOverflows_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("32767.5") << 32767.5;
    QTest::newRow("32768") << 32768.0;
    QTest::newRow("-32768.6") << -32768.6;
    QTest::newRow("1E20") << 1e20;
    QTest::newRow("nan") << std::nan("");
}

void RuntimeTest::cintOverflows()
{
    QFETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, rt::CInt(value));
}

void RuntimeTest::intFloorsTowardMinusInfinity()
{
    QCOMPARE(rt::Int(2.9), 2.0);
    QCOMPARE(rt::Int(-0.1), -1.0);
    QCOMPARE(rt::Int(-250.0), -250.0);
    QCOMPARE(rt::Int(-249.5), -250.0);
}

void RuntimeTest::replies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "100" << true << 100.0;
    QTest::newRow("blanks around") << "  42 " << true << 42.0;
    QTest::newRow("ideographic blanks") << "\u3000７\u3000" << true << 7.0;
    QTest::newRow("full-width digits") << "１００" << true << 100.0;
    QTest::newRow("full-width point and sign") << "－２．５" << true << -2.5;
    QTest::newRow("fraction") << "10.9" << true << 10.9;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "3." << true << 3.0;
    QTest::newRow("plus") << "+3" << true << 3.0;
    QTest::newRow("exponent") << "1E20" << true << 1e20;
    QTest::newRow("full-width exponent") << "１Ｅ２" << true << 100.0;
    QTest::newRow("negative") << "-1" << true << -1.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("only blanks") << "   " << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("number then letters") << "12abc" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("overflow") << "1E400" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("blank inside") << "1 000" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("exponent without digits") << "1E" << false << 0.0;
    QTest::newRow("kanji numeral") << "百" << false << 0.0;
}

void RuntimeTest::replies()
{
    QFETCH(QString, reply);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> parsed = rt::ParseReply(reply.toStdString());
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void RuntimeTest::randomizeWithSameSeedDoesNotRepeat()
{
    rt::RandomGenerator generator(7);
    generator.Randomize(43200.25);
    const float first = generator.Rnd();
    generator.Randomize(43200.25);
    const float second = generator.Rnd();
    QVERIFY(first != second);

    // Reseeding with one clock value before every draw still gives a
    // sequence without early repeats.
    QSet<float> seen;
    for (int i = 0; i < 2000; ++i) {
        generator.Randomize(43200.25);
        seen.insert(generator.Rnd());
    }
    QVERIFY(seen.size() > 1990);
}

void RuntimeTest::rndIsUniformInUnitInterval()
{
    rt::RandomGenerator generator(99);
    constexpr int draws = 200000;
    constexpr int bins = 20;
    int counts[bins] = {};
    for (int i = 0; i < draws; ++i) {
        const float r = generator.Rnd();
        QVERIFY(r >= 0.0f && r < 1.0f);
        ++counts[int(r * bins)];
    }
    // Chi-square with 19 degrees of freedom; 43.8 is the 0.1% point.
    double chi2 = 0;
    const double expected = double(draws) / bins;
    for (int c : counts)
        chi2 += (c - expected) * (c - expected) / expected;
    QVERIFY2(chi2 < 43.8, qPrintable(QString::number(chi2)));
}

void RuntimeTest::palette()
{
    QCOMPARE(rt::QBColor(0), 0x000000u);
    QCOMPARE(rt::QBColor(1), 0x800000u);
    QCOMPARE(rt::QBColor(2), 0x008000u);
    QCOMPARE(rt::QBColor(9), 0xFF0000u);
    QCOMPARE(rt::QBColor(12), 0x0000FFu);
}

QTEST_APPLESS_MAIN(RuntimeTest)
#include "tst_runtime.moc"

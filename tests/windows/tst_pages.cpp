// SPDX-License-Identifier: GPL-3.0-or-later
// Every printed row of every explanation page and notice, and every label
// and button caption the windows show, fits the room the design gives it in
// the faces the program picks.
#include "platform/Controls.h"
#include "support/Pages.h"
#include "support/Scripted.h"

#include <QFontInfo>
#include <QtTest>

using testing::Caption;
using testing::PrintedRow;

class PagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void facesAreTheMeasuredOnes_data();
    void facesAreTheMeasuredOnes();
    void everyPageIsPrinted();
    void everyPrintedRowFits_data();
    void everyPrintedRowFits();
    void everyCaptionFits_data();
    void everyCaptionFits();

private:
    testing::WindowTexts texts_;
};

void PagesTest::initTestCase()
{
    QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));
    testing::ScriptedServices services;
    testing::SoundRecorder sounds;
    texts_ = testing::everyText(services);
}

void PagesTest::facesAreTheMeasuredOnes_data()
{
    QTest::addColumn<int>("face");
    QTest::addColumn<QString>("family");
    QTest::newRow("Gothic") << int(platform::Face::Gothic) << QStringLiteral("Ume P Gothic");
    QTest::newRow("Mincho") << int(platform::Face::Mincho) << QStringLiteral("Ume P Mincho");
}

void PagesTest::facesAreTheMeasuredOnes()
{
    // Without the design's own faces, the page face is the measured one
    // (fonts-horai-umefont), not the wider IPA face behind it.
    QFETCH(int, face);
    QFETCH(QString, family);
    QCOMPARE(QFontInfo(platform::japaneseFont(platform::Face(face), 12)).family(), family);
}

void PagesTest::everyPageIsPrinted()
{
    // Eight pages: five series pages of four lines plus a notice, and the
    // polygon, Monte Carlo and needle pages of 16, 17 and 20 lines.
    QMap<QString, int> rows;
    for (const PrintedRow& row : texts_.rows)
        ++rows[row.window];
    const QMap<QString, int> expected{{"Form9", 5},   {"Form10", 5},  {"Form15", 5},  {"Form16", 5},
                                      {"Form17", 5},  {"Form18", 16}, {"Form19", 17}, {"Form20", 20}};
    QCOMPARE(rows, expected);
}

void PagesTest::everyPrintedRowFits_data() { testing::addRowsOf(texts_); }

void PagesTest::everyPrintedRowFits()
{
    QFETCH(PrintedRow, row);
    const QString overflow = testing::overflow(row);
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow));
}

void PagesTest::everyCaptionFits_data() { testing::addCaptionsOf(texts_); }

void PagesTest::everyCaptionFits()
{
    QFETCH(Caption, caption);
    const QString overflow = testing::overflow(caption);
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow));
}

QTEST_MAIN(PagesTest)
#include "tst_pages.moc"

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

Q_DECLARE_METATYPE(PrintedRow)
Q_DECLARE_METATYPE(Caption)

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

void PagesTest::everyPrintedRowFits_data()
{
    QTest::addColumn<PrintedRow>("row");
    for (const PrintedRow& row : texts_.rows)
        QTest::addRow("%s row %d", qPrintable(row.window), row.line) << row;
}

void PagesTest::everyPrintedRowFits()
{
    QFETCH(PrintedRow, row);
    QVERIFY(row.room > 0);
    QVERIFY2(row.width <= row.room, qPrintable(QStringLiteral("%1 px on a %2-px surface: %3")
                                                   .arg(row.width).arg(row.room).arg(row.pieces.join(QString()))));
}

void PagesTest::everyCaptionFits_data()
{
    QTest::addColumn<Caption>("caption");
    for (const Caption& caption : texts_.captions)
        QTest::addRow("%s %s %s", qPrintable(caption.window), qPrintable(caption.control), qPrintable(caption.text))
            << caption;
}

void PagesTest::everyCaptionFits()
{
    QFETCH(Caption, caption);
    const double width = testing::widthOf(caption);
    QVERIFY(caption.room > 0);
    QVERIFY2(width <= caption.room, qPrintable(QStringLiteral("%1 px in %2 px").arg(width).arg(caption.room)));
}

QTEST_MAIN(PagesTest)
#include "tst_pages.moc"

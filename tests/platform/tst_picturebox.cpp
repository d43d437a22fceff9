// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface: print placement, colours, clipping, and figures under
// the twip scale and the three user scales, checked on the retained image.
#include "platform/PictureBox.h"

#include "support/Probes.h"

#include <QtTest>

using platform::PictureBox;
using testing::colourBounds;
using testing::nonWhiteBounds;

namespace {

constexpr QRgb white = 0xFFFFFFFF;

QRgb rgbOf(int palette) { return platform::toQColor(rt::QBColor(palette)).rgb(); }

struct Scale {
    const char* name;
    platform::Twips outer;
    double across, down;
};

// The twip surface of the series windows and the three user scales.
const Scale scales[] = {
    {"twips", {120, 480, 8775, 4815}, 1, 1},
    {"polygon", {120, 480, 5200, 5200}, 8.0390625, 8.0390625},
    {"montecarlo", {120, 480, 5295, 4935}, 1.745, 1.625},
    {"buffon", {120, 480, 5295, 5295}, 1.745, 1.745},
};

} // namespace

class PictureBoxTest : public QObject {
    Q_OBJECT
private slots:
    void drawingAreaIsInsideTheBorder();
    void sixEmptyLinesMoveTheFirstTextDown();
    void semicolonKeepsTheLineAndSwitchesColour();
    void textIsClippedAtTheEdges();
    void clsErasesAndRehomes();
    void figuresUnderEachScale_data();
    void figuresUnderEachScale();
    void lineWithoutStartContinuesFromCurrentPosition();
    void smallCircleIsADot();
    void drawingSurvivesHideAndShow();
};

void PictureBoxTest::drawingAreaIsInsideTheBorder()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {120, 480, 5295, 4935}, {});
    // 30 twips of border on each side: 5295 - 60 = 5235 twips = 349 pixels.
    QCOMPARE(box.size(), QSize(353, 329));
    QCOMPARE(box.drawingArea(), QRect(2, 2, 349, 325));
    QCOMPARE(box.image().size(), QSize(349, 325));
}

void PictureBoxTest::sixEmptyLinesMoveTheFirstTextDown()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {120, 480, 8775, 4815}, {});
    box.setFontSize(11);
    box.Cls();
    box.Print(QStringLiteral("■"));
    const QRect atTop = nonWhiteBounds(box.image());
    const double line = box.lineHeight();

    box.Cls();
    for (int i = 0; i < 6; ++i)
        box.Print();
    QCOMPARE(box.currentY(), 6 * line);
    box.Print(QStringLiteral("■"));
    const QRect lower = nonWhiteBounds(box.image());

    QVERIFY(!atTop.isEmpty());
    QCOMPARE(lower.left(), atTop.left());
    QCOMPARE(lower.top() - atTop.top(), qRound(6 * line / 15.0));
    // An 11-point line is some 15 to 19 pixels.
    QVERIFY(line / 15 >= 14 && line / 15 <= 20);
}

void PictureBoxTest::semicolonKeepsTheLineAndSwitchesColour()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {120, 480, 5295, 4935}, {.twipsPerUnitX = 1.745, .twipsPerUnitY = 1.625});
    box.setFontSize(12);
    box.setForeColor(rt::QBColor(12));
    box.Print(QStringLiteral("モンテカルロ法"), PictureBox::StayOnLine);
    QCOMPARE(box.currentY(), 0.0);
    QVERIFY(box.currentX() > 0);
    box.setForeColor(rt::QBColor(0));
    box.Print(QStringLiteral("といいます。"));
    box.Print(QStringLiteral("次"));

    const QRect red = colourBounds(box.image(), rgbOf(12));
    const QImage firstLine = box.image().copy(0, 0, box.image().width(), red.bottom() + 1);
    const QRect black = colourBounds(firstLine, rgbOf(0));
    QVERIFY(!red.isEmpty());
    // The black text continues the red line to its right...
    QVERIFY(black.left() > red.right() - 2);
    QVERIFY(black.top() < red.bottom());
    // ...and the next print starts at the left edge of the following line.
    QImage secondLine = box.image().copy(0, red.bottom() + 2, box.image().width(), 40);
    QVERIFY(colourBounds(secondLine, rgbOf(0)).left() < red.right());
}

void PictureBoxTest::textIsClippedAtTheEdges()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {0, 0, 1500, 600}, {});
    box.setFontSize(12);
    const QString longText(60, QChar(0x25A0));
    for (int i = 0; i < 10; ++i)
        box.Print(longText);
    // Nothing is wrapped or scrolled: ink runs to the right edge, the line
    // cut by the bottom edge shows its upper part, the first line is still
    // at the top, and the print position has gone past the bottom.
    const QRect ink = nonWhiteBounds(box.image());
    QVERIFY(ink.right() >= box.image().width() - 4);
    QCOMPARE(ink.bottom(), box.image().height() - 1);
    QVERIFY(ink.top() < 6);
    QVERIFY(box.currentY() > 600);
}

void PictureBoxTest::clsErasesAndRehomes()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {0, 0, 3000, 3000}, {});
    box.Print(QStringLiteral("abc"));
    box.PSet(100, 100, rt::QBColor(2));
    box.Cls();
    QVERIFY(nonWhiteBounds(box.image()).isEmpty());
    QCOMPARE(box.currentX(), 0.0);
    QCOMPARE(box.currentY(), 0.0);
}

void PictureBoxTest::figuresUnderEachScale_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(scales)); ++i)
        QTest::newRow(scales[i].name) << i;
}

void PictureBoxTest::figuresUnderEachScale()
{
    QFETCH(int, index);
    const Scale& s = scales[index];
    QWidget host;
    PictureBox box(&host, "Picture1", s.outer, {.twipsPerUnitX = s.across, .twipsPerUnitY = s.down});

    // A point 600 units right and 300 down lands at units * twips-per-unit
    // / 15 pixels.
    box.PSet(600, 300, rt::QBColor(9));
    const QPoint expected(qRound(600 * s.across / 15), qRound(300 * s.down / 15));
    QCOMPARE(box.image().pixel(expected), rgbOf(9));
    QCOMPARE(colourBounds(box.image(), rgbOf(9)), QRect(expected, QSize(1, 1)));

    // A horizontal line covers its span and nothing else.
    box.Line(100, 200, 500, 200, rt::QBColor(12));
    const QRect line = colourBounds(box.image(), rgbOf(12));
    QCOMPARE(line.top(), line.bottom());
    QCOMPARE(line.left(), qRound(100 * s.across / 15));
    QCOMPARE(line.right(), qRound(500 * s.across / 15));
    QCOMPARE(line.top(), qRound(200 * s.down / 15));
    QCOMPARE(box.currentX(), 500.0);

    // A circle's radius is measured across; it is round in pixels.
    box.Cls();
    box.Circle(300, 300, 150, rt::QBColor(2));
    const QRect circle = colourBounds(box.image(), rgbOf(2));
    const int r = qRound(150 * s.across / 15);
    const QPoint c(qRound(300 * s.across / 15), qRound(300 * s.down / 15));
    QCOMPARE(circle, QRect(c.x() - r, c.y() - r, 2 * r + 1, 2 * r + 1));
    QCOMPARE(box.image().pixel(c), white);
}

void PictureBoxTest::lineWithoutStartContinuesFromCurrentPosition()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {0, 0, 3060, 3060}, {});
    box.Line(300, 300, 1500, 300, rt::QBColor(9));
    box.Line(1500, 1500, rt::QBColor(9));
    box.Line(300, 1500, rt::QBColor(9));
    box.Line(300, 300, rt::QBColor(9));
    // A closed square outline, corners included.
    const QRect square = colourBounds(box.image(), rgbOf(9));
    QCOMPARE(square, QRect(QPoint(20, 20), QPoint(100, 100)));
    for (const QPoint corner : {QPoint(20, 20), QPoint(100, 20), QPoint(100, 100), QPoint(20, 100)})
        QCOMPARE(box.image().pixel(corner), rgbOf(9));
    QCOMPARE(box.image().pixel(60, 60), white);
}

void PictureBoxTest::smallCircleIsADot()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {120, 480, 5295, 4935}, {.twipsPerUnitX = 1.745, .twipsPerUnitY = 1.625});
    box.Circle(2500, 1500, 3, rt::QBColor(12));
    QCOMPARE(colourBounds(box.image(), rgbOf(12)).size(), QSize(1, 1));
    // Far outside the surface: nothing drawn, no stall. A line with an end
    // that far is dropped whole, even where it would cross the surface.
    const QImage before = box.image();
    box.Circle(1e9f, -1e9f, 3, rt::QBColor(12));
    box.Line(-1e9f, 0, 1e9f, 5, rt::QBColor(12));
    box.PSet(-5, -5, rt::QBColor(12));
    QCOMPARE(box.image(), before);
}

void PictureBoxTest::drawingSurvivesHideAndShow()
{
    QWidget host;
    host.resize(400, 400);
    PictureBox box(&host, "Picture1", {0, 0, 3000, 3000}, {});
    host.show();
    box.Line(0, 0, 2000, 2000, rt::QBColor(12));
    host.hide();
    host.show();
    const QImage shown = box.grab().toImage();
    const QPoint p = box.drawingArea().topLeft() + QPoint(50, 50);
    QCOMPARE(shown.pixel(p), rgbOf(12));
}

QTEST_MAIN(PictureBoxTest)
#include "tst_picturebox.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// At a scale factor of 2 the drawing surfaces and formula pictures hold
// device pixels: text, lines and formulas show detail finer than a logical
// pixel, while coordinates stay logical and a PSet dot stays one logical
// pixel.
#include "platform/PictureBox.h"
#include "series/Form9.h"
#include "series/FormulaPicture.h"
#include "shell/Windows.h"
#include "support/Scripted.h"

#include "support/Probes.h"

#include <QtTest>

using platform::PictureBox;

namespace {

constexpr QRgb white = 0xFFFFFFFF;

// Of the 2x2 blocks on even device pixels that hold ink, how many are not
// one colour: none at all when a 1x image is blown up.
struct Blocks {
    int inked = 0;
    int mixed = 0;
};

Blocks blocks(const QImage& image)
{
    Blocks b;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p[4] = {image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1), image.pixel(x + 1, y + 1)};
            if (p[0] == white && p[1] == white && p[2] == white && p[3] == white)
                continue;
            ++b.inked;
            if (p[0] != p[1] || p[0] != p[2] || p[0] != p[3])
                ++b.mixed;
        }
    return b;
}

QRgb rgbOf(int palette) { return platform::toQColor(rt::QBColor(palette)).rgb(); }

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void surfaceIsBackedAtTheScreenRatio();
    void printedTextHasDevicePixelDetail();
    void printPlacementStaysLogical();
    void figures_data();
    void figures();
    void formulaPicturesAreRenderedAtTheRatio();
};

void HiDpiTest::surfaceIsBackedAtTheScreenRatio()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    QWidget host;
    PictureBox box(&host, "Picture1", {120, 480, 5295, 4935}, {});
    QCOMPARE(box.drawingArea(), QRect(2, 2, 349, 325));
    QCOMPARE(box.image().size(), QSize(698, 650));
    QCOMPARE(box.image().devicePixelRatio(), 2.0);
}

void HiDpiTest::printedTextHasDevicePixelDetail()
{
    QWidget host;
    host.resize(400, 400);
    PictureBox box(&host, "Picture1", {0, 0, 5295, 4935}, {});
    box.setFontSize(12);
    box.Print(QStringLiteral("ビュホン(Buffon 1707-1788)は、針を投げて"));
    const Blocks stored = blocks(box.image());
    QVERIFY(stored.inked > 200);
    // Antialiased glyph edges and strokes thinner than a logical pixel.
    QVERIFY2(stored.mixed * 3 > stored.inked, qPrintable(QStringLiteral("%1 of %2").arg(stored.mixed).arg(stored.inked)));

    // The widget shows the image pixel for pixel, not scaled down and up.
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    const QImage shown = box.grab(box.drawingArea()).toImage();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), box.image().convertToFormat(QImage::Format_RGB32));
}

void HiDpiTest::printPlacementStaysLogical()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {120, 480, 8775, 4815}, {});
    box.setFontSize(11);
    for (int i = 0; i < 6; ++i)
        box.Print();
    box.setForeColor(rt::QBColor(12));
    box.Print(QStringLiteral("■"), PictureBox::StayOnLine);
    box.setForeColor(rt::QBColor(0));
    box.Print(QStringLiteral("■"));
    // Six 11-point lines of 96 dpi down, in device pixels twice as many.
    const double line = box.lineHeight() / platform::twipsPerPixel;
    QVERIFY(line > 14 && line < 20);
    QRect red, black;
    const QImage& image = box.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == rgbOf(12))
                red |= QRect(x, y, 1, 1);
            else if (image.pixel(x, y) == rgbOf(0))
                black |= QRect(x, y, 1, 1);
        }
    QVERIFY(!red.isEmpty() && !black.isEmpty());
    QVERIFY2(std::abs(red.top() - 2 * 6 * line) < 2 * 4, qPrintable(QString::number(red.top())));
    // The second piece follows the first one on the same line.
    QVERIFY(std::abs(black.top() - red.top()) <= 1);
    QVERIFY(black.left() > red.right());
    QVERIFY(black.left() - red.right() < 2 * 6);
}

void HiDpiTest::figures_data()
{
    QTest::addColumn<int>("figure");
    QTest::newRow("dot") << 0;
    QTest::newRow("slanted line") << 1;
    QTest::newRow("horizontal line") << 2;
    QTest::newRow("circle") << 3;
}

void HiDpiTest::figures()
{
    QFETCH(int, figure);
    QWidget host;
    // The twip scale: 15 units to the logical pixel.
    PictureBox box(&host, "Picture1", {0, 0, 3060, 3060}, {});
    const QImage& image = box.image();
    switch (figure) {
    case 0: {
        // One logical pixel: the whole 2x2 block and nothing else.
        box.PSet(150, 300, rt::QBColor(9));
        QCOMPARE(testing::nonWhiteBounds(image), QRect(20, 40, 2, 2));
        QCOMPARE(blocks(image).mixed, 0);
        break;
    }
    case 1: {
        box.Line(150, 150, 1650, 750, rt::QBColor(12));
        // Ends on the blocks of their logical pixels...
        QCOMPARE(testing::nonWhiteBounds(image), QRect(QPoint(20, 20), QPoint(221, 101)));
        // ...steps at device resolution, one logical pixel thick: two
        // device pixels in every column.
        QVERIFY(blocks(image).mixed > 20);
        for (int x = 22; x < 220; ++x) {
            int ink = 0;
            for (int y = 0; y < image.height(); ++y)
                ink += image.pixel(x, y) != white;
            QCOMPARE(ink, 2);
        }
        break;
    }
    case 2: {
        box.Line(150, 300, 1500, 300, rt::QBColor(12));
        QCOMPARE(testing::nonWhiteBounds(image), QRect(QPoint(20, 40), QPoint(201, 41)));
        break;
    }
    case 3: {
        // Radius of 20 logical pixels about (100, 100): a ring of the same
        // extent as at ratio 1, drawn with device-pixel steps.
        box.Circle(1500, 1500, 300, rt::QBColor(2));
        QCOMPARE(testing::nonWhiteBounds(image), QRect(QPoint(160, 160), QPoint(241, 241)));
        QCOMPARE(image.pixel(200, 200), white);
        QVERIFY(blocks(image).mixed > 20);
        break;
    }
    }
}

void HiDpiTest::formulaPicturesAreRenderedAtTheRatio()
{
    testing::SoundRecorder sounds;
    Form9& window = shell::form9();
    const QImage& formula = window.formulaImage();
    QCOMPARE(formula.size(), QSize(988, 80));
    QCOMPARE(formula.devicePixelRatio(), 2.0);
    const Blocks b = blocks(formula);
    QVERIFY(b.inked > 300);
    QVERIFY2(b.mixed * 3 > b.inked, qPrintable(QStringLiteral("%1 of %2").arg(b.mixed).arg(b.inked)));
    // Picture2 shows it at its logical size.
    auto* picture = window.findChild<PictureBox*>(QStringLiteral("Picture2"));
    QVERIFY(picture);
    const QImage shown = picture->grab().toImage();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QVERIFY(blocks(shown).mixed * 3 > blocks(shown).inked);
}

int main(int argc, char** argv)
{
    // Before the application exists, so every screen has the ratio.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// A bordered label draws its single-line frame in the window-text colour,
// whatever colour its text has: the red estimate labels of the Monte Carlo
// and needle windows are framed like their black neighbours.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QtTest>

namespace {

struct Ring {
    QSet<QRgb> colours;
    int pixels = 0;
};

// The colours on the label's outermost ring of device pixels.
Ring outerRing(const QImage& image)
{
    Ring ring;
    const int w = image.width(), h = image.height();
    for (int x = 0; x < w; ++x)
        for (const int y : {0, h - 1}) {
            ring.colours.insert(image.pixel(x, y));
            ++ring.pixels;
        }
    for (int y = 0; y < h; ++y)
        for (const int x : {0, w - 1}) {
            ring.colours.insert(image.pixel(x, y));
            ++ring.pixels;
        }
    return ring;
}

int countInside(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

} // namespace

class LabelFramesTest : public QObject {
    Q_OBJECT
private slots:
    void frameTakesTheFrameColour_data();
    void frameTakesTheFrameColour();

private:
    testing::SoundRecorder sounds_;
};

void LabelFramesTest::frameTakesTheFrameColour_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QRgb>("text");
    const QRgb black = qRgb(0, 0, 0), red = qRgb(255, 0, 0);
    QTest::newRow("Form19 Label1") << "Form19" << "Label1" << black;
    QTest::newRow("Form19 Label2") << "Form19" << "Label2" << black;
    QTest::newRow("Form19 Label3 (red text)") << "Form19" << "Label3" << red;
    QTest::newRow("Form20 Label1") << "Form20" << "Label1" << black;
    QTest::newRow("Form20 Label2") << "Form20" << "Label2" << black;
    QTest::newRow("Form20 Label3 (red text)") << "Form20" << "Label3" << red;
    QTest::newRow("Form18 Label1") << "Form18" << "Label1" << black;
    QTest::newRow("Form18 Label2") << "Form18" << "Label2" << black;
}

void LabelFramesTest::frameTakesTheFrameColour()
{
    QFETCH(QString, window);
    QFETCH(QString, label);
    QFETCH(QRgb, text);
    auto* control = testing::window(window).findChild<platform::Label*>(label);
    QVERIFY(control);
    QVERIFY(control->frameWidth() > 0);
    control->setCaption(QStringLiteral("π＝3.14159265358979"));
    const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // The whole ring is one colour: the system's window text, never the
    // label's text colour.
    const Ring ring = outerRing(image);
    const QRgb frame = QApplication::palette().color(QPalette::WindowText).rgb();
    QCOMPARE(ring.colours, QSet<QRgb>{frame});
    // The text keeps its own colour.
    QVERIFY(countInside(image, text) > 20);
    control->setCaption(QString());
}

QTEST_MAIN(LabelFramesTest)
#include "tst_label_frames.moc"

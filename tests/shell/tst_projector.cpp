// SPDX-License-Identifier: GPL-3.0-or-later
// Projector mode: the scale chosen for a screen, and the window sizes it
// is chosen for.
#include "shell/Form1.h"
#include "shell/Form7.h"
#include "shell/Projector.h"
#include "shell/Windows.h"

#include "experiments/Form20.h"
#include "experiments/Form19.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"

#include <QApplication>
#include <QtTest>

class TestProjector : public QObject {
    Q_OBJECT
private slots:
    void scale_data();
    void scale();
    void largestWindows();
};

void TestProjector::scale_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<double>("expected");
    const QSize openbox{2, 26}, allowance{16, 40};
    QTest::newRow("1920x1080") << QSize(1920, 1080) << allowance << 1.9;
    QTest::newRow("1024x768") << QSize(1024, 768) << allowance << 1.35;
    QTest::newRow("3840x2160: at most 3") << QSize(3840, 2160) << allowance << 3.0;
    QTest::newRow("1366x768 with a panel") << QSize(1366, 736) << allowance << 1.25;
    QTest::newRow("narrow: the width decides") << QSize(1000, 2000) << allowance << 1.6;
    QTest::newRow("800x600: never smaller") << QSize(800, 600) << allowance << 1.0;
    QTest::newRow("exactly twice, thin frame") << QSize(1230 + 2, 1076 + 26) << openbox << 2.0;
    QTest::newRow("a pixel short of twice") << QSize(1230 + 2, 1076 + 25) << openbox << 1.95;
}

void TestProjector::scale()
{
    QFETCH(QSize, available);
    QFETCH(QSize, frame);
    QFETCH(double, expected);
    const QSize client = shell::largestClientArea();
    const double scale = shell::projectorScale(available, client, frame);
    QCOMPARE(scale, expected);
    if (scale > 1) {
        QVERIFY(client.width() * scale + frame.width() <= available.width());
        QVERIFY(client.height() * scale + frame.height() <= available.height());
    }
}

void TestProjector::largestWindows()
{
    const std::initializer_list<QWidget*> windows = {&shell::form1(),  &shell::form7(),  &shell::form9(),
                                                     &shell::form10(), &shell::form15(), &shell::form16(),
                                                     &shell::form17(), &shell::form18(), &shell::form19(),
                                                     &shell::form20()};
    QSize largest;
    for (const QWidget* w : windows)
        largest = largest.expandedTo(w->size());
    QCOMPARE(shell::largestClientArea(), largest);
}

QTEST_MAIN(TestProjector)
#include "tst_projector.moc"

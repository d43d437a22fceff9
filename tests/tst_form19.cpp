// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/Form19.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Scripted.h"

#include <QtTest>

#include <cmath>
#include <functional>

using testing::ScriptedServices;
using testing::SoundRecorder;

namespace {

const QString hint = QStringLiteral("［中止］をクリックすると止まります．．．");
const QRgb lightBlue = qRgb(0, 0, 255);
const QRgb lightRed = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 128, 0);
const QRgb white = qRgb(255, 255, 255);

// Rnd values that land on known points: 0.5 gives 1500 (the centre),
// 0 gives 500 (a corner of the square), 0.9999 gives 2500.
constexpr float centreR = 0.5f;
constexpr float cornerR = 0.0f;
constexpr float edgeR = 0.9999f;

using Services = ScriptedServices;

// 終了, メニュー, 中止, 解説, 実験 as E (enabled) or D (disabled).
QString buttons(const Form19& w)
{
    QString s;
    for (const QPushButton* b : {w.Command1, w.Command3, w.Command4, w.Command5, w.Command2})
        s += b->isEnabled() ? QLatin1Char('E') : QLatin1Char('D');
    return s;
}

void pushPoints(Services& services, int count, float rx, float ry)
{
    for (int i = 0; i < count; ++i) {
        services.rndValues.push_back(rx);
        services.rndValues.push_back(ry);
    }
}

// Clicks "実験" with the given reply; stopAt clicks "中止" inside that
// DoEvents call.
void experiment(Form19& w, Services& services, const QString& reply, int stopAt = 0)
{
    services.replies = {reply};
    services.onDoEvents = [&w, stopAt](int call) {
        if (call == stopAt)
            QTest::mouseClick(w.Command4, Qt::LeftButton);
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    services.onDoEvents = nullptr;
}

QRgb pixelAt(const Form19& w, double x, double y)
{
    return w.Picture1->image().pixel(w.Picture1->toPixel(x, y));
}

} // namespace

class TestForm19 : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void labelStyles();
    void userScale();
    void stateTable_data();
    void stateTable();
    void inputBoxQuestion();
    void labelsDuringRun();
    void stopKeepsLastPoint();
    void firstPointEstimate_data();
    void firstPointEstimate();
    void estimateInSinglePrecision();
    void pointOnCircleCountsInside();
    void acceptedReplies_data();
    void acceptedReplies();
    void refusedReplies_data();
    void refusedReplies();
    void pointerDuringRun();
    void figurePixels();
    void markColours();
    void explanationPage();
    void explanationClearsRunAndRunClearsPage();
    void reactivationKeepsDrawing();
    void menuAndBack();
    void quitAnsweredNo();
};

void TestForm19::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("終了") << "Command1" << "終了" << QRect(0, 0, 855, 375) << true;
    QTest::newRow("メニュー") << "Command3" << "メニュー" << QRect(840, 0, 855, 375) << true;
    QTest::newRow("中止") << "Command4" << "中止" << QRect(1680, 0, 855, 375) << false;
    QTest::newRow("解説") << "Command5" << "解説" << QRect(3720, 0, 855, 375) << false;
    QTest::newRow("実験") << "Command2" << "実験" << QRect(4560, 0, 975, 375) << true;
}

void TestForm19::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, enabled);

    SoundRecorder recorder;
    Form19 w;
    QCOMPARE(w.objectName(), QStringLiteral("Form19"));
    QCOMPARE(w.windowTitle(), QStringLiteral("モンテカルロ法を利用してπの近似値を求める"));
    QCOMPARE(w.size(), QSize(369, 524)); // 5535 x 7860 twips

    auto* button = w.findChild<QPushButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(button->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void TestForm19::labelStyles()
{
    SoundRecorder recorder;
    Form19 w;
    const QList<platform::Label*> labels{w.Label1, w.Label2, w.Label3, w.Label4};
    const int tops[] = {5760, 6240, 6720, 7200};
    for (int i = 0; i < 4; ++i) {
        platform::Label* label = labels[i];
        QCOMPARE(label->objectName(), QStringLiteral("Label%1").arg(i + 1));
        QCOMPARE(label->geometry(), QRect(24, tops[i] / 15, 321, 25));
        QVERIFY(label->text().isEmpty());
        QCOMPARE(label->font().pointSizeF(), 12.0);
        QCOMPARE(label->font().weight(), QFont::Normal);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
        QCOMPARE(label->frameShape(), i < 3 ? QFrame::Box : QFrame::NoFrame);
    }
    QCOMPARE(w.Label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(w.Label4->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(w.Label1->palette().color(QPalette::WindowText), w.palette().color(QPalette::WindowText));
    QVERIFY(w.Line1);
    QCOMPARE(w.MMControl1->objectName(), QStringLiteral("MMControl1"));
}

void TestForm19::userScale()
{
    SoundRecorder recorder;
    Form19 w;
    QCOMPARE(w.Picture1->geometry(), QRect(8, 32, 353, 329));
    // 5235 x 4875 twips of interior hold 3000 x 3000 units.
    QCOMPARE(w.Picture1->drawingArea().size(), QSize(349, 325));
    QCOMPARE(w.Picture1->toPixel(3000, 3000), QPoint(349, 325));
    QCOMPARE(w.Picture1->toPixel(2500, 1500), QPoint(291, 163)); // 1.745 across, 1.625 down
    QCOMPARE(w.Picture1->image().pixel(10, 10), white);
}

// Each row drives the window to one moment of its life and reads the five
// buttons there: 終了, メニュー, 中止, 解説, 実験.
void TestForm19::stateTable_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("expected");

    QTest::newRow("design") << "design" << "EEDDE";
    QTest::newRow("activation") << "activation" << "EEDED";
    QTest::newRow("after 解説") << "explained" << "EEDDE";
    QTest::newRow("run starts") << "asking" << "DDEDD";
    QTest::newRow("reply refused") << "refused" << "EEDDE";
    QTest::newRow("中止 pressed") << "stopping" << "DDDDD";
    QTest::newRow("run ends") << "ended" << "EEDDE";
    QTest::newRow("run stopped") << "stopped" << "EEDDE";
    // Left straight after activation: "メニュー" itself enables "実験".
    QTest::newRow("メニュー") << "menu" << "EEDEE";
    QTest::newRow("activation after a run") << "reactivated" << "EEDED";
}

void TestForm19::stateTable()
{
    QFETCH(QString, moment);
    QFETCH(QString, expected);

    SoundRecorder recorder;
    Services services;
    Form19 w;
    QString seen;

    if (moment == QLatin1String("design")) {
        seen = buttons(w);
    } else if (moment == QLatin1String("activation")) {
        w.Show();
        seen = buttons(w);
    } else if (moment == QLatin1String("menu")) {
        w.Show();
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        seen = buttons(w);
    } else {
        w.Show();
        QTest::mouseClick(w.Command5, Qt::LeftButton);
        if (moment == QLatin1String("explained")) {
            seen = buttons(w);
        } else if (moment == QLatin1String("asking")) {
            services.onInputBox = [&] { seen = buttons(w); };
            experiment(w, services, QString());
        } else if (moment == QLatin1String("refused")) {
            experiment(w, services, QStringLiteral("5"));
            seen = buttons(w);
        } else if (moment == QLatin1String("stopping")) {
            services.replies = {QStringLiteral("100")};
            services.onDoEvents = [&](int call) {
                if (call == 3) {
                    QTest::mouseClick(w.Command4, Qt::LeftButton);
                    seen = buttons(w);
                }
            };
            QTest::mouseClick(w.Command2, Qt::LeftButton);
        } else if (moment == QLatin1String("ended")) {
            experiment(w, services, QStringLiteral("10"));
            seen = buttons(w);
        } else if (moment == QLatin1String("stopped")) {
            experiment(w, services, QStringLiteral("100"), 5);
            seen = buttons(w);
        } else if (moment == QLatin1String("reactivated")) {
            experiment(w, services, QStringLiteral("10"));
            w.Hide();
            w.Show();
            seen = buttons(w);
        }
    }
    QCOMPARE(seen, expected);
}

void TestForm19::inputBoxQuestion()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    recorder.clear();
    experiment(w, services, QString());
    QCOMPARE(services.inputBoxes.size(), 1);
    QCOMPARE(services.inputBoxes[0].prompt,
             QStringLiteral("何個の点を打ちますか？（１０以上、１００００以下の自然数を入力してください．．．）"));
    QCOMPARE(services.inputBoxes[0].title, QStringLiteral("打つ点の個数の設定"));
    QCOMPARE(services.inputBoxes[0].defaultText, QStringLiteral("100"));
    // The click cue comes before the box.
    QCOMPARE(recorder.log.filter(QStringLiteral("Form19: Sound")).size(), 1);
    QVERIFY(recorder.log.indexOf(QStringLiteral("Form19: Sound pinpon.wav")) < recorder.log.indexOf(QStringLiteral("inputbox")));
}

// Points alternate inside (the centre) and outside (a corner); at DoEvents
// call k the labels show point k - 1.
void TestForm19::labelsDuringRun()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    for (int i = 0; i < 20; ++i)
        pushPoints(services, 1, i % 2 == 0 ? centreR : cornerR, i % 2 == 0 ? centreR : cornerR);
    recorder.clear();

    QStringList label1, label2, label3;
    services.replies = {QStringLiteral("20")};
    services.onDoEvents = [&](int) {
        label1 << w.Label1->text();
        label2 << w.Label2->text();
        label3 << w.Label3->text();
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    label1 << w.Label1->text();
    label2 << w.Label2->text();
    label3 << w.Label3->text();

    QCOMPARE(label1.size(), 21);
    QCOMPARE(label1[0], QString());
    QCOMPARE(label1[1], QStringLiteral("打った点の総数＝ 1 /  20"));
    QCOMPARE(label2[1], QStringLiteral("円の内に入った点の個数＝ 1"));
    QCOMPARE(label3[1], QStringLiteral("π＝4.00000000000000"));
    QCOMPARE(label1[2], QStringLiteral("打った点の総数＝ 2 /  20"));
    QCOMPARE(label2[2], QStringLiteral("円の内に入った点の個数＝ 1"));
    QCOMPARE(label3[2], QStringLiteral("π＝2.00000000000000"));
    QCOMPARE(label1[3], QStringLiteral("打った点の総数＝ 3 /  20"));
    QCOMPARE(label2[3], QStringLiteral("円の内に入った点の個数＝ 2"));
    QCOMPARE(label3[3], QStringLiteral("π＝2.66666674613953")); // 8/3 in single precision
    QCOMPARE(label1[20], QStringLiteral("打った点の総数＝ 20 /  20"));
    QCOMPARE(label2[20], QStringLiteral("円の内に入った点の個数＝ 10"));
    QCOMPARE(label3[20], QStringLiteral("π＝2.00000000000000"));
    // A complete run leaves the hint; it goes only when a run is stopped.
    QCOMPARE(w.Label4->text(), hint);
    QCOMPARE(w.PointIndex, std::int16_t(21));
    QCOMPARE(w.InsideCount, std::int16_t(10));
    QCOMPARE(recorder.cues(QStringLiteral("Form19")), QStringList({"pinpon.wav", "logoff.wav"}));
    // The end-of-run cue closes without stopping first.
    QCOMPARE(recorder.commands(QStringLiteral("Form19")),
             QStringList({"Stop", "Close", "Open pinpon.wav", "Sound pinpon.wav", "Close", "Open logoff.wav",
                          "Sound logoff.wav"}));
}

void TestForm19::stopKeepsLastPoint()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushPoints(services, 25, centreR, centreR);
    pushPoints(services, 10, cornerR, cornerR);
    recorder.clear();

    int callsAfterStop = 0;
    services.replies = {QStringLiteral("1000")};
    services.onDoEvents = [&](int call) {
        if (call == 26)
            QTest::mouseClick(w.Command4, Qt::LeftButton);
        if (call > 26)
            ++callsAfterStop;
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);

    QCOMPARE(callsAfterStop, 0);
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 25 /  1000"));
    QCOMPARE(w.Label2->text(), QStringLiteral("円の内に入った点の個数＝ 25"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝4.00000000000000"));
    QCOMPARE(w.Label4->text(), QString());
    QCOMPARE(w.StopFlag, std::int16_t(0));
    // The 26th point was never thrown.
    QCOMPARE(services.rndValues.size(), std::size_t(20));
    QCOMPARE(recorder.cues(QStringLiteral("Form19")), QStringList({"pinpon.wav", "pinpon.wav", "logoff.wav"}));
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));

    // A later run starts afresh rather than stopping at once.
    pushPoints(services, 10, centreR, centreR);
    experiment(w, services, QStringLiteral("10"));
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 10 /  10"));
}

void TestForm19::firstPointEstimate_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("label3");
    QTest::newRow("inside") << centreR << "円の内に入った点の個数＝ 1" << "π＝4.00000000000000";
    QTest::newRow("outside") << cornerR << "円の内に入った点の個数＝ 0" << "π＝.00000000000000";
}

void TestForm19::firstPointEstimate()
{
    QFETCH(float, r);
    QFETCH(QString, label2);
    QFETCH(QString, label3);

    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushPoints(services, 1, r, r);
    experiment(w, services, QStringLiteral("10"), 2);
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 1 /  10"));
    QCOMPARE(w.Label2->text(), label2);
    QCOMPARE(w.Label3->text(), label3);
}

void TestForm19::estimateInSinglePrecision()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushPoints(services, 785, centreR, centreR);
    pushPoints(services, 215, cornerR, edgeR);
    experiment(w, services, QStringLiteral("1000"));
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 1000 /  1000"));
    QCOMPARE(w.Label2->text(), QStringLiteral("円の内に入った点の個数＝ 785"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝3.14000010490417"));
    QVERIFY(services.rndValues.empty());
}

void TestForm19::pointOnCircleCountsInside()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    // 2001 * 0.9999 + 500 = 2500.8 and 2001 * 0.5 + 500 = 1500.5.
    pushPoints(services, 10, edgeR, centreR);
    experiment(w, services, QStringLiteral("10"));
    QCOMPARE(w.Label2->text(), QStringLiteral("円の内に入った点の個数＝ 10"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝4.00000000000000"));
    // The last pass draws the mark after the figure's dot at the same place.
    QCOMPARE(pixelAt(w, 2500, 1500), lightRed);
}

void TestForm19::acceptedReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("total");

    QTest::newRow("10") << "10" << 10 << " /  10";
    QTest::newRow("10.9 drops the fraction") << "10.9" << 10 << " /  10";
    QTest::newRow("blanks around") << " 12 " << 12 << " /  12";
    QTest::newRow("full-width digits") << "１５" << 15 << " /  15";
    QTest::newRow("10000") << "10000" << 10000 << " /  10000";
    QTest::newRow("9999.99") << "9999.99" << 9999 << " /  9999";
}

void TestForm19::acceptedReplies()
{
    QFETCH(QString, reply);
    QFETCH(int, points);
    QFETCH(QString, total);

    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    // Long runs are stopped after a few points; the bound shows in Label1.
    experiment(w, services, reply, points > 100 ? 4 : 0);
    QCOMPARE(w.PointTotal, double(points));
    QVERIFY2(w.Label1->text().endsWith(total), qPrintable(w.Label1->text()));
    if (points <= 100) {
        QCOMPARE(services.doEventsCalls, points);
        QCOMPARE(services.randomizeCalls, points);
        QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ %1%2").arg(points).arg(total));
    } else {
        QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 3%1").arg(total));
    }
}

void TestForm19::refusedReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("cancel") << QString();
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("number and letters") << "50 points";
    QTest::newRow("9.99") << "9.99";
    QTest::newRow("9") << "9";
    QTest::newRow("negative") << "-100";
    QTest::newRow("10000.5") << "10000.5";
    QTest::newRow("10001") << "10001";
    QTest::newRow("huge") << "1e300";
}

void TestForm19::refusedReplies()
{
    QFETCH(QString, reply);

    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    const QImage before = w.Picture1->image();
    const std::size_t rndLeft = services.rndValues.size();
    recorder.clear();

    experiment(w, services, reply);

    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));
    QCOMPARE(w.Label1->text(), QString());
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.Label3->text(), QString());
    QCOMPARE(w.Label4->text(), hint);
    QCOMPARE(w.Picture1->image(), before);
    QCOMPARE(w.mousePointer(), 0);
    QCOMPARE(services.doEventsCalls, 10);
    QCOMPARE(services.rndValues.size(), rndLeft);
    // Only the click cue, nothing after the prompt.
    QCOMPARE(recorder.cues(QStringLiteral("Form19")), QStringList({"pinpon.wav"}));
    QCOMPARE(recorder.log.last(), QStringLiteral("inputbox"));
}

void TestForm19::pointerDuringRun()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QList<int> pointers;
    services.onInputBox = [&] { pointers << w.mousePointer(); };
    services.replies = {QStringLiteral("10")};
    services.onDoEvents = [&](int) { pointers << w.mousePointer(); };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(pointers.size(), 11);
    QCOMPARE(pointers.first(), 0);
    QCOMPARE(pointers.count(13), 10);
    QCOMPARE(w.mousePointer(), 0);
}

// Stopped at the first yield: the figure is drawn and no point is thrown.
void TestForm19::figurePixels()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"), 1);
    QCOMPARE(w.Label1->text(), QString());

    int dots = 0;
    for (double t = 0; t <= 6.283184; t += 0.01) {
        ++dots;
        const float x = float(1000 * std::cos(t) + 1500);
        const float y = float(1000 * std::sin(t) + 1500);
        QCOMPARE(pixelAt(w, x, y), lightBlue);
    }
    QCOMPARE(dots, 629);
    for (int s = 500; s <= 2500; s += 250) {
        QCOMPARE(pixelAt(w, s, 500), lightBlue);
        QCOMPARE(pixelAt(w, s, 2500), lightBlue);
        QCOMPARE(pixelAt(w, 500, s), lightBlue);
        QCOMPARE(pixelAt(w, 2500, s), lightBlue);
    }
    QCOMPARE(pixelAt(w, 1500, 1500), white);
    QCOMPARE(pixelAt(w, 100, 100), white);
    QCOMPARE(pixelAt(w, 2800, 2800), white);

    // Wider than tall: 233 pixels across (58 to 291) and 217 down (54 to 271).
    const QImage& image = w.Picture1->image();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == lightBlue)
                bounds |= QRect(x, y, 1, 1);
    QCOMPARE(bounds, QRect(QPoint(58, 54), QPoint(291, 271)));

    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != white) {
                QCOMPARE(image.pixel(x, y), lightBlue);
                ++blue;
            }
    QVERIFY(blue > 4 * 200);
}

void TestForm19::markColours()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    // (1000, 1000) inside; (600, 600) outside; both clear of the figure.
    const float r1000 = 0.25f; // 2001 * 0.25 + 500 = 1000.25
    const float r600 = 0.05f;  // 2001 * 0.05 + 500 = 600.05
    pushPoints(services, 1, r1000, r1000);
    pushPoints(services, 1, r600, r600);
    experiment(w, services, QStringLiteral("10"), 3);
    QCOMPARE(w.Label2->text(), QStringLiteral("円の内に入った点の個数＝ 1"));
    QCOMPARE(pixelAt(w, 1000, 1000), lightRed);
    QCOMPARE(pixelAt(w, 600, 600), green);
    QCOMPARE(pixelAt(w, 1500, 1500), white);
}

void TestForm19::explanationPage()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    recorder.clear();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QCOMPARE(recorder.cues(QStringLiteral("Form19")), QStringList({"pinpon.wav"}));
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));

    // The same page printed from this test's own copy of the text, on a
    // surface of the same design.
    QWidget host;
    platform::PictureBox reference(&host, "Reference", {120, 480, 5295, 4935},
                                   {.twipsPerUnitX = 1.745, .twipsPerUnitY = 1.625});
    struct Piece {
        int colour;
        QString text;
    };
    const QList<QList<Piece>> page = {
        {},
        {{0, QStringLiteral("　　　確率を利用して図形の面積や体積を求める")}},
        {{0, QStringLiteral("　　方法を")}, {12, QStringLiteral("モンテカルロ法")}, {0, QStringLiteral("といいます。")}},
        {{0, QStringLiteral("　　　平面上に、一辺の長さ ２ｒ の正方形とそれ")}},
        {{0, QStringLiteral("　　に内接する半径 ｒ の円を描いておきます。")}},
        {{0, QStringLiteral("　　　この正方形内にｎ個の点をデタラメに打ちま")}},
        {{0, QStringLiteral("　　す。このうち、円内にｍ個の点が打たれている")}},
        {{0, QStringLiteral("　　とすると、")}},
        {{0, QStringLiteral("　　　比例式　正方形の面積：円の面積＝ｎ：ｍ が")}},
        {{0, QStringLiteral("　　成立すると考えられます。")}},
        {{0, QStringLiteral("　　　よって、")}},
        {{12, QStringLiteral("　　　　２ｒ×２ｒ ： π×ｒ×ｒ ＝ ｎ ： ｍ")}, {0, QStringLiteral("　･･･････　①")}},
        {{0, QStringLiteral("　　が成り立ちます。")}},
        {{0, QStringLiteral("　　　①より、")}},
        {{12, QStringLiteral("　　　　π≒(４ｍ)÷ｎ")}, {0, QStringLiteral("　･･････････　②")}},
        {{0, QStringLiteral("　　となります。")}},
        {{0, QStringLiteral("　　　②より、ｎ と ｍ を実験で求めれば円周率π")}},
        {{0, QStringLiteral("　　の近似値がわかるというわけです。")}},
    };
    reference.setFontSize(12);
    for (const QList<Piece>& row : page) {
        if (row.isEmpty())
            reference.Print();
        for (qsizetype i = 0; i < row.size(); ++i) {
            reference.setForeColor(rt::QBColor(row[i].colour));
            reference.Print(row[i].text, i + 1 < row.size() ? platform::PictureBox::StayOnLine
                                                            : platform::PictureBox::EndLine);
        }
    }
    QCOMPARE(w.Picture1->image(), reference.image());
    QCOMPARE(w.Picture1->foreColor(), rt::QBColor(0));
    QCOMPARE(w.Picture1->fontSize(), 12.0);
    // 18 lines fit the drawing area.
    QVERIFY(18 * w.Picture1->lineHeight() <= 3000);

    // Line 3 changes colour mid-line: light red between black pieces.
    const QImage& image = w.Picture1->image();
    const int top = w.Picture1->toPixel(0, 2 * w.Picture1->lineHeight()).y();
    const int bottom = w.Picture1->toPixel(0, 3 * w.Picture1->lineHeight()).y();
    int firstRed = -1, lastRed = -1, blackBefore = 0, blackAfter = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (image.pixel(x, y) == lightRed) {
                if (firstRed < 0)
                    firstRed = x;
                lastRed = x;
            }
    QVERIFY(firstRed > 0);
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (qGray(image.pixel(x, y)) < 60 && qRed(image.pixel(x, y)) < 60) {
                blackBefore += x < firstRed ? 1 : 0;
                blackAfter += x > lastRed ? 1 : 0;
            }
    QVERIFY(blackBefore > 0);
    QVERIFY(blackAfter > 0);
}

void TestForm19::explanationClearsRunAndRunClearsPage()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    const QImage page = w.Picture1->image();
    experiment(w, services, QStringLiteral("10"), 1);
    const QImage& figure = w.Picture1->image();
    for (int y = 0; y < figure.height(); ++y)
        for (int x = 0; x < figure.width(); ++x)
            QVERIFY(figure.pixel(x, y) == white || figure.pixel(x, y) == lightBlue);

    // After leaving and coming back, the page replaces the run's drawing.
    experiment(w, services, QStringLiteral("10"));
    w.Hide();
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QCOMPARE(w.Picture1->image(), page);
}

void TestForm19::reactivationKeepsDrawing()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    const QImage drawing = w.Picture1->image();
    recorder.clear();

    w.Hide();
    w.Show();
    QCOMPARE(w.Label1->text(), QString());
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.Label3->text(), QString());
    QCOMPARE(w.Label4->text(), hint);
    QCOMPARE(w.Picture1->image(), drawing);
    QCOMPARE(buttons(w), QStringLiteral("EEDED"));
    QVERIFY(recorder.cues().isEmpty());
    // "実験" ignores clicks until "解説".
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(services.inputBoxes.size() == 1);
}

void TestForm19::menuAndBack()
{
    SoundRecorder recorder;
    Services services;
    Form19& w = shell::form19();
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    recorder.clear();

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(shell::form7().isVisible());
    QCOMPARE(recorder.cues(), QStringList({"pinpon.wav"}));
    QCOMPARE(recorder.cues(QStringLiteral("Form19")), QStringList({"pinpon.wav"}));
    QImage blank(w.Picture1->image().size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(w.Picture1->image(), blank);

    QTest::mouseClick(shell::form7().Command3, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QVERIFY(!shell::form7().isVisible());
    QCOMPARE(w.Picture1->image(), blank);
    QCOMPARE(w.Label1->text(), QString());
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.Label3->text(), QString());
    QCOMPARE(buttons(w), QStringLiteral("EEDED"));
    QCOMPARE(&shell::form19(), &w);
    w.Hide();
}

void TestForm19::quitAnsweredNo()
{
    SoundRecorder recorder;
    Services services;
    Form19 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    const QImage drawing = w.Picture1->image();
    const QString label1 = w.Label1->text();
    recorder.clear();
    services.answers = {platform::vbNo};

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(services.messageBoxes.size(), 1);
    QCOMPARE(services.messageBoxes[0].prompt, QStringLiteral("終了していいですか？"));
    QCOMPARE(services.messageBoxes[0].title, QStringLiteral("Sorvena"));
    QCOMPARE(recorder.cues(), QStringList({"endpinpon.wav"}));
    QCOMPARE(services.ends, 0);
    QCOMPARE(w.Picture1->image(), drawing);
    QCOMPARE(w.Label1->text(), label1);
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));

    services.answers = {platform::vbYes};
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(services.ends, 1);
}

QTEST_MAIN(TestForm19)
#include "tst_form19.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/Form20.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Scripted.h"

#include <QtTest>

#include <functional>

using testing::ScriptedServices;
using testing::SoundRecorder;

namespace {

const QString hint = QStringLiteral("［中止］をクリックすると止まります．．．");
const QRgb lightBlue = qRgb(0, 0, 255);
const QRgb lightRed = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 128, 0);
const QRgb white = qRgb(255, 255, 255);

// Rnd triples for needles worked out by hand:
// r1 0.4 -> x 1200; r2 0 -> y 250, 0.4 -> y 1250, 0.5 -> y 1500;
// r3 0 points right (+250, 0), 0.75 points up (-1, -250).
struct Rnd3 {
    float r1, r2, r3;
};
constexpr Rnd3 upFrom250{0.4f, 0.0f, 0.75f};    // (1200, 250) to (1199, 0): meets nothing
constexpr Rnd3 upFrom1250{0.4f, 0.4f, 0.75f};   // (1200, 1250) to (1199, 1000): ends on a line
constexpr Rnd3 flatAt1250{0.4f, 0.4f, 0.0f};    // (1200, 1250) to (1450, 1250): between lines
constexpr Rnd3 flatOn1500{0.4f, 0.5f, 0.0f};    // (1200, 1500) to (1450, 1500): lies on a line
constexpr Rnd3 flatOn2000{0.1f, 0.7f, 0.0f};    // (300, 2000) to (550, 2000): lies on a line
using Services = ScriptedServices;

// 終了, メニュー, 中止, 解説, 実験 as E (enabled) or D (disabled).
QString buttons(const Form20& w)
{
    QString s;
    for (const QPushButton* b : {w.Command1, w.Command3, w.Command4, w.Command5, w.Command2})
        s += b->isEnabled() ? QLatin1Char('E') : QLatin1Char('D');
    return s;
}

void pushNeedles(Services& services, int count, Rnd3 n)
{
    for (int i = 0; i < count; ++i) {
        services.rndValues.push_back(n.r1);
        services.rndValues.push_back(n.r2);
        services.rndValues.push_back(n.r3);
    }
}

void experiment(Form20& w, Services& services, const QString& reply, int stopAt = 0)
{
    services.replies = {reply};
    services.onDoEvents = [&w, stopAt](int call) {
        if (call == stopAt)
            QTest::mouseClick(w.Command4, Qt::LeftButton);
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    services.onDoEvents = nullptr;
}

QRgb pixelAt(const Form20& w, double x, double y)
{
    return w.Picture1->image().pixel(w.Picture1->toPixel(x, y));
}

} // namespace

class TestForm20 : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void labelsAndSurface();
    void stateTable_data();
    void stateTable();
    void inputBoxQuestion();
    void labelsDuringRun();
    void everyNeedleCrosses();
    void thirtyTwoOfHundred();
    void stopKeepsPreviousNeedle();
    void acceptedReplies_data();
    void acceptedReplies();
    void refusedReplies_data();
    void refusedReplies();
    void pointerDuringRun();
    void linesAndNeedlePixels();
    void explanationPage();
    void menuAndBack();
    void quitAnsweredNo();
};

void TestForm20::layout_data()
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

void TestForm20::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, enabled);

    SoundRecorder recorder;
    Form20 w;
    QCOMPARE(w.objectName(), QStringLiteral("Form20"));
    QCOMPARE(w.windowTitle(), QStringLiteral("ビュホンの針を利用してπの近似値を求める"));
    QCOMPARE(w.size(), QSize(369, 538)); // 5535 x 8070 twips
    auto* button = w.findChild<QPushButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(button->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void TestForm20::labelsAndSurface()
{
    SoundRecorder recorder;
    Form20 w;
    const QList<platform::Label*> labels{w.Label1, w.Label2, w.Label3, w.Label4};
    const int tops[] = {6000, 6480, 6960, 7440};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(labels[i]->objectName(), QStringLiteral("Label%1").arg(i + 1));
        QCOMPARE(labels[i]->geometry(), QRect(24, tops[i] / 15, 321, 25));
        QVERIFY(labels[i]->text().isEmpty());
        QCOMPARE(labels[i]->font().pointSizeF(), 12.0);
        QCOMPARE(labels[i]->font().weight(), QFont::Normal);
        QVERIFY(labels[i]->alignment() & Qt::AlignHCenter);
        QCOMPARE(labels[i]->frameShape(), i < 3 ? QFrame::Box : QFrame::NoFrame);
    }
    QCOMPARE(w.Label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(w.Label4->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    QCOMPARE(w.Picture1->geometry(), QRect(8, 32, 353, 353));
    QCOMPARE(w.Picture1->drawingArea().size(), QSize(349, 349));
    QCOMPARE(w.Picture1->toPixel(3000, 3000), QPoint(349, 349));
    QCOMPARE(w.Picture1->toPixel(1000, 500), QPoint(116, 58)); // 1.745 twips per unit both ways
}

void TestForm20::stateTable_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("expected");

    QTest::newRow("design") << "design" << "EEDDE";
    QTest::newRow("Fresh") << "activation" << "EEDED";
    QTest::newRow("Ready after 解説") << "explained" << "EEDDE";
    QTest::newRow("Asking") << "asking" << "DDEDD";
    QTest::newRow("Ready after a refused reply") << "refused" << "EEDDE";
    QTest::newRow("Running") << "running" << "DDEDD";
    QTest::newRow("Stopping") << "stopping" << "DDDDD";
    QTest::newRow("Ready after a run") << "ended" << "EEDDE";
    QTest::newRow("Ready after a stop") << "stopped" << "EEDDE";
    QTest::newRow("メニュー from Fresh") << "menu" << "EEDEE";
    QTest::newRow("Fresh again") << "reactivated" << "EEDED";
}

void TestForm20::stateTable()
{
    QFETCH(QString, moment);
    QFETCH(QString, expected);

    SoundRecorder recorder;
    Services services;
    Form20 w;
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
            experiment(w, services, QStringLiteral("9"));
            seen = buttons(w);
        } else if (moment == QLatin1String("running")) {
            services.replies = {QStringLiteral("10")};
            services.onDoEvents = [&](int call) {
                if (call == 4)
                    seen = buttons(w);
            };
            QTest::mouseClick(w.Command2, Qt::LeftButton);
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
            QCOMPARE(w.Label1->text(), QString());
        }
    }
    QCOMPARE(seen, expected);
}

void TestForm20::inputBoxQuestion()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    recorder.clear();
    experiment(w, services, QString());
    QCOMPARE(services.inputBoxes.size(), 1);
    QCOMPARE(services.inputBoxes[0].prompt,
             QStringLiteral("何本の針を落としますか？（１０以上、２００００以下の自然数を入力してください．．．）"));
    QCOMPARE(services.inputBoxes[0].title, QStringLiteral("落とす針の本数の設定"));
    QCOMPARE(services.inputBoxes[0].defaultText, QStringLiteral("100"));
    QCOMPARE(recorder.log, QStringList({"Form20: Stop", "Form20: Close", "Form20: Open pinpon.wav",
                                        "Form20: Sound pinpon.wav", "inputbox"}));
}

// At DoEvents call k needle k is drawn and the labels still show k - 1.
void TestForm20::labelsDuringRun()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushNeedles(services, 3, upFrom250);
    pushNeedles(services, 1, upFrom1250);
    pushNeedles(services, 1, flatAt1250);
    pushNeedles(services, 1, flatOn1500);
    recorder.clear();

    QStringList label1, label2, label3;
    QList<int> crossCounts;
    services.replies = {QStringLiteral("10")};
    pushNeedles(services, 4, flatAt1250);
    services.onDoEvents = [&](int) {
        label1 << w.Label1->text();
        label2 << w.Label2->text();
        label3 << w.Label3->text();
        crossCounts << w.CrossCount;
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    label1 << w.Label1->text();
    label2 << w.Label2->text();
    label3 << w.Label3->text();

    QCOMPARE(label1.size(), 11);
    QCOMPARE(crossCounts, QList<int>({0, 0, 0, 1, 1, 2, 2, 2, 2, 2}));
    QCOMPARE(label1[0], QString());
    QCOMPARE(label1[1], QStringLiteral("落とした針の総数＝ 1 /  10"));
    QCOMPARE(label2[1], QStringLiteral("直線と交わった針の本数＝ 0"));
    QCOMPARE(label3[1], QString());
    QCOMPARE(label3[3], QString());
    QCOMPARE(label1[4], QStringLiteral("落とした針の総数＝ 4 /  10"));
    QCOMPARE(label2[4], QStringLiteral("直線と交わった針の本数＝ 1"));
    QCOMPARE(label3[4], QStringLiteral("π＝4.00000000000000"));
    QCOMPARE(label2[5], QStringLiteral("直線と交わった針の本数＝ 1"));
    QCOMPARE(label3[5], QStringLiteral("π＝5.00000000000000"));
    QCOMPARE(label2[6], QStringLiteral("直線と交わった針の本数＝ 2"));
    QCOMPARE(label3[6], QStringLiteral("π＝3.00000000000000"));
    QCOMPARE(label1[10], QStringLiteral("落とした針の総数＝ 10 /  10"));
    QCOMPARE(label2[10], QStringLiteral("直線と交わった針の本数＝ 2"));
    QCOMPARE(label3[10], QStringLiteral("π＝5.00000000000000"));
    // A complete run also empties the hint.
    QCOMPARE(w.Label4->text(), QString());
    QCOMPARE(w.NeedleIndex, std::int16_t(11));
    QCOMPARE(recorder.commands(QStringLiteral("Form20")),
             QStringList({"Stop", "Close", "Open pinpon.wav", "Sound pinpon.wav", "Close", "Open logoff.wav",
                          "Sound logoff.wav"}));
}

void TestForm20::everyNeedleCrosses()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushNeedles(services, 10, upFrom1250);
    experiment(w, services, QStringLiteral("10"));
    QCOMPARE(w.Label1->text(), QStringLiteral("落とした針の総数＝ 10 /  10"));
    QCOMPARE(w.Label2->text(), QStringLiteral("直線と交わった針の本数＝ 10"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝1.00000000000000"));
}

void TestForm20::thirtyTwoOfHundred()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushNeedles(services, 32, flatOn1500);
    pushNeedles(services, 68, upFrom250);
    experiment(w, services, QStringLiteral("100"));
    QCOMPARE(w.Label1->text(), QStringLiteral("落とした針の総数＝ 100 /  100"));
    QCOMPARE(w.Label2->text(), QStringLiteral("直線と交わった針の本数＝ 32"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝3.12500000000000"));
    QVERIFY(services.rndValues.empty());
}

void TestForm20::stopKeepsPreviousNeedle()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushNeedles(services, 12, upFrom1250);
    pushNeedles(services, 25, upFrom250);
    pushNeedles(services, 1, flatOn2000);
    pushNeedles(services, 5, flatAt1250);
    recorder.clear();

    int callsAfterStop = 0;
    services.replies = {QStringLiteral("100")};
    services.onDoEvents = [&](int call) {
        if (call == 38)
            QTest::mouseClick(w.Command4, Qt::LeftButton);
        if (call > 38)
            ++callsAfterStop;
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);

    QCOMPARE(callsAfterStop, 0);
    QCOMPARE(w.Label1->text(), QStringLiteral("落とした針の総数＝ 37 /  100"));
    QCOMPARE(w.Label2->text(), QStringLiteral("直線と交わった針の本数＝ 12"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝3.08333325386047")); // 37 / 12 in single precision
    QCOMPARE(w.Label4->text(), QString());
    // The 38th needle is drawn and counted, though not shown in the labels.
    QCOMPARE(w.CrossCount, std::int16_t(13));
    QCOMPARE(pixelAt(w, 400, 2000), lightRed);
    QCOMPARE(w.StopFlag, std::int16_t(0));
    QCOMPARE(services.rndValues.size(), std::size_t(15));
    QCOMPARE(recorder.cues(QStringLiteral("Form20")), QStringList({"pinpon.wav", "pinpon.wav", "logoff.wav"}));
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));
    QCOMPARE(w.mousePointer(), 0);
}

void TestForm20::acceptedReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("needles");
    QTest::addColumn<QString>("label1");

    QTest::newRow("10") << "10" << 10 << "落とした針の総数＝ 10 /  10";
    QTest::newRow("15.9 drops the fraction") << "15.9" << 15 << "落とした針の総数＝ 15 /  15";
    QTest::newRow("10.0") << "10.0" << 10 << "落とした針の総数＝ 10 /  10";
    // Long runs are stopped at the third yield.
    QTest::newRow("20000") << "20000" << 2 << "落とした針の総数＝ 2 /  20000";
    QTest::newRow("19999.9") << "19999.9" << 2 << "落とした針の総数＝ 2 /  19999";
}

void TestForm20::acceptedReplies()
{
    QFETCH(QString, reply);
    QFETCH(int, needles);
    QFETCH(QString, label1);

    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, reply, needles == 2 ? 3 : 0);
    QCOMPARE(w.Label1->text(), label1);
    QCOMPARE(services.randomizeCalls, needles == 2 ? 3 : needles);
}

void TestForm20::refusedReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("cancel") << QString();
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "abc";
    QTest::newRow("9") << "9";
    QTest::newRow("9.99") << "9.99";
    QTest::newRow("20001") << "20001";
    QTest::newRow("20000.5") << "20000.5";
    QTest::newRow("negative") << "-20";
    QTest::newRow("two numbers") << "10 20";
}

void TestForm20::refusedReplies()
{
    QFETCH(QString, reply);

    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    const QImage before = w.Picture1->image();
    recorder.clear();

    experiment(w, services, reply);

    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));
    QCOMPARE(w.Label1->text(), QString());
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.Label3->text(), QString());
    QCOMPARE(w.Picture1->image(), before);
    QCOMPARE(w.mousePointer(), 0);
    QCOMPARE(services.randomizeCalls, 10);
    QCOMPARE(recorder.cues(QStringLiteral("Form20")), QStringList({"pinpon.wav"}));
    QCOMPARE(recorder.log.last(), QStringLiteral("inputbox"));
}

void TestForm20::pointerDuringRun()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QList<int> pointers;
    QStringList hints;
    services.onInputBox = [&] { pointers << w.mousePointer(); };
    services.replies = {QStringLiteral("10")};
    services.onDoEvents = [&](int) {
        pointers << w.mousePointer();
        hints << w.Label4->text();
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(pointers.size(), 11);
    QCOMPARE(pointers.first(), 0);
    QCOMPARE(pointers.count(13), 10);
    QCOMPARE(hints.count(hint), 10);
    QCOMPARE(w.mousePointer(), 0);
}

void TestForm20::linesAndNeedlePixels()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushNeedles(services, 1, flatAt1250);
    pushNeedles(services, 1, flatOn1500);
    pushNeedles(services, 1, upFrom250);
    experiment(w, services, QStringLiteral("10"), 3);

    const QImage& image = w.Picture1->image();
    // Five light-blue rules right across, none at the top or bottom edge.
    QList<int> ruledRows;
    for (int y = 0; y < image.height(); ++y) {
        int blue = 0;
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixel(x, y) == lightBlue ? 1 : 0;
        if (blue > 0)
            ruledRows << y;
    }
    QCOMPARE(ruledRows, QList<int>({58, 116, 175, 233, 291})); // 500 .. 2500 units at 1.745 / 15
    QCOMPARE(image.pixel(0, 58), lightBlue);
    QCOMPARE(image.pixel(348, 291), lightBlue);

    // Green between the lines, light red lying on the line at 1500.
    for (int x = 1200; x <= 1450; x += 25) {
        QCOMPARE(pixelAt(w, x, 1250), green);
        QCOMPARE(pixelAt(w, x, 1500), lightRed);
    }
    QCOMPARE(pixelAt(w, 1100, 1500), lightBlue);
    // The third needle runs from (1200, 250) up to (1199, 0).
    QCOMPARE(pixelAt(w, 1200, 250), green);
    QCOMPARE(pixelAt(w, 1199, 0), green);
    const QPoint middle = w.Picture1->toPixel(1200, 125);
    QVERIFY(image.pixel(middle) == green || image.pixel(middle - QPoint(1, 0)) == green);
    QCOMPARE(pixelAt(w, 2000, 125), white);
}

void TestForm20::explanationPage()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    recorder.clear();
    w.Hide();
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QCOMPARE(recorder.cues(QStringLiteral("Form20")), QStringList({"pinpon.wav"}));
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));

    QWidget host;
    platform::PictureBox reference(&host, "Reference", {120, 480, 5295, 5295},
                                   {.twipsPerUnitX = 1.745, .twipsPerUnitY = 1.745});
    struct Piece {
        int colour;
        QString text;
    };
    const QList<QList<Piece>> page = {
        {},
        {{12, QStringLiteral("　　　ビュホン")}, {0, QStringLiteral("(Buffon 1707-1788)は、針を投げて")}},
        {{0, QStringLiteral("　　円周率πを求めました。")}},
        {{0, QStringLiteral("　　　平面上に、幅２ａの間隔で平行線を無数に引")}},
        {{0, QStringLiteral("　　いておきます。この平面上に長さ２ｂの針を落")}},
        {{0, QStringLiteral("　　とすと、この針が平行線と交わる確率Ｐは、")}},
        {{12, QStringLiteral("　　　　Ｐ＝(２ｂ)÷(ａπ)")}, {0, QStringLiteral("　･･････････　①")}},
        {{0, QStringLiteral("　　となります。ただし、ｂ＜ａ　とします。")}},
        {{0, QStringLiteral("　　　平面上にたくさんの針を落としたとき、平行線")}},
        {{0, QStringLiteral("　　に交わった針の本数の相対度数を ｒ とすると、")}},
        {{12, QStringLiteral("　　　　ｒ≒ｐ")}, {0, QStringLiteral("　･･････････　②　と考えられます。")}},
        {{0, QStringLiteral("　　　①、②より、")}},
        {{12, QStringLiteral("　　　　π≒(２ｂ)÷(ａｒ)")}, {0, QStringLiteral("　･･････････　③　となります。")}},
        {{0, QStringLiteral("　　　③より、相対度数 ｒ を実験で求めれば円周率")}},
        {{0, QStringLiteral("　　πの近似値がわかるというわけです。")}},
        {{9, QStringLiteral("　＜①の証明の概略＞")}},
        {{0, QStringLiteral("　　　針の中心から最も近い平行線までの距離をｙ、")}},
        {{0, QStringLiteral("　　針と平行線のなす角をθとします。")}},
        {{0, QStringLiteral("　　　このとき、０≦ｙ≦ａ、０≦θ≦π です。")}},
        {{0, QStringLiteral("　　　針が平行線と交わる条件は、")}},
        {{12, QStringLiteral("　　　　ｘ≦ｂｓｉｎθ")}, {0, QStringLiteral("　が成り立つことです。")}},
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

    // Row 16 is light blue, and only row 16.
    const QImage& image = w.Picture1->image();
    const double line = w.Picture1->lineHeight();
    int blueAbove = 0, blueIn = 0, blueBelow = 0;
    const int top = w.Picture1->toPixel(0, 15 * line).y();
    const int bottom = w.Picture1->toPixel(0, 16 * line).y();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == lightBlue)
                (y < top ? blueAbove : y < bottom ? blueIn : blueBelow) += 1;
    QCOMPARE(blueAbove, 0);
    QVERIFY(blueIn > 0);
    QCOMPARE(blueBelow, 0);
}

void TestForm20::menuAndBack()
{
    SoundRecorder recorder;
    Services services;
    Form20& w = shell::form20();
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    pushNeedles(services, 10, upFrom1250);
    experiment(w, services, QStringLiteral("10"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝1.00000000000000"));
    recorder.clear();

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(shell::form7().isVisible());
    QCOMPARE(recorder.cues(), QStringList({"pinpon.wav"}));
    QImage blank(w.Picture1->image().size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(w.Picture1->image(), blank);

    QTest::mouseClick(shell::form7().Command4, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QCOMPARE(&shell::form20(), &w);
    QCOMPARE(w.Picture1->image(), blank);
    for (const platform::Label* label : {w.Label1, w.Label2, w.Label3, w.Label4})
        QCOMPARE(label->text(), QString());
    QCOMPARE(buttons(w), QStringLiteral("EEDED"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(services.inputBoxes.size(), 1);
    w.Hide();
}

void TestForm20::quitAnsweredNo()
{
    SoundRecorder recorder;
    Services services;
    Form20 w;
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    experiment(w, services, QStringLiteral("10"));
    const QImage drawing = w.Picture1->image();
    const QString label2 = w.Label2->text();
    recorder.clear();
    services.answers = {platform::vbNo};

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(services.messageBoxes.size(), 1);
    QCOMPARE(services.messageBoxes[0].prompt, QStringLiteral("終了していいですか？"));
    QCOMPARE(recorder.cues(), QStringList({"endpinpon.wav"}));
    QCOMPARE(services.ends, 0);
    QCOMPARE(w.Picture1->image(), drawing);
    QCOMPARE(w.Label2->text(), label2);
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));

    services.answers = {platform::vbYes};
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(services.ends, 1);
}

QTEST_MAIN(TestForm20)
#include "tst_form20.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The inscribed polygon window: its layout, button states, explanation
// page, manual steps, automatic runs with their stop, the return from the
// menu, and what lands on the drawing surface.
#include "polygon/Form18.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Scripted.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

using testing::ScriptedServices;
using testing::SoundRecorder;

namespace {

const QString click = QStringLiteral("pinpon.wav");
const QString endOfRun = QStringLiteral("logoff.wav");
const QString hint = QStringLiteral("［中止］をクリックすると止まります．．．");

// Enabled (E) or disabled (D) for 終了, メニュー, 中止, 解説, 自動, 手動.
QString states(const Form18& w)
{
    QString s;
    for (const QPushButton* b : {w.Command1, w.Command3, w.Command4, w.Command6, w.Command2, w.Command5})
        s += b->isEnabled() ? QLatin1Char('E') : QLatin1Char('D');
    return s;
}

void press(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QRgb palette(int index)
{
    return platform::toQColor(rt::QBColor(index)).rgb();
}

QRgb pixelAt(const platform::PictureBox& box, double x, double y)
{
    return box.image().pixel(box.toPixel(x, y));
}

int countPixels(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

bool blank(const platform::PictureBox& box)
{
    return countPixels(box.image(), qRgb(255, 255, 255)) == box.image().width() * box.image().height();
}

// A window shown, its explanation read and `steps` manual polygons shown.
std::unique_ptr<Form18> openedWindow(int steps = 0)
{
    auto w = std::make_unique<Form18>();
    w->Show();
    press(w->Command6);
    for (int i = 0; i < steps; ++i)
        press(w->Command5);
    return w;
}

} // namespace

class Form18Test : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layout();
    void stateTable_data();
    void stateTable();
    void explanationPage();
    void manualSteps_data();
    void manualSteps();
    void automaticRun_data();
    void automaticRun();
    void runEndsWithoutPassesOrCues_data();
    void runEndsWithoutPassesOrCues();
    void manualContinuesAfterARun();
    void stopKeepsTheLastPolygon_data();
    void stopKeepsTheLastPolygon();
    void hugePolygonsNeedNoNarrowCounter_data();
    void hugePolygonsNeedNoNarrowCounter();
    void pixelsOfTheTriangle();
    void menuAndReturn();
    void quitAnsweredNoLeavesTheWindow();

private:
    SoundRecorder sound;
    ScriptedServices services;
};

void Form18Test::init()
{
    sound.clear();
    services.replies.clear();
    services.answers.clear();
    services.inputBoxes.clear();
    services.messageBoxes.clear();
    services.onDoEvents = nullptr;
    services.doEventsCalls = 0;
}

void Form18Test::layout()
{
    Form18 w;
    QCOMPARE(w.windowTitle(), QStringLiteral("円の内接正多角形の周の長さからπの近似値を求める"));
    QCOMPARE(w.size(), QSize(366, 504));
    QCOMPARE(w.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));

    const struct {
        QPushButton* button;
        const char* caption;
        QRect at;
    } buttons[] = {
        {w.Command1, "終了", {0, 0, 57, 25}},     {w.Command3, "メニュー", {56, 0, 57, 25}},
        {w.Command4, "中止", {112, 0, 57, 25}},   {w.Command6, "解説", {200, 0, 57, 25}},
        {w.Command2, "自動", {256, 0, 57, 25}},   {w.Command5, "手動", {312, 0, 57, 25}},
    };
    for (const auto& b : buttons) {
        QCOMPARE(b.button->text(), QString::fromUtf8(b.caption));
        QCOMPARE(b.button->geometry(), b.at);
    }

    QCOMPARE(w.Picture1->geometry(), QRect(8, 32, 347, 347));
    QCOMPARE(w.Picture1->image().pixel(0, 0), qRgb(255, 255, 255));
    // 8.0390625 twips per unit both ways: (320, 320) is the middle of the area.
    QCOMPARE(w.Picture1->toPixel(320, 320), QPoint(172, 172));
    QCOMPARE(w.Picture1->toPixel(520, 320), QPoint(279, 172));

    const struct {
        platform::Label* label;
        QRect at;
        bool border;
    } labels[] = {
        {w.Label1, {32, 392, 305, 25}, true},
        {w.Label2, {32, 432, 305, 25}, true},
        {w.Label3, {40, 472, 289, 17}, false},
    };
    for (const auto& l : labels) {
        QVERIFY(l.label->caption().isEmpty());
        QCOMPARE(l.label->geometry(), l.at);
        QCOMPARE(l.label->font().pointSizeF(), 12.0);
        QCOMPARE(l.label->font().weight(), QFont::Normal);
        QCOMPARE(l.label->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
        QVERIFY(l.label->alignment() & Qt::AlignHCenter);
        QCOMPARE(l.label->frameShape() == QFrame::Box, l.border);
    }
    QCOMPARE(w.Label1->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(w.Label1->autoFillBackground());
    QCOMPARE(w.Label3->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

void Form18Test::stateTable_data()
{
    // Each row: what is done after showing the window, and the states of
    // 終了, メニュー, 中止, 解説, 自動, 手動 at the moment of the row.
    QTest::addColumn<int>("manualSteps");
    QTest::addColumn<QString>("reply");    // null: no run
    QTest::addColumn<QString>("duringRun"); // states seen in the first yield
    QTest::addColumn<bool>("stop");
    QTest::addColumn<QString>("after");
    QTest::newRow("activation") << -1 << QString() << QString() << false << "EEDEDD";
    QTest::newRow("explanation") << 0 << QString() << QString() << false << "EEDDDE";
    QTest::newRow("manual to the 10-gon") << 8 << QString() << QString() << false << "EEDDDE";
    QTest::newRow("manual reaching the 11-gon") << 9 << QString() << QString() << false << "EEDDEE";
    QTest::newRow("empty answer") << 9 << "" << QString() << false << "EEDDEE";
    QTest::newRow("letters") << 9 << "abc" << QString() << false << "EEDDEE";
    QTest::newRow("answer below 3") << 9 << "2" << QString() << false << "EEDDEE";
    QTest::newRow("run to its end") << 9 << "14" << "DDEDDD" << false << "EEDDEE";
    QTest::newRow("stopped run") << 9 << "50" << "DDDDDD" << true << "EEDDEE";
}

void Form18Test::stateTable()
{
    QFETCH(int, manualSteps);
    QFETCH(QString, reply);
    QFETCH(QString, duringRun);
    QFETCH(bool, stop);
    QFETCH(QString, after);

    Form18 fresh;
    QCOMPARE(states(fresh), QStringLiteral("EEEDDE")); // as created, before any activation

    Form18 w;
    w.Show();
    if (manualSteps >= 0)
        press(w.Command6);
    for (int i = 0; i < manualSteps; ++i)
        press(w.Command5);
    QString seen;
    if (!reply.isNull()) {
        services.replies = {reply};
        // The states must hold through every yield, also past the 11-gon.
        services.onDoEvents = [&](int call) {
            if (stop && call == 1)
                press(w.Command4);
            if (seen.isEmpty() || seen == states(w))
                seen = states(w);
            else
                seen = QStringLiteral("changed to ") + states(w);
        };
        press(w.Command2);
    }
    QCOMPARE(seen, duringRun);
    QCOMPARE(states(w), after);
}

void Form18Test::explanationPage()
{
    auto w = openedWindow(1);
    sound.clear();
    press(w->Command6); // not enabled again before the next activation
    QVERIFY(sound.cues().isEmpty());
    w->Show();
    w->Hide();
    w->Show(); // activation re-enables it
    press(w->Command6);
    QCOMPARE(sound.cues(QStringLiteral("Form18")), QStringList{click});
    QCOMPARE(w->Picture1->fontSize(), 12.0);
    QCOMPARE(w->Picture1->foreColor(), rt::QBColor(0));

    // 17 lines, and they fit the drawing area.
    const double h = w->Picture1->lineHeight();
    QVERIFY(std::abs(w->Picture1->currentY() - 17 * h) < 1e-6);
    QVERIFY(17 * h <= 5140 / 8.0390625);

    // Light red text only on lines 7, 11 and 14 (descenders may reach into
    // the band of the next line), each followed on its line by black.
    const QImage& image = w->Picture1->image();
    const auto lineOf = [&](int pixelRow) {
        int line = 1;
        while (pixelRow >= w->Picture1->toPixel(0, line * h).y())
            ++line;
        return line;
    };
    QMap<int, int> redRight, darkRight;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 120 && c.blue() < 120)
                redRight[lineOf(y)] = std::max(redRight.value(lineOf(y)), x);
            else if (c.red() < 90 && c.green() < 90 && c.blue() < 90)
                darkRight[lineOf(y)] = std::max(darkRight.value(lineOf(y), -1), x);
        }
    }
    for (int line : {7, 11, 14}) {
        QVERIFY2(redRight.contains(line), qPrintable(QString::number(line)));
        QVERIFY2(darkRight.value(line, -1) > redRight.value(line) + 20, qPrintable(QString::number(line)));
    }
    for (int line : redRight.keys())
        QVERIFY2(QList<int>({7, 8, 11, 12, 14, 15}).contains(line), qPrintable(QString::number(line)));
    QVERIFY(!darkRight.contains(1));
    for (int line = 2; line <= 17; ++line)
        QVERIFY2(darkRight.contains(line), qPrintable(QString::number(line)));
    QVERIFY(darkRight.lastKey() <= 18);

    // The first manual step clears the page.
    press(w->Command5);
    QCOMPARE(countPixels(image, palette(0)), 0);
    QCOMPARE(w->Label1->caption(), QStringLiteral("正 3角形"));
}

void Form18Test::manualSteps_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("automaticEnabled");
    QTest::newRow("first") << 1 << "正 3角形" << false;
    QTest::newRow("second") << 2 << "正 4角形" << false;
    QTest::newRow("eighth") << 8 << "正 10角形" << false;
    QTest::newRow("ninth") << 9 << "正 11角形" << true;
    QTest::newRow("tenth") << 10 << "正 12角形" << true;
}

void Form18Test::manualSteps()
{
    QFETCH(int, clicks);
    QFETCH(QString, name);
    QFETCH(bool, automaticEnabled);
    auto w = openedWindow();
    sound.clear();
    for (int i = 0; i < clicks; ++i)
        press(w->Command5);
    QCOMPARE(w->Label1->caption(), name);
    QCOMPARE(w->Command2->isEnabled(), automaticEnabled);
    QCOMPARE(w->SideCount, qint64(clicks + 2));
    QCOMPARE(sound.cues(), QStringList(QList<QString>(clicks, click)));
    QVERIFY(w->Label3->caption().isEmpty());
    QCOMPARE(w->mousePointer(), 0);
    QCOMPARE(services.doEventsCalls, 0); // the manual step never yields
    const QString value = w->Label2->caption();
    QVERIFY(value.startsWith(QStringLiteral("πの近似値＝ ")));
    QVERIFY(std::abs(value.mid(6).toDouble() - (clicks + 2) * std::sin(std::numbers::pi / (clicks + 2))) < 1e-12);
    if (clicks == 1)
        QCOMPARE(value, QStringLiteral("πの近似値＝ 2.59807621135331"));
}

void Form18Test::automaticRun_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("shown"); // Label1 of every polygon, in order
    QTest::addColumn<QString>("lastValue");
    QTest::newRow("3") << "3" << QStringList{"正 3角形"} << QString();
    QTest::newRow("4") << "4" << QStringList{"正 3角形", "正 4角形"} << QString();
    QTest::newRow("3.9") << "3.9" << QStringList{"正 3角形"} << QString();
    QTest::newRow("6") << "6" << QStringList{"正 3角形", "正 4角形", "正 5角形", "正 6角形"}
                       << "πの近似値＝3.00000000000000";
    QTest::newRow("blanks around 5") << " 5 " << QStringList{"正 3角形", "正 4角形", "正 5角形"} << QString();
}

void Form18Test::automaticRun()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, shown);
    QFETCH(QString, lastValue);
    auto w = openedWindow(9);
    sound.clear();
    services.replies = {reply};
    QStringList labels;
    int pointerDuringRun = -1;
    services.onDoEvents = [&](int call) {
        if (call > 1)
            labels.append(w->Label1->caption());
        else
            pointerDuringRun = w->mousePointer();
        QCOMPARE(w->Label3->caption(), hint);
    };
    press(w->Command2);
    labels.append(w->Label1->caption());

    QCOMPARE(services.inputBoxes.size(), 1);
    QCOMPARE(services.inputBoxes.last().prompt, QStringLiteral("正何角形まで見ますか？（３以上の自然数を入力してください．．．）"));
    QCOMPARE(services.inputBoxes.last().title, QStringLiteral("正何角形までの設定"));
    QCOMPARE(services.inputBoxes.last().defaultText, QStringLiteral("1000"));

    QCOMPARE(labels, shown);
    QCOMPARE(services.doEventsCalls, shown.size());
    QCOMPARE(pointerDuringRun, 13);
    QCOMPARE(w->mousePointer(), 0);
    QCOMPARE(w->Label3->caption(), hint); // stays after a run that reached its end
    QVERIFY(QRegularExpression(QStringLiteral("^πの近似値＝\\d\\.\\d{14}$")).match(w->Label2->caption()).hasMatch());
    if (!lastValue.isNull())
        QCOMPARE(w->Label2->caption(), lastValue);
    QCOMPARE(sound.cues(QStringLiteral("Form18")), (QStringList{click, endOfRun}));
    QCOMPARE(sound.commands(QStringLiteral("Form18")).mid(4),
             (QStringList{"Close", "Open logoff.wav", "Sound logoff.wav"}));
}

void Form18Test::runEndsWithoutPassesOrCues_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("cues");
    QTest::newRow("2.9") << "2.9" << QStringList{click, endOfRun};
    QTest::newRow("0") << "0" << QStringList{click, endOfRun};
    QTest::newRow("-1") << "-1" << QStringList{click, endOfRun};
    QTest::newRow("empty") << "" << QStringList{click};
    QTest::newRow("cancel") << QString() << QStringList{click};
    QTest::newRow("letters") << "abc" << QStringList{click};
    QTest::newRow("blanks") << "   " << QStringList{click};
}

void Form18Test::runEndsWithoutPassesOrCues()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, cues);
    auto w = openedWindow(9);
    sound.clear();
    services.replies = {reply};
    press(w->Command2);
    QCOMPARE(sound.cues(), cues);
    QCOMPARE(services.doEventsCalls, 0);
    QVERIFY(w->Label1->caption().isEmpty());
    QVERIFY(w->Label2->caption().isEmpty());
    QVERIFY(w->Label3->caption().isEmpty());
    QVERIFY(blank(*w->Picture1));
    QCOMPARE(w->SideCount, qint64(11)); // untouched: the next manual step goes on
    QCOMPARE(w->mousePointer(), 0);
    QCOMPARE(states(*w), QStringLiteral("EEDDEE"));
}

void Form18Test::manualContinuesAfterARun()
{
    auto w = openedWindow(9);
    services.replies = {QStringLiteral("7")};
    press(w->Command2);
    QCOMPARE(w->Label1->caption(), QStringLiteral("正 7角形"));
    press(w->Command5);
    QCOMPARE(w->Label1->caption(), QStringLiteral("正 8角形"));
    QVERIFY(w->Label2->caption().startsWith(QStringLiteral("πの近似値＝ 3.06")));
}

void Form18Test::stopKeepsTheLastPolygon_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("stopAtCall");
    QTest::addColumn<QString>("name");
    QTest::newRow("1E9 at the hexagon") << "1E9" << 5 << "正 6角形";
    QTest::newRow("100000 at the hexagon") << "100000" << 5 << "正 6角形";
    QTest::newRow("1E300 at the hexagon") << "1E300" << 5 << "正 6角形";
    QTest::newRow("100000 before any polygon") << "100000" << 1 << "";
    QTest::newRow("100000 after 40 polygons") << "100000" << 41 << "正 42角形";
}

void Form18Test::stopKeepsTheLastPolygon()
{
    QFETCH(QString, reply);
    QFETCH(int, stopAtCall);
    QFETCH(QString, name);
    auto w = openedWindow(9);
    sound.clear();
    services.replies = {reply};
    QString valueAtStop;
    services.onDoEvents = [&](int call) {
        if (call == stopAtCall) {
            valueAtStop = w->Label2->caption();
            sound.log.append(QStringLiteral("stop clicked"));
            press(w->Command4);
        }
        QVERIFY(call <= stopAtCall); // the loop leaves right after the stop
    };
    press(w->Command2);

    QCOMPARE(services.doEventsCalls, stopAtCall);
    QCOMPARE(w->Label1->caption(), name);
    QCOMPARE(w->Label2->caption(), valueAtStop);
    if (stopAtCall == 5)
        QCOMPARE(valueAtStop, QStringLiteral("πの近似値＝3.00000000000000"));
    QVERIFY(w->Label3->caption().isEmpty());
    QCOMPARE(w->StopFlag, std::int16_t(0));
    QCOMPARE(w->mousePointer(), 0);
    QCOMPARE(sound.cues(), (QStringList{click, click, endOfRun}));
    QCOMPARE(sound.log.indexOf(QStringLiteral("stop clicked")), sound.log.indexOf(QStringLiteral("inputbox")) + 1);

    // The last complete polygon stays drawn.
    const qint64 k = stopAtCall + 1;
    QCOMPARE(w->SideCount, k);
    const int red = countPixels(w->Picture1->image(), palette(12));
    QCOMPARE(red > 0, k >= 3);
    if (k >= 3) {
        for (qint64 i = 0; i < k; ++i) {
            const double a = 2 * std::numbers::pi * double(i) / double(k);
            QCOMPARE(pixelAt(*w->Picture1, 200 * std::cos(a) + 320, 200 * std::sin(a) + 320), palette(12));
        }
    }

    // The flag was reset: the next run goes to its end.
    sound.clear();
    services.onDoEvents = nullptr;
    services.doEventsCalls = 0;
    services.replies = {QStringLiteral("4")};
    press(w->Command2);
    QCOMPARE(services.doEventsCalls, 2);
    QCOMPARE(w->Label1->caption(), QStringLiteral("正 4角形"));
    QCOMPARE(w->Label3->caption(), hint);
}

void Form18Test::hugePolygonsNeedNoNarrowCounter_data()
{
    QTest::addColumn<qint64>("before");
    QTest::addColumn<QString>("name");
    QTest::newRow("past 16 bits") << qint64(32767) << "正 32768角形";
    QTest::newRow("100000-gon") << qint64(99999) << "正 100000角形";
}

void Form18Test::hugePolygonsNeedNoNarrowCounter()
{
    QFETCH(qint64, before);
    QFETCH(QString, name);
    auto w = openedWindow();
    w->SideCount = before;
    press(w->Command5);
    QCOMPARE(w->SideCount, before + 1);
    QCOMPARE(w->Label1->caption(), name);
    QVERIFY(w->Label2->caption().startsWith(QStringLiteral("πの近似値＝ 3.14159")));
    // So many edges trace the circle itself in light red.
    const QImage& image = w->Picture1->image();
    QVERIFY(countPixels(image, palette(12)) > 600);
    QCOMPARE(pixelAt(*w->Picture1, 320, 120), palette(12));
    QCOMPARE(pixelAt(*w->Picture1, 320, 320), qRgb(255, 255, 255));
}

void Form18Test::pixelsOfTheTriangle()
{
    auto w = openedWindow(1);
    const platform::PictureBox& box = *w->Picture1;

    QList<QPoint> vertices;
    for (int i = 0; i < 3; ++i) {
        const double a = 2 * std::numbers::pi * i / 3;
        vertices.append(box.toPixel(200 * std::cos(a) + 320, 200 * std::sin(a) + 320));
        QCOMPARE(box.image().pixel(vertices.last()), palette(12));
    }
    QCOMPARE(vertices[0], box.toPixel(520, 320));
    QVERIFY(vertices[1].y() > vertices[0].y()); // the second vertex lies below: clockwise on screen
    // The middle of each edge is light red.
    for (int i = 0; i < 3; ++i) {
        const QPoint mid = (vertices[i] + vertices[(i + 1) % 3]) / 2;
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                found |= box.image().pixel(mid + QPoint(dx, dy)) == palette(12);
        QVERIFY(found);
    }

    // The circle: dots every 0.01 radians at radius 200 about (320, 320),
    // blue except where an edge ends on them.
    int dots = 0;
    for (int i = 0; i <= 628; ++i) {
        const double t = 0.01 * i;
        const QPoint p = box.toPixel(200 * std::cos(t) + 320, 200 * std::sin(t) + 320);
        const QRgb c = box.image().pixel(p);
        bool nearVertex = false;
        for (const QPoint& v : vertices)
            nearVertex |= (p - v).manhattanLength() <= 3;
        if (nearVertex)
            QVERIFY(c == palette(1) || c == palette(12));
        else
            QCOMPARE(c, palette(1));
        ++dots;
    }
    QCOMPARE(dots, 629);
    // Nothing else is blue: no dot lies off the circle.
    const int blue = countPixels(box.image(), palette(1));
    QVERIFY(blue > 500 && blue <= 629);
    QCOMPARE(pixelAt(box, 320, 320), qRgb(255, 255, 255));
    QCOMPARE(pixelAt(box, 320 + 100, 320 - 150), qRgb(255, 255, 255));
}

void Form18Test::menuAndReturn()
{
    Form18& w = shell::form18();
    w.Show();
    press(w.Command6);
    press(w.Command5);
    press(w.Command5);
    sound.clear();
    press(w.Command3);
    QCOMPARE(sound.cues(QStringLiteral("Form18")), QStringList{click});
    QVERIFY(!w.isVisible());
    QVERIFY(shell::form7().isVisible());
    QCOMPARE(states(w), QStringLiteral("EEDDED"));
    QVERIFY(blank(*w.Picture1));
    QCOMPARE(w.Picture1->currentX(), 0.0);
    QCOMPARE(w.Picture1->currentY(), 0.0);

    press(shell::form7().Command1);
    QVERIFY(w.isVisible());
    QCOMPARE(w.SideCount, qint64(2));
    QCOMPARE(w.Label1->caption(), QStringLiteral("正 4角形"));
    QVERIFY(w.Label2->caption().startsWith(QStringLiteral("πの近似値＝ 2.8284271247")));
    QVERIFY(blank(*w.Picture1));
    QCOMPARE(states(w), QStringLiteral("EEDEDD"));

    press(w.Command6);
    press(w.Command5);
    QCOMPARE(w.Label1->caption(), QStringLiteral("正 3角形"));
    w.Hide();
}

void Form18Test::quitAnsweredNoLeavesTheWindow()
{
    auto w = openedWindow(2);
    sound.clear();
    const QImage before = w->Picture1->image();
    services.answers = {platform::vbNo};
    press(w->Command1);
    QCOMPARE(services.messageBoxes.size(), 1);
    QCOMPARE(services.messageBoxes.last().prompt, QStringLiteral("終了していいですか？"));
    QCOMPARE(sound.cues(), QStringList{QStringLiteral("endpinpon.wav")});
    QCOMPARE(w->Picture1->image(), before);
    QCOMPARE(w->Label1->caption(), QStringLiteral("正 4角形"));
    QCOMPARE(states(*w), QStringLiteral("EEDDDE"));
    QCOMPARE(services.ends, 0);

    services.answers = {platform::vbYes};
    press(w->Command1);
    QCOMPARE(services.ends, 1);
    services.ends = 0;
}

QTEST_MAIN(Form18Test)
#include "tst_polygon_window.moc"

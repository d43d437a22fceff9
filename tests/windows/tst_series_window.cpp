// SPDX-License-Identifier: GPL-3.0-or-later
// The five series windows through their buttons: button protocol, input
// check, run, stop, explanation page, formula picture and navigation.
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include "platform/PictureBox.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using series::SeriesWindow;
using testing::ScriptedServices;
using testing::SoundRecorder;

namespace {

const QString stopHint = QStringLiteral("［中止］をクリックすると止まります．．．");
const QString ready = QStringLiteral("on,on,off,on,off");     // shown from the menu, after a run
const QString explained = QStringLiteral("on,on,on,off,off"); // after "次へ"
const QString running = QStringLiteral("off,off,off,off,on");

SeriesWindow& window(const QString& name) { return testing::seriesWindow(name); }

const char* menuButtonOf(const QString& name)
{
    if (name == QLatin1String("Form9"))
        return "Command5";
    if (name == QLatin1String("Form10"))
        return "Command6";
    if (name == QLatin1String("Form15"))
        return "Command11";
    if (name == QLatin1String("Form16"))
        return "Command12";
    return "Command13";
}

QPushButton* button(QWidget& w, const char* name)
{
    auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!b)
        qFatal("no button %s", name);
    return b;
}

QString label(QWidget& w, const char* name)
{
    auto* l = w.findChild<QLabel*>(QString::fromLatin1(name));
    if (!l)
        qFatal("no label %s", name);
    return l->text();
}

platform::PictureBox& picture(QWidget& w, const char* name)
{
    auto* p = w.findChild<platform::PictureBox*>(QString::fromLatin1(name));
    if (!p)
        qFatal("no picture box %s", name);
    return *p;
}

void click(QWidget& w, const char* name) { QTest::mouseClick(button(w, name), Qt::LeftButton); }

// Enabled state in the order 終了, メニュー, 計　　算, 次へ, 中止.
QString buttons(QWidget& w)
{
    QStringList states;
    for (const char* name : {"Command1", "Command3", "Command2", "Command5", "Command6"})
        states.append(button(w, name)->isEnabled() ? QStringLiteral("on") : QStringLiteral("off"));
    return states.join(QLatin1Char(','));
}

enum class Ink { None, Black, Blue, Green, Other };

Ink inkOf(QRgb p)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    if (std::min({r, g, b}) > 170)
        return Ink::None;
    if (b - r > 40 && b - g > 40)
        return Ink::Blue;
    if (g - r > 40 && g - b > 40)
        return Ink::Green;
    if (std::abs(r - g) < 40 && std::abs(g - b) < 40 && std::max({r, g, b}) < 140)
        return Ink::Black;
    return Ink::Other;
}

// Runs of rows that hold ink, each with the colour most of its pixels have.
struct Band {
    int top, bottom;
    Ink colour;
};

QList<Band> textBands(const QImage& image)
{
    QList<Band> bands;
    bool inBand = false;
    int counts[5] = {};
    for (int y = 0; y <= image.height(); ++y) {
        bool any = false;
        if (y < image.height()) {
            for (int x = 0; x < image.width(); ++x) {
                const Ink ink = inkOf(image.pixel(x, y));
                if (ink != Ink::None) {
                    any = true;
                    ++counts[int(ink)];
                }
            }
        }
        if (any && !inBand) {
            bands.append({y, y, Ink::None});
            inBand = true;
        } else if (!any && inBand) {
            Band& band = bands.last();
            band.bottom = y - 1;
            int best = int(Ink::Black);
            for (int k : {int(Ink::Black), int(Ink::Blue), int(Ink::Green)})
                if (counts[k] > counts[best])
                    best = k;
            band.colour = Ink(best);
            std::fill(std::begin(counts), std::end(counts), 0);
            inBand = false;
        }
    }
    return bands;
}

bool allWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

int darkPixels(const QImage& image, int rows)
{
    int dark = 0;
    for (int y = 0; y < std::min(rows, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++dark;
    return dark;
}

// Also notes which buttons were enabled, and StopFlag, while the input box
// was open.
class RecordingServices : public ScriptedServices {
public:
    QStringList buttonsAtInputBox;
    QList<int> stopFlagAtInputBox;

    QString inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText) override
    {
        buttonsAtInputBox.append(buttons(*owner));
        if (auto* w = qobject_cast<SeriesWindow*>(owner))
            stopFlagAtInputBox.append(w->StopFlag);
        return ScriptedServices::inputBox(owner, prompt, title, defaultText);
    }
};

} // namespace

class TestSeriesWindow : public QObject {
    Q_OBJECT
private slots:
    void init();

    void shownFromMenu_data() { allWindows(); }
    void shownFromMenu();
    void formulaPicture_data();
    void formulaPicture();
    void explanationPage_data() { allWindows(); }
    void explanationPage();
    void inputBoxAndCancel_data();
    void inputBoxAndCancel();
    void results_data();
    void results();
    void belowTwoUsesDefault_data();
    void belowTwoUsesDefault();
    void defaultLongRuns_data();
    void defaultLongRuns();
    void counterSequence_data();
    void counterSequence();
    void stopAfterPasses_data();
    void stopAfterPasses();
    void hugeCountRunsUntilStopped_data();
    void hugeCountRunsUntilStopped();
    void nextAfterRun_data();
    void nextAfterRun();
    void menuAndReturn_data() { allWindows(); }
    void menuAndReturn();
    void quitAsks_data() { allWindows(); }
    void quitAsks();

private:
    static void allWindows();
    // Brings the window up from the menu, as a user would.
    SeriesWindow& open(const QString& name);
    SeriesWindow& openAndExplain(const QString& name);

    RecordingServices services;
    SoundRecorder sounds;
};

void TestSeriesWindow::allWindows()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"Form9", "Form10", "Form15", "Form16", "Form17"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSeriesWindow::init()
{
    services.replies.clear();
    services.answers.clear();
    services.inputBoxes.clear();
    services.messageBoxes.clear();
    services.buttonsAtInputBox.clear();
    services.stopFlagAtInputBox.clear();
    services.beeps = 0;
    services.ends = 0;
    services.doEventsCalls = 0;
    services.onDoEvents = nullptr;
    sounds.clear();
}

SeriesWindow& TestSeriesWindow::open(const QString& name)
{
    SeriesWindow& w = window(name);
    if (w.isVisible())
        click(w, "Command3");
    else
        shell::form7().Show();
    click(shell::form7(), menuButtonOf(name));
    sounds.clear();
    services.doEventsCalls = 0;
    return w;
}

SeriesWindow& TestSeriesWindow::openAndExplain(const QString& name)
{
    SeriesWindow& w = open(name);
    click(w, "Command5");
    sounds.clear();
    return w;
}

void TestSeriesWindow::shownFromMenu()
{
    QFETCH(QString, name);
    SeriesWindow& w = open(name);
    QVERIFY(w.isVisible());
    QVERIFY(!shell::form7().isVisible());
    QCOMPARE(buttons(w), ready);
    for (const char* l : {"Label1", "Label2", "Label3"})
        QCOMPARE(label(w, l), QString());
    QVERIFY(allWhite(picture(w, "Picture1").image()));
    QCOMPARE(w.objectName(), name);
}

void TestSeriesWindow::formulaPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Form9") << "Form9" << QSize(494, 40);
    QTest::newRow("Form10") << "Form10" << QSize(534, 40);
    QTest::newRow("Form15") << "Form15" << QSize(254, 38);
    QTest::newRow("Form16") << "Form16" << QSize(294, 38);
    QTest::newRow("Form17") << "Form17" << QSize(343, 38);
}

void TestSeriesWindow::formulaPicture()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    SeriesWindow& w = open(name);
    const QImage& formula = w.formulaImage();
    QCOMPARE(formula.size(), size);
    // White ground with a fair amount of black ink, all of it in the part of
    // the bitmap that its box shows.
    QCOMPARE(formula.pixel(0, 0), qRgb(255, 255, 255));
    const platform::PictureBox& box = picture(w, "Picture2");
    const int shown = std::min(formula.height(), box.drawingArea().height());
    const int ink = darkPixels(formula, formula.height());
    QVERIFY2(ink > 300, qPrintable(QString::number(ink)));
    QVERIFY(ink < formula.width() * formula.height() / 4);
    QCOMPARE(darkPixels(formula, shown), ink);
    // And the box really paints it.
    QCOMPARE(darkPixels(picture(w, "Picture2").grab().toImage(), shown), ink);
}

void TestSeriesWindow::explanationPage()
{
    QFETCH(QString, name);
    SeriesWindow& w = open(name);
    click(w, "Command5");
    QCOMPARE(buttons(w), explained);
    QCOMPARE(sounds.cues(name), QStringList{QStringLiteral("pinpon.wav")});

    platform::PictureBox& surface = picture(w, "Picture1");
    QCOMPARE(surface.fontSize(), 11.0);
    const QList<Band> bands = textBands(surface.image());
    QCOMPARE(bands.size(), 4);
    QCOMPARE(bands[0].colour, Ink::Black);
    QCOMPARE(bands[1].colour, Ink::Black);
    QCOMPARE(bands[2].colour, Ink::Blue);
    QCOMPARE(bands[3].colour, Ink::Green);
    // Six empty lines first, and an empty line between printed lines.
    const double line = surface.lineHeight() / platform::twipsPerPixel;
    QVERIFY2(bands[0].top >= int(6 * line) - 1 && bands[0].top < int(7 * line), qPrintable(QString::number(bands[0].top)));
    for (int k = 1; k < 4; ++k)
        QVERIFY(std::abs((bands[k].top - bands[k - 1].top) - 2 * line) <= 2);
}

void TestSeriesWindow::inputBoxAndCancel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("duringBox");
    QTest::addColumn<QString>("afterwards");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultText");

    const QString terms = QStringLiteral("第何項目まで計算させますか？（２以上の自然数を入力してください．．．）");
    const QString termsTitle = QStringLiteral("計算させる項数の入力");
    const QString factors = QStringLiteral("分母・分子それぞれ何個の数字をかけ算させますか？（２以上の自然数を入力してください．．．）");
    const QString factorsTitle = QStringLiteral("かけ算させる数字の数の入力");
    struct Row {
        const char* name;
        QString duringBox, afterwards, prompt, title, defaultText;
    };
    const Row rows[] = {
        {"Form9", "on,on,off,off,on", "on,on,on,on,off", terms, termsTitle, "100"},
        {"Form10", explained, "on,on,on,on,off", terms, termsTitle, "50"},
        {"Form15", running, "on,on,on,off,off", factors, factorsTitle, "10000"},
        {"Form16", running, "on,on,on,off,off", terms, termsTitle, "10000"},
        {"Form17", running, "on,on,on,off,off", terms, termsTitle, "10000"},
    };
    struct Reply {
        const char* what;
        bool cancel;
        QString text;
    };
    const Reply replies[] = {
        {"cancel", true, QString()},
        {"empty", false, QStringLiteral("")},
        {"letters", false, QStringLiteral("abc")},
        {"blanks", false, QStringLiteral("   ")},
        {"number and letters", false, QStringLiteral("12x")},
    };
    for (const Row& r : rows)
        for (const Reply& reply : replies)
            QTest::addRow("%s %s", r.name, reply.what) << QString::fromLatin1(r.name) << reply.cancel << reply.text
                                                       << r.duringBox << r.afterwards << r.prompt << r.title
                                                       << r.defaultText;
}

void TestSeriesWindow::inputBoxAndCancel()
{
    QFETCH(QString, name);
    QFETCH(bool, cancel);
    QFETCH(QString, reply);
    QFETCH(QString, duringBox);
    QFETCH(QString, afterwards);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(QString, defaultText);

    SeriesWindow& w = openAndExplain(name);
    // A stop honoured in these windows leaves the flag set until the next run.
    const bool clearsFlagFirst = duringBox == running;
    if (clearsFlagFirst)
        w.StopFlag = 1;
    auto* counter = w.findChild<QLabel*>(QStringLiteral("Label2"));
    counter->setText(QStringLiteral("before"));
    const QImage page = picture(w, "Picture1").image().copy();

    services.replies = {cancel ? QString() : reply};
    click(w, "Command2");

    QCOMPARE(services.inputBoxes.size(), 1);
    QCOMPARE(services.inputBoxes[0].prompt, prompt);
    QCOMPARE(services.inputBoxes[0].title, title);
    QCOMPARE(services.inputBoxes[0].defaultText, defaultText);
    QCOMPARE(services.buttonsAtInputBox, QStringList{duringBox});
    QCOMPARE(services.stopFlagAtInputBox, QList<int>{0});

    // Nothing else happens: no run, no beep, no end-of-run cue, no print.
    QCOMPARE(buttons(w), afterwards);
    QCOMPARE(services.doEventsCalls, 0);
    QCOMPARE(services.beeps, 0);
    QCOMPARE(sounds.cues(name), QStringList{QStringLiteral("pinpon.wav")});
    QCOMPARE(counter->text(), QStringLiteral("before"));
    QCOMPARE(label(w, "Label1"), QString());
    QCOMPARE(picture(w, "Picture1").image(), page);
    QCOMPARE(w.mousePointer(), 0);

    // "次へ" is live again only where the button was re-enabled.
    const bool nextEnabled = afterwards.split(QLatin1Char(','))[3] == QLatin1String("on");
    sounds.clear();
    click(w, "Command5");
    QCOMPARE(sounds.cues(name).size(), nextEnabled ? 1 : 0);
    QCOMPARE(buttons(w), nextEnabled ? explained : afterwards);
}

void TestSeriesWindow::results_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("passes");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("result");

    const QString m1n2 = QStringLiteral("π＝ 3.1224989991992");
    const QString piStr = QStringLiteral("π＝ 3.14159265358979");
    const QString eight3 = QStringLiteral("π＝ 2.66666666666667");
    QTest::newRow("Form9 2") << "Form9" << "2" << 1 << " 2 /  2" << m1n2;
    QTest::newRow("Form9 3") << "Form9" << "3" << 2 << " 3 /  3" << "π＝ 3.13847096529504";
    QTest::newRow("Form9 100") << "Form9" << "100" << 99 << " 100 /  100" << piStr;
    QTest::newRow("Form9 2.9 cut to 2") << "Form9" << "2.9" << 1 << " 2 /  2" << m1n2;
    QTest::newRow("Form9 full-width 3") << "Form9" << "３" << 2 << " 3 /  3" << "π＝ 3.13847096529504";
    QTest::newRow("Form9 blanks around") << "Form9" << " 2 " << 1 << " 2 /  2" << m1n2;
    QTest::newRow("Form10 2") << "Form10" << "2" << 1 << " 2 /  2" << "π＝ 3.125";
    QTest::newRow("Form10 3") << "Form10" << "3" << 2 << " 3 /  3" << "π＝ 3.1390625";
    QTest::newRow("Form10 50") << "Form10" << "50" << 49 << " 50 /  50" << piStr;
    QTest::newRow("Form10 2.9 cut to 2") << "Form10" << "2.9" << 1 << " 2 /  2" << "π＝ 3.125";
    QTest::newRow("Form15 2") << "Form15" << "2" << 1 << " 2 /  2" << eight3;
    QTest::newRow("Form15 3") << "Form15" << "3" << 1 << " 3 /  3" << eight3;
    QTest::newRow("Form15 4") << "Form15" << "4" << 2 << " 4 /  4" << "π＝ 2.84444444444444";
    QTest::newRow("Form15 2.9 cut to 2") << "Form15" << "2.9" << 1 << " 2 /  2" << eight3;
    QTest::newRow("Form16 2") << "Form16" << "2" << 2 << " 2 /  2" << eight3;
    QTest::newRow("Form16 3") << "Form16" << "3" << 3 << " 3 /  3" << "π＝ 3.46666666666667";
    QTest::newRow("Form16 2.9 cut to 2") << "Form16" << "2.9" << 2 << " 2 /  2" << eight3;
    QTest::newRow("Form17 2") << "Form17" << "2" << 2 << " 2 /  2" << "π＝3";
    QTest::newRow("Form17 3") << "Form17" << "3" << 3 << " 3 /  3" << "π＝3.21455025366432";
    QTest::newRow("Form17 2.9 cut to 2") << "Form17" << "2.9" << 2 << " 2 /  2" << "π＝3";
}

void TestSeriesWindow::results()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(int, passes);
    QFETCH(QString, counter);
    QFETCH(QString, result);

    SeriesWindow& w = openAndExplain(name);
    QString buttonsWhileRunning, hint;
    int pointerWhileRunning = -1;
    services.onDoEvents = [&](int call) {
        if (call == 1) {
            buttonsWhileRunning = buttons(w);
            hint = label(w, "Label1");
            pointerWhileRunning = w.mousePointer();
        }
    };
    services.replies = {reply};
    click(w, "Command2");

    QCOMPARE(services.doEventsCalls, passes);
    QCOMPARE(buttonsWhileRunning, running);
    QCOMPARE(hint, stopHint);
    QCOMPARE(pointerWhileRunning, 13);

    QCOMPARE(label(w, "Label2"), counter);
    QCOMPARE(label(w, "Label3"), result);
    QCOMPARE(label(w, "Label1"), QString());
    QCOMPARE(buttons(w), ready);
    QCOMPARE(w.mousePointer(), 0);
    QCOMPARE(services.beeps, 0);
    QCOMPARE(sounds.cues(name), (QStringList{QStringLiteral("pinpon.wav"), QStringLiteral("logoff.wav")}));
    // The end-of-run cue is not preceded by a Stop.
    const QStringList commands = sounds.commands(name);
    const qsizetype close = commands.lastIndexOf(QStringLiteral("Close"));
    QVERIFY(close > 0);
    QVERIFY(commands[close - 1] != QLatin1String("Stop"));
}

void TestSeriesWindow::belowTwoUsesDefault_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("count");
    struct Row {
        const char* name;
        const char* count;
    };
    for (const Row& r : {Row{"Form9", " 100"}, Row{"Form10", " 50"}, Row{"Form15", " 10000"},
                         Row{"Form16", " 10000"}, Row{"Form17", " 10000"}})
        for (const char* reply : {"1", "0", "-5", "1.5"})
            QTest::addRow("%s %s", r.name, reply) << QString::fromLatin1(r.name) << QString::fromLatin1(reply)
                                                  << QString::fromLatin1(r.count);
}

void TestSeriesWindow::belowTwoUsesDefault()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(QString, count);

    SeriesWindow& w = openAndExplain(name);
    platform::PictureBox& surface = picture(w, "Picture1");
    const QList<Band> page = textBands(surface.image());
    QCOMPARE(page.size(), 4);

    int beepsBeforeRun = -1;
    services.onDoEvents = [&](int call) {
        if (call == 1)
            beepsBeforeRun = services.beeps;
        if (call == 3)
            QTest::mouseClick(button(w, "Command6"), Qt::LeftButton);
    };
    services.replies = {reply};
    click(w, "Command2");

    QCOMPARE(beepsBeforeRun, 1);
    QCOMPARE(services.beeps, 1);
    QVERIFY2(label(w, "Label2").endsWith(QStringLiteral(" / ") + count), qPrintable(label(w, "Label2")));
    // The notice: one more black line, an empty line below the explanation.
    const QList<Band> after = textBands(surface.image());
    QCOMPARE(after.size(), 5);
    QCOMPARE(after[4].colour, Ink::Black);
    const double line = surface.lineHeight() / platform::twipsPerPixel;
    QVERIFY(std::abs((after[4].top - after[3].top) - 2 * line) <= 2);
}

void TestSeriesWindow::defaultLongRuns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("passes");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<double>("near");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("Form9") << "Form9" << 99 << " 100 /  100" << 3.14159265358979 << 1e-15;
    QTest::newRow("Form10") << "Form10" << 49 << " 50 /  50" << 3.14159265358979 << 1e-15;
    QTest::newRow("Form15") << "Form15" << 5000 << " 10000 /  10000" << 3.14144 << 1e-5;
    QTest::newRow("Form16") << "Form16" << 10000 << " 10000 /  10000" << 3.14149 << 1e-5;
    QTest::newRow("Form17") << "Form17" << 10000 << " 10000 /  10000" << std::numbers::pi - 1e-8 << 5e-9;
}

void TestSeriesWindow::defaultLongRuns()
{
    QFETCH(QString, name);
    QFETCH(int, passes);
    QFETCH(QString, counter);
    QFETCH(double, near);
    QFETCH(double, tolerance);

    SeriesWindow& w = openAndExplain(name);
    services.replies = {QStringLiteral("1")};
    click(w, "Command2");
    QCOMPARE(services.doEventsCalls, passes);
    QCOMPARE(label(w, "Label2"), counter);
    const QString result = label(w, "Label3");
    QVERIFY(result.startsWith(QStringLiteral("π＝")));
    bool ok = false;
    const double value = result.mid(2).trimmed().toDouble(&ok);
    QVERIFY(ok);
    QVERIFY2(std::fabs(value - near) <= tolerance, qPrintable(result));
    QVERIFY(value <= std::numbers::pi);
}

void TestSeriesWindow::counterSequence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("seen");
    QTest::newRow("Form9 counts ahead") << "Form9" << "4" << QStringList{"", " 2 /  4", " 3 /  4", " 4 /  4"};
    QTest::newRow("Form10 counts what was added") << "Form10" << "4" << QStringList{"", " 2 /  4", " 3 /  4", " 4 /  4"};
    QTest::newRow("Form15 even") << "Form15" << "6" << QStringList{"", " 2 /  6", " 4 /  6", " 6 /  6"};
    QTest::newRow("Form15 odd") << "Form15" << "7" << QStringList{"", " 3 /  7", " 5 /  7", " 7 /  7"};
    QTest::newRow("Form16") << "Form16" << "3" << QStringList{"", " 1 /  3", " 2 /  3", " 3 /  3"};
    QTest::newRow("Form17") << "Form17" << "3" << QStringList{"", " 1 /  3", " 2 /  3", " 3 /  3"};
}

void TestSeriesWindow::counterSequence()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(QStringList, seen);
    SeriesWindow& w = openAndExplain(name);
    QStringList actual;
    services.onDoEvents = [&](int) { actual.append(label(w, "Label2")); };
    services.replies = {reply};
    click(w, "Command2");
    actual.append(label(w, "Label2"));
    QCOMPARE(actual, seen);
}

void TestSeriesWindow::stopAfterPasses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("stopFlag");

    QTest::newRow("Form9 first pass") << "Form9" << "100" << 1 << " 2 /  100" << "π＝ 3" << 0;
    QTest::newRow("Form9 shows the term not added") << "Form9" << "100" << 2 << " 3 /  100" << "π＝ 3.1224989991992" << 0;
    QTest::newRow("Form10 first pass") << "Form10" << "50" << 1 << "" << "π＝ 3" << 0;
    QTest::newRow("Form10 shows the term added") << "Form10" << "50" << 3 << " 3 /  50" << "π＝ 3.1390625" << 0;
    QTest::newRow("Form15 first pass") << "Form15" << "10" << 1 << "" << "π＝ 2" << 1;
    QTest::newRow("Form15 after two") << "Form15" << "10" << 3 << " 4 /  10" << "π＝ 2.84444444444444" << 1;
    QTest::newRow("Form16 first pass") << "Form16" << "100" << 1 << "" << "π＝ 0" << 1;
    QTest::newRow("Form16 after three") << "Form16" << "100" << 4 << " 3 /  100" << "π＝ 3.46666666666667" << 1;
    QTest::newRow("Form17 first pass") << "Form17" << "100" << 1 << "" << "π＝0" << 1;
    QTest::newRow("Form17 after three") << "Form17" << "100" << 4 << " 3 /  100" << "π＝3.21455025366432" << 1;
}

void TestSeriesWindow::stopAfterPasses()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(int, stopAt);
    QFETCH(QString, counter);
    QFETCH(QString, result);
    QFETCH(int, stopFlag);

    SeriesWindow& w = openAndExplain(name);
    QString statusAfterStop, buttonsAfterStop;
    services.onDoEvents = [&](int call) {
        if (call == stopAt) {
            QTest::mouseClick(button(w, "Command6"), Qt::LeftButton);
            statusAfterStop = label(w, "Label1");
            buttonsAfterStop = buttons(w);
        }
    };
    services.replies = {reply};
    click(w, "Command2");

    QCOMPARE(services.doEventsCalls, stopAt);
    QCOMPARE(statusAfterStop, QString());
    QCOMPARE(buttonsAfterStop, QStringLiteral("off,off,off,off,off"));
    QCOMPARE(label(w, "Label2"), counter);
    QCOMPARE(label(w, "Label3"), result);
    QCOMPARE(label(w, "Label1"), QString());
    QCOMPARE(int(w.StopFlag), stopFlag);
    QCOMPARE(buttons(w), ready);
    QCOMPARE(w.mousePointer(), 0);
    QCOMPARE(sounds.cues(name),
             (QStringList{QStringLiteral("pinpon.wav"), QStringLiteral("pinpon.wav"), QStringLiteral("logoff.wav")}));
}

void TestSeriesWindow::hugeCountRunsUntilStopped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("counter");
    QTest::newRow("Form9") << "Form9" << "1E20" << " 4 /  1E+20";
    QTest::newRow("Form10") << "Form10" << "100000000000000000000" << " 3 /  1E+20";
    QTest::newRow("Form15") << "Form15" << "1e20" << " 4 /  1E+20";
    QTest::newRow("Form16") << "Form16" << "1E20" << " 2 /  1E+20";
    QTest::newRow("Form17") << "Form17" << "1E20" << " 2 /  1E+20";
    QTest::newRow("Form17 1E300") << "Form17" << "1E300" << " 2 /  1E+300";
}

void TestSeriesWindow::hugeCountRunsUntilStopped()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(QString, counter);
    SeriesWindow& w = openAndExplain(name);
    services.onDoEvents = [&](int call) {
        if (call == 3)
            QTest::mouseClick(button(w, "Command6"), Qt::LeftButton);
    };
    services.replies = {reply};
    click(w, "Command2");
    QCOMPARE(services.doEventsCalls, 3);
    QCOMPARE(label(w, "Label2"), counter);
    const QString result = label(w, "Label3");
    QVERIFY(!result.contains(QLatin1String("Inf")) && !result.contains(QLatin1String("NaN")));
    QCOMPARE(buttons(w), ready);
}

void TestSeriesWindow::nextAfterRun_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("clears");
    QTest::newRow("Form9") << "Form9" << true;
    QTest::newRow("Form10") << "Form10" << true;
    QTest::newRow("Form15") << "Form15" << false;
    QTest::newRow("Form16") << "Form16" << false;
    QTest::newRow("Form17") << "Form17" << false;
}

void TestSeriesWindow::nextAfterRun()
{
    QFETCH(QString, name);
    QFETCH(bool, clears);
    SeriesWindow& w = openAndExplain(name);
    services.replies = {QStringLiteral("3")};
    click(w, "Command2");
    const QString counter = label(w, "Label2"), result = label(w, "Label3");
    QVERIFY(!counter.isEmpty() && !result.isEmpty());
    QVERIFY(!button(w, "Command2")->isEnabled());

    click(w, "Command5");
    QCOMPARE(buttons(w), explained);
    QCOMPARE(label(w, "Label2"), clears ? QString() : counter);
    QCOMPARE(label(w, "Label3"), clears ? QString() : result);
    QCOMPARE(textBands(picture(w, "Picture1").image()).size(), 4);
}

void TestSeriesWindow::menuAndReturn()
{
    QFETCH(QString, name);
    SeriesWindow& w = openAndExplain(name);
    services.replies = {QStringLiteral("2")};
    click(w, "Command2");

    click(w, "Command3");
    QVERIFY(!w.isVisible());
    QVERIFY(shell::form7().isVisible());
    QCOMPARE(sounds.cues(name).last(), QStringLiteral("pinpon.wav"));
    QCOMPARE(buttons(w), ready);

    click(shell::form7(), menuButtonOf(name));
    QVERIFY(w.isVisible());
    QCOMPARE(buttons(w), ready);
    for (const char* l : {"Label1", "Label2", "Label3"})
        QCOMPARE(label(w, l), QString());
    QVERIFY(allWhite(picture(w, "Picture1").image()));
    // "計　　算" stays out of reach until the explanation.
    click(w, "Command2");
    QCOMPARE(services.inputBoxes.size(), 1);
}

void TestSeriesWindow::quitAsks()
{
    QFETCH(QString, name);
    SeriesWindow& w = open(name);
    services.answers = {platform::vbNo, platform::vbYes};
    click(w, "Command1");
    QCOMPARE(services.messageBoxes.size(), 1);
    QCOMPARE(services.messageBoxes[0].prompt, QStringLiteral("終了していいですか？"));
    QCOMPARE(services.ends, 0);
    QCOMPARE(sounds.cues(name), QStringList{QStringLiteral("endpinpon.wav")});
    click(w, "Command1");
    QCOMPARE(services.ends, 1);
}

QTEST_MAIN(TestSeriesWindow)
#include "tst_series_window.moc"

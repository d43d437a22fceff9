// SPDX-License-Identifier: GPL-3.0-or-later
// The two experiments, the Monte Carlo window and Buffon's needle, stand on
// one frame: what they share is checked once over a row per window, what
// belongs to one window has slots of its own at the end.
#include "experiments/Form19.h"
#include "experiments/Form20.h"
#include "platform/Marks.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QtTest>

#include <cmath>
#include <memory>

using experiments::ExperimentWindow;
using Services = testing::ScriptedServices;
using testing::SoundRecorder;

namespace {

const QString hint = QStringLiteral("［中止］をクリックすると止まります．．．");
const QRgb lightBlue = qRgb(0, 0, 255);
const QRgb lightRed = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 128, 0);
const QRgb white = qRgb(255, 255, 255);

// A Monte Carlo point is two Rnd values: 0.5 gives 1500 (the centre), 0
// gives 500 (a corner of the square), 0.9999 gives 2500.
constexpr float centreR = 0.5f;
constexpr float cornerR = 0.0f;
constexpr float edgeR = 0.9999f;
const QList<float> centre{centreR, centreR};
const QList<float> corner{cornerR, cornerR};

// A needle is three, worked out by hand: r1 0.4 -> x 1200; r2 0 -> y 250,
// 0.4 -> y 1250, 0.5 -> y 1500; r3 0 points right (+250, 0), 0.75 points
// up (-1, -250).
const QList<float> upFrom250{0.4f, 0.0f, 0.75f};  // (1200, 250) to (1199, 0): meets nothing
const QList<float> upFrom1250{0.4f, 0.4f, 0.75f}; // (1200, 1250) to (1199, 1000): ends on a line
const QList<float> flatAt1250{0.4f, 0.4f, 0.0f};  // (1200, 1250) to (1450, 1250): between lines
const QList<float> flatOn1500{0.4f, 0.5f, 0.0f};  // (1200, 1500) to (1450, 1500): lies on a line
const QList<float> flatOn2000{0.1f, 0.7f, 0.0f};  // (300, 2000) to (550, 2000): lies on a line

QList<float> times(int count, const QList<float>& one)
{
    QList<float> all;
    for (int i = 0; i < count; ++i)
        all += one;
    return all;
}


struct Piece {
    int colour;
    QString text;
};
using PageText = QList<QList<Piece>>;

// What one experiment's design makes different from the other's.
struct Experiment {
    const char* name; // objectName, and the window of its sound commands
    QString title;
    QSize size;
    int labelTop; // twips; the four labels follow 480 twips apart
    platform::Twips picture;
    double twipsPerUnitY;
    QPointF unitsAt; // a point of the surface, and the pixel it maps to
    QPoint pixelAt;
    QString prompt, question;
    int largest;
    // Label4 after a run that was not stopped.
    QString hintAfterRun;
    // One throw that hits and the estimate after ten of them.
    QList<float> hit;
    QString allHit;
    QString tenOfTen; // Label1 at the end of a run of ten
    platform::CommandButton* Form7::*menuButton;
    std::int16_t (*thrown)(const ExperimentWindow&);
    std::int16_t (*hits)(const ExperimentWindow&);
    std::unique_ptr<ExperimentWindow> (*make)();
    PageText page;
};

enum { monteCarlo, buffon };

const Experiment kinds[] = {
    {.name = "Form19", .title = QStringLiteral("モンテカルロ法を利用してπの近似値を求める"), .size = {369, 524},
     .labelTop = 5760, .picture = {120, 480, 5295, 4935}, .twipsPerUnitY = 1.625,
     .unitsAt = {2500, 1500}, .pixelAt = {291, 163}, // 1.745 across, 1.625 down
     .prompt = QStringLiteral("何個の点を打ちますか？（１０以上、１００００以下の自然数を入力してください．．．）"),
     .question = QStringLiteral("打つ点の個数の設定"), .largest = 10000, .hintAfterRun = hint,
     .hit = centre, .allHit = QStringLiteral("π＝4.00000000000000"),
     .tenOfTen = QStringLiteral("打った点の総数＝ 10 /  10"), .menuButton = &Form7::Command3,
     .thrown = [](const ExperimentWindow& w) { return static_cast<const Form19&>(w).PointIndex; },
     .hits = [](const ExperimentWindow& w) { return static_cast<const Form19&>(w).InsideCount; },
     .make = []() -> std::unique_ptr<ExperimentWindow> { return std::make_unique<Form19>(); },
     .page = {
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
     }},
    {.name = "Form20", .title = QStringLiteral("ビュホンの針を利用してπの近似値を求める"), .size = {369, 538},
     .labelTop = 6000, .picture = {120, 480, 5295, 5295}, .twipsPerUnitY = 1.745,
     .unitsAt = {1000, 500}, .pixelAt = {116, 58}, // 1.745 twips per unit both ways
     .prompt = QStringLiteral("何本の針を落としますか？（１０以上、２００００以下の自然数を入力してください．．．）"),
     .question = QStringLiteral("落とす針の本数の設定"), .largest = 20000, .hintAfterRun = QString(),
     .hit = upFrom1250, .allHit = QStringLiteral("π＝1.00000000000000"),
     .tenOfTen = QStringLiteral("落とした針の総数＝ 10 /  10"), .menuButton = &Form7::Command4,
     .thrown = [](const ExperimentWindow& w) { return static_cast<const Form20&>(w).NeedleIndex; },
     .hits = [](const ExperimentWindow& w) { return static_cast<const Form20&>(w).CrossCount; },
     .make = []() -> std::unique_ptr<ExperimentWindow> { return std::make_unique<Form20>(); },
     .page = {
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
     }},
};

// The experiment column every shared table starts with.
void addExperimentColumn() { QTest::addColumn<int>("experiment"); }

QTestData& row(int experiment, const QString& name)
{
    return QTest::addRow("%s %s", kinds[experiment].name, qUtf8Printable(name)) << experiment;
}

// One row per experiment, for the tables with nothing else in them.
void eachExperiment()
{
    addExperimentColumn();
    for (int i : {monteCarlo, buffon})
        QTest::newRow(kinds[i].name) << i;
}

const Experiment& current()
{
    QFETCH(int, experiment);
    return kinds[experiment];
}

// 終了, メニュー, 中止, 解説, 実験 as E (enabled) or D (disabled).
QString buttons(const ExperimentWindow& w)
{
    QString s;
    for (const QPushButton* b : {w.Command1, w.Command3, w.Command4, w.Command5, w.Command2})
        s += b->isEnabled() ? QLatin1Char('E') : QLatin1Char('D');
    return s;
}

// The four labels: the throws, the hits, the estimate and the stop hint.
QStringList labels(const ExperimentWindow& w)
{
    return {w.Label1->text(), w.Label2->text(), w.Label3->text(), w.Label4->text()};
}

void explain(ExperimentWindow& w)
{
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
}

// A window of the experiment, shown and its explanation read.
std::unique_ptr<ExperimentWindow> explained(const Experiment& e)
{
    auto w = e.make();
    explain(*w);
    return w;
}

QRgb pixelAt(const ExperimentWindow& w, double x, double y)
{
    return w.Picture1->image().pixel(w.Picture1->toPixel(x, y));
}

// The explanation printed from this test's own copy of the text, on a
// surface of the same design.
QImage printedPage(const Experiment& e)
{
    QWidget host;
    platform::PictureBox reference(&host, "Reference", e.picture,
                                   {.twipsPerUnitX = 1.745, .twipsPerUnitY = e.twipsPerUnitY});
    reference.setFontSize(12);
    for (const QList<Piece>& line : e.page) {
        if (line.isEmpty())
            reference.Print();
        for (qsizetype i = 0; i < line.size(); ++i) {
            reference.setForeColor(rt::QBColor(line[i].colour));
            reference.Print(line[i].text, i + 1 < line.size() ? platform::PictureBox::StayOnLine
                                                              : platform::PictureBox::EndLine);
        }
    }
    return reference.image();
}

// What Label1 to Label3 show once `at` throws are in: read at the next
// DoEvents call, or after the run for the last throw.
struct Shown {
    int at;
    QString thrown, hits, estimate;
};

// Scripted throws that land on spots of their own, in drawing units: a
// needle lies flat from its spot to the right, a point is the spot itself.
QList<float> throwsAt(int experiment, const QList<QPoint>& spots)
{
    QList<float> rnd;
    for (const QPoint& s : spots) {
        if (experiment == buffon)
            rnd << (s.x() + 0.5f) / 3001 << (s.y() - 250 + 0.5f) / 2501 << 0.0f;
        else
            rnd << (s.x() - 500 + 0.5f) / 2001 << (s.y() - 500 + 0.5f) / 2001;
    }
    return rnd;
}

// The number a counter shows first, 0 while it is empty.
int shownCount(const platform::Label& label)
{
    return QRegularExpression(QStringLiteral("\\d+")).match(label.text()).captured().toInt();
}

// What the window shows of its throws: those drawn (red or green at their
// spots), the counter of throws, the run's n, the hits drawn (red) and the
// counter of hits.
QList<int> shownThrows(const ExperimentWindow& w, int experiment, const QList<QPoint>& spots, qint64 n)
{
    int drawn = 0;
    int drawnHits = 0;
    for (const QPoint& s : spots) {
        const QRgb c = pixelAt(w, s.x() + (experiment == buffon ? 125 : 0), s.y());
        drawn += c == lightRed || c == green;
        drawnHits += c == lightRed;
    }
    return {drawn, shownCount(*w.Label1), int(n), drawnHits, shownCount(*w.Label2)};
}

// Lesson mode's pause holds a run where it yields to the run's observers.
struct YieldWatch : platform::Run::Observer {
    explicit YieldWatch(std::function<void(platform::Run&)> f) : onYield(std::move(f)) { platform::Run::addObserver(this); }
    void runYielded(platform::Run& run) override { onYield(run); }
    std::function<void(platform::Run&)> onYield;
};

} // namespace

Q_DECLARE_METATYPE(Shown)

class TestExperiments : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Both experiments.
    void layout_data();
    void layout();
    void labelStyles_data() { eachExperiment(); }
    void labelStyles();
    void userScale_data() { eachExperiment(); }
    void userScale();
    void stateTable_data();
    void stateTable();
    void inputBoxQuestion_data() { eachExperiment(); }
    void inputBoxQuestion();
    void labelsDuringRun_data();
    void labelsDuringRun();
    void stopKeepsLastThrow_data();
    void stopKeepsLastThrow();
    void heldRunShowsOneStep_data();
    void heldRunShowsOneStep();
    void acceptedReplies_data();
    void acceptedReplies();
    void refusedReplies_data();
    void refusedReplies();
    void pointerDuringRun_data() { eachExperiment(); }
    void pointerDuringRun();
    void explanationPage_data();
    void explanationPage();
    void explanationClearsRunAndRunClearsPage_data();
    void explanationClearsRunAndRunClearsPage();
    void reactivationKeepsDrawing_data() { eachExperiment(); }
    void reactivationKeepsDrawing();
    void menuAndBack_data() { eachExperiment(); }
    void menuAndBack();
    void quitAnsweredNo_data() { eachExperiment(); }
    void quitAnsweredNo();

    // Monte Carlo.
    void firstPointEstimate_data();
    void firstPointEstimate();
    void estimateInSinglePrecision();
    void pointOnCircleCountsInside();
    void figurePixels();
    void markColours_data();
    void markColours();
    void monteCarloPageColours();

    // Buffon's needle.
    void everyNeedleCrosses();
    void thirtyTwoOfHundred();
    void linesAndNeedlePixels();
    void buffonProofHeading();

private:
    // Fresh for each test function; its windows are gone before cleanup().
    std::unique_ptr<SoundRecorder> recorder;
    std::unique_ptr<Services> services;

    void push(const QList<float>& values)
    {
        services->rndValues.insert(services->rndValues.end(), values.begin(), values.end());
    }
    // Clicks "実験" with the given reply; stopAt clicks "中止" inside that
    // DoEvents call.
    void experiment(ExperimentWindow& w, const QString& reply, int stopAt = 0)
    {
        services->replies = {reply};
        services->onDoEvents = [&w, stopAt](int call) {
            if (call == stopAt)
                QTest::mouseClick(w.Command4, Qt::LeftButton);
        };
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        services->onDoEvents = nullptr;
    }
};

void TestExperiments::init()
{
    recorder = std::make_unique<SoundRecorder>();
    services = std::make_unique<Services>();
}

void TestExperiments::cleanup()
{
    services.reset();
    recorder.reset();
}

void TestExperiments::layout_data()
{
    addExperimentColumn();
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("enabled");

    for (int i : {monteCarlo, buffon}) {
        row(i, "終了") << "Command1" << "終了" << QRect(0, 0, 855, 375) << true;
        row(i, "メニュー") << "Command3" << "メニュー" << QRect(840, 0, 855, 375) << true;
        row(i, "中止") << "Command4" << "中止" << QRect(1680, 0, 855, 375) << false;
        row(i, "解説") << "Command5" << "解説" << QRect(3720, 0, 855, 375) << false;
        row(i, "実験") << "Command2" << "実験" << QRect(4560, 0, 975, 375) << true;
    }
}

void TestExperiments::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, enabled);
    const Experiment& e = current();

    const auto w = e.make();
    QCOMPARE(w->objectName(), QString::fromLatin1(e.name));
    QCOMPARE(w->windowTitle(), e.title);
    QCOMPARE(w->size(), e.size);

    auto* button = w->findChild<QPushButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(button->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void TestExperiments::labelStyles()
{
    const Experiment& e = current();
    const auto w = e.make();
    const QList<platform::Label*> all{w->Label1, w->Label2, w->Label3, w->Label4};
    for (int i = 0; i < 4; ++i) {
        const platform::Label* label = all[i];
        QCOMPARE(label->objectName(), QStringLiteral("Label%1").arg(i + 1));
        QCOMPARE(label->geometry(), QRect(24, (e.labelTop + 480 * i) / 15, 321, 25));
        QVERIFY(label->text().isEmpty());
        QCOMPARE(label->font().pointSizeF(), 12.0);
        QCOMPARE(label->font().weight(), QFont::Normal);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
        QCOMPARE(label->frameShape(), i < 3 ? QFrame::Box : QFrame::NoFrame);
    }
    QCOMPARE(w->Label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(w->Label4->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(w->Label1->palette().color(QPalette::WindowText), w->palette().color(QPalette::WindowText));
    QVERIFY(w->Line1);
    QCOMPARE(w->MMControl1->objectName(), QStringLiteral("MMControl1"));
}

void TestExperiments::userScale()
{
    const Experiment& e = current();
    const auto w = e.make();
    const platform::Twips& p = e.picture;
    QCOMPARE(w->Picture1->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
    // Inside the 2-pixel border, 3000 x 3000 units fill the drawing area.
    const QSize area(p.width / 15 - 4, p.height / 15 - 4);
    QCOMPARE(w->Picture1->drawingArea().size(), area);
    QCOMPARE(w->Picture1->toPixel(3000, 3000), QPoint(area.width(), area.height()));
    QCOMPARE(w->Picture1->toPixel(e.unitsAt.x(), e.unitsAt.y()), e.pixelAt);
    QCOMPARE(w->Picture1->image().pixel(10, 10), white);
}

// Each row drives the window to one moment of its life and reads the five
// buttons there: 終了, メニュー, 中止, 解説, 実験.
void TestExperiments::stateTable_data()
{
    addExperimentColumn();
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("expected");

    for (int i : {monteCarlo, buffon}) {
        row(i, "design") << "design" << QString() << "EEDDE";
        row(i, "activation") << "activation" << QString() << "EEDED";
        row(i, "after 解説") << "explained" << QString() << "EEDDE";
        row(i, "asking") << "asking" << QString() << "DDEDD";
        row(i, "reply 5 refused") << "refused" << "5" << "EEDDE";
        row(i, "reply 9 refused") << "refused" << "9" << "EEDDE";
        row(i, "running") << "running" << "10" << "DDEDD";
        row(i, "中止 pressed") << "stopping" << "100" << "DDDDD";
        row(i, "run ends") << "ended" << "10" << "EEDDE";
        row(i, "run stopped") << "stopped" << "100" << "EEDDE";
        // Left straight after activation: "メニュー" itself enables "実験".
        row(i, "メニュー") << "menu" << QString() << "EEDEE";
        row(i, "activation after a run") << "reactivated" << "10" << "EEDED";
    }
}

void TestExperiments::stateTable()
{
    QFETCH(QString, moment);
    QFETCH(QString, reply);
    QFETCH(QString, expected);

    const auto owned = current().make();
    ExperimentWindow& w = *owned;
    QString seen;
    const auto is = [&](const char* name) { return moment == QLatin1String(name); };

    if (is("design")) {
        seen = buttons(w);
    } else if (is("activation")) {
        w.Show();
        seen = buttons(w);
    } else if (is("menu")) {
        w.Show();
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        seen = buttons(w);
    } else if (is("explained")) {
        explain(w);
        seen = buttons(w);
    } else if (is("asking") || is("running") || is("stopping")) {
        explain(w);
        services->replies = {reply};
        services->onInputBox = [&] {
            if (is("asking"))
                seen = buttons(w);
        };
        services->onDoEvents = [&](int call) {
            if (is("stopping") && call == 3)
                QTest::mouseClick(w.Command4, Qt::LeftButton);
            if ((is("stopping") && call == 3) || (is("running") && call == 4))
                seen = buttons(w);
        };
        QTest::mouseClick(w.Command2, Qt::LeftButton);
    } else {
        explain(w);
        experiment(w, reply, is("stopped") ? 5 : 0);
        if (is("reactivated")) {
            w.Hide();
            w.Show();
            QCOMPARE(w.Label1->text(), QString());
        }
        seen = buttons(w);
    }
    QCOMPARE(seen, expected);
}

void TestExperiments::inputBoxQuestion()
{
    const Experiment& e = current();
    const auto w = explained(e);
    recorder->clear();
    experiment(*w, QString());
    QCOMPARE(services->inputBoxes.size(), 1);
    QCOMPARE(services->inputBoxes[0].prompt, e.prompt);
    QCOMPARE(services->inputBoxes[0].title, e.question);
    QCOMPARE(services->inputBoxes[0].defaultText, QStringLiteral("100"));
    // The click cue, once, before the box.
    const QString window = QString::fromLatin1(e.name) + QStringLiteral(": ");
    QCOMPARE(recorder->log, QStringList({window + "Stop", window + "Close", window + "Open pinpon.wav",
                                         window + "Sound pinpon.wav", "inputbox"}));
}

// At DoEvents call k the labels show throw k - 1. The Monte Carlo window
// throws after the call, Buffon's needle drops and counts before it.
void TestExperiments::labelsDuringRun_data()
{
    addExperimentColumn();
    QTest::addColumn<QList<float>>("rnd");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QList<Shown>>("shown");
    QTest::addColumn<QList<int>>("hitsAtCalls");
    QTest::addColumn<int>("hits");

    // Points alternate inside (the centre) and outside (a corner).
    const auto points = [](int n, const char* inside, const char* pi) {
        return Shown{n, QStringLiteral("打った点の総数＝ %1 /  20").arg(n),
                     QStringLiteral("円の内に入った点の個数＝ ") + inside, QString::fromUtf8(pi)};
    };
    row(monteCarlo, "alternating") << times(10, centre + corner) << "20"
                                   << QList<Shown>{{0, {}, {}, {}},
                                                   points(1, "1", "π＝4.00000000000000"),
                                                   points(2, "1", "π＝2.00000000000000"),
                                                   points(3, "2", "π＝2.66666674613953"), // 8/3 in single precision
                                                   points(20, "10", "π＝2.00000000000000")}
                                   << QList<int>{0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10} << 10;
    // No estimate before the first crossing.
    const auto needles = [](int n, const char* crossed, const char* pi) {
        return Shown{n, QStringLiteral("落とした針の総数＝ %1 /  10").arg(n),
                     QStringLiteral("直線と交わった針の本数＝ ") + crossed, QString::fromUtf8(pi)};
    };
    row(buffon, "misses then crossings")
        << times(3, upFrom250) + upFrom1250 + flatAt1250 + flatOn1500 + times(4, flatAt1250) << "10"
        << QList<Shown>{{0, {}, {}, {}},
                        needles(1, "0", ""),
                        needles(3, "0", ""),
                        needles(4, "1", "π＝4.00000000000000"),
                        needles(5, "1", "π＝5.00000000000000"),
                        needles(6, "2", "π＝3.00000000000000"),
                        needles(10, "2", "π＝5.00000000000000")}
        << QList<int>{0, 0, 0, 1, 1, 2, 2, 2, 2, 2} << 2;
}

void TestExperiments::labelsDuringRun()
{
    QFETCH(QList<float>, rnd);
    QFETCH(QString, reply);
    QFETCH(QList<Shown>, shown);
    QFETCH(QList<int>, hitsAtCalls);
    QFETCH(int, hits);
    const Experiment& e = current();

    const auto owned = explained(e);
    ExperimentWindow& w = *owned;
    push(rnd);
    recorder->clear();

    QList<QStringList> seen;
    QList<int> hitsSeen;
    services->replies = {reply};
    services->onDoEvents = [&](int) {
        seen << labels(w);
        hitsSeen << e.hits(w);
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    seen << labels(w);

    QCOMPARE(seen.size(), reply.toInt() + 1);
    for (const Shown& s : shown)
        QCOMPARE(seen[s.at].mid(0, 3), QStringList({s.thrown, s.hits, s.estimate}));
    QCOMPARE(hitsSeen, hitsAtCalls);
    // Only Buffon's needle empties the hint at the end of a complete run.
    QCOMPARE(w.Label4->text(), e.hintAfterRun);
    QCOMPARE(e.thrown(w), std::int16_t(reply.toInt() + 1));
    QCOMPARE(e.hits(w), std::int16_t(hits));
    // The end-of-run cue closes without stopping first.
    QCOMPARE(recorder->commands(QString::fromLatin1(e.name)),
             QStringList({"Stop", "Close", "Open pinpon.wav", "Sound pinpon.wav", "Close", "Open logoff.wav",
                          "Sound logoff.wav"}));
}

void TestExperiments::stopKeepsLastThrow_data()
{
    addExperimentColumn();
    QTest::addColumn<QList<float>>("rnd");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("rndLeft");
    QTest::addColumn<QPointF>("mark");
    QTest::addColumn<QRgb>("markColour");

    // The 26th point is never thrown.
    row(monteCarlo, "at the 26th call")
        << times(25, centre) + times(10, corner) << "1000" << 26
        << QStringList{"打った点の総数＝ 25 /  1000", "円の内に入った点の個数＝ 25", "π＝4.00000000000000"} << 25
        << 20 << QPointF(1500, 1500) << lightRed;
    // The 38th needle is drawn and counted, though not shown in the labels.
    row(buffon, "at the 38th call")
        << times(12, upFrom1250) + times(25, upFrom250) + flatOn2000 + times(5, flatAt1250) << "100" << 38
        << QStringList{"落とした針の総数＝ 37 /  100", "直線と交わった針の本数＝ 12",
                       "π＝3.08333325386047"} // 37 / 12 in single precision
        << 13 << 15 << QPointF(400, 2000) << lightRed;
}

void TestExperiments::stopKeepsLastThrow()
{
    QFETCH(QList<float>, rnd);
    QFETCH(QString, reply);
    QFETCH(int, stopAt);
    QFETCH(QStringList, shown);
    QFETCH(int, hits);
    QFETCH(int, rndLeft);
    QFETCH(QPointF, mark);
    QFETCH(QRgb, markColour);
    const Experiment& e = current();

    const auto owned = explained(e);
    ExperimentWindow& w = *owned;
    push(rnd);
    recorder->clear();

    int callsAfterStop = 0;
    services->replies = {reply};
    services->onDoEvents = [&](int call) {
        if (call == stopAt)
            QTest::mouseClick(w.Command4, Qt::LeftButton);
        if (call > stopAt)
            ++callsAfterStop;
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);

    QCOMPARE(callsAfterStop, 0);
    // A stop empties the hint.
    QCOMPARE(labels(w), shown + QStringList(QString()));
    QCOMPARE(e.hits(w), std::int16_t(hits));
    QCOMPARE(pixelAt(w, mark.x(), mark.y()), markColour);
    QCOMPARE(w.StopFlag, std::int16_t(0));
    QCOMPARE(services->rndValues.size(), std::size_t(rndLeft));
    QCOMPARE(recorder->cues(QString::fromLatin1(e.name)), QStringList({"pinpon.wav", "pinpon.wav", "logoff.wav"}));
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));
    QCOMPARE(w.mousePointer(), 0);

    // A later run starts afresh rather than stopping at once.
    experiment(w, "10");
    QCOMPARE(w.Label1->text(), e.tenOfTen);
}

// Paused after k throws, the picture, the counters and the run all show k;
// so does every step the run is told, and a run stopped while paused ends
// as it stood.
void TestExperiments::heldRunShowsOneStep_data()
{
    addExperimentColumn();
    QTest::addColumn<QList<QPoint>>("spots");
    QTest::addColumn<int>("pausedAfter");
    QTest::addColumn<int>("hits");
    QTest::addColumn<bool>("stop");

    // Needles on a line (y a multiple of 500) cross, those between miss.
    const QList<QPoint> needles{{100, 750},  {1100, 750},  {2100, 750},  {100, 1000},
                                {1100, 1250}, {2100, 1250}, {100, 1750},  {1100, 1750},
                                {2100, 1750}, {100, 2000},  {1100, 2250}, {2100, 2250}};
    row(buffon, "paused after the first") << needles << 1 << 0 << false;
    row(buffon, "paused after 9, a crossing next") << needles << 9 << 1 << false;
    row(buffon, "stopped while paused after 9") << needles << 9 << 1 << true;
    // Points about the centre are inside, those near the corners outside.
    const QList<QPoint> points{{1300, 1300}, {1500, 1300}, {600, 600},   {1700, 1300},
                               {2400, 600},  {600, 2400},  {1300, 1500}, {1500, 1500},
                               {2400, 2400}, {1700, 1500}, {700, 600},   {1300, 1700}};
    row(monteCarlo, "paused after the first") << points << 1 << 1 << false;
    row(monteCarlo, "paused after 9, inside next") << points << 9 << 5 << false;
    row(monteCarlo, "stopped while paused after 9") << points << 9 << 5 << true;
}

void TestExperiments::heldRunShowsOneStep()
{
    QFETCH(int, experiment);
    QFETCH(QList<QPoint>, spots);
    QFETCH(int, pausedAfter);
    QFETCH(int, hits);
    QFETCH(bool, stop);

    const auto owned = explained(kinds[experiment]);
    ExperimentWindow& w = *owned;
    push(throwsAt(experiment, spots));

    QList<int> held;
    YieldWatch watch([&](platform::Run& run) {
        if (held.isEmpty() && run.n() == pausedAfter) {
            held = shownThrows(w, experiment, spots, run.n());
            if (stop) // what a click lets go of a held run
                QTest::mouseClick(w.Command4, Qt::LeftButton);
        }
    });
    QList<QList<int>> told;
    testing::RunLog log;
    log.onStep = [&](platform::Run& run) { told << shownThrows(w, experiment, spots, run.n()); };
    services->replies = {QString::number(spots.size())};
    QTest::mouseClick(w.Command2, Qt::LeftButton);

    QCOMPARE(held, QList<int>({pausedAfter, pausedAfter, pausedAfter, hits, hits}));
    if (stop) {
        QCOMPARE(shownThrows(w, experiment, spots, log.n()), held);
        return;
    }
    QCOMPARE(told.size(), spots.size());
    for (int n = 1; n <= told.size(); ++n)
        QCOMPARE(told[n - 1], QList<int>({n, n, n, told[n - 1][4], told[n - 1][4]}));
}

void TestExperiments::acceptedReplies_data()
{
    addExperimentColumn();
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<int>("doEvents");
    QTest::addColumn<int>("randomizes");
    QTest::addColumn<double>("total");

    // Long runs are stopped after a few throws; the bound shows in Label1.
    row(monteCarlo, "10") << "10" << 0 << "打った点の総数＝ 10 /  10" << 10 << 10 << 10.0;
    row(monteCarlo, "10.9 drops the fraction") << "10.9" << 0 << "打った点の総数＝ 10 /  10" << 10 << 10 << 10.0;
    row(monteCarlo, "blanks around") << " 12 " << 0 << "打った点の総数＝ 12 /  12" << 12 << 12 << 12.0;
    row(monteCarlo, "full-width digits") << "１５" << 0 << "打った点の総数＝ 15 /  15" << 15 << 15 << 15.0;
    row(monteCarlo, "10000") << "10000" << 4 << "打った点の総数＝ 3 /  10000" << 4 << 3 << 10000.0;
    row(monteCarlo, "9999.99") << "9999.99" << 4 << "打った点の総数＝ 3 /  9999" << 4 << 3 << 9999.0;
    row(buffon, "10") << "10" << 0 << "落とした針の総数＝ 10 /  10" << 10 << 10 << 10.0;
    row(buffon, "15.9 drops the fraction") << "15.9" << 0 << "落とした針の総数＝ 15 /  15" << 15 << 15 << 15.0;
    row(buffon, "10.0") << "10.0" << 0 << "落とした針の総数＝ 10 /  10" << 10 << 10 << 10.0;
    row(buffon, "20000") << "20000" << 3 << "落とした針の総数＝ 2 /  20000" << 3 << 3 << 20000.0;
    row(buffon, "19999.9") << "19999.9" << 3 << "落とした針の総数＝ 2 /  19999" << 3 << 3 << 19999.0;
}

void TestExperiments::acceptedReplies()
{
    QFETCH(QString, reply);
    QFETCH(int, stopAt);
    QFETCH(QString, label1);
    QFETCH(int, doEvents);
    QFETCH(int, randomizes);
    QFETCH(double, total);

    const auto w = explained(current());
    experiment(*w, reply, stopAt);
    QCOMPARE(w->Label1->text(), label1);
    QCOMPARE(services->doEventsCalls, doEvents);
    QCOMPARE(services->randomizeCalls, randomizes);
    // Only the Monte Carlo window keeps the count asked for.
    if (const auto* points = qobject_cast<const Form19*>(w.get()))
        QCOMPARE(points->PointTotal, total);
}

void TestExperiments::refusedReplies_data()
{
    addExperimentColumn();
    QTest::addColumn<QString>("reply");

    for (int i : {monteCarlo, buffon}) {
        row(i, "cancel") << QString();
        row(i, "empty") << "";
        row(i, "blanks") << "   ";
        row(i, "letters") << "abc";
        row(i, "number and letters") << "50 points";
        row(i, "two numbers") << "10 20";
        row(i, "9.99") << "9.99";
        row(i, "9") << "9";
        row(i, "negative -100") << "-100";
        row(i, "negative -20") << "-20";
        row(i, "half over") << QString::number(kinds[i].largest) + ".5";
        row(i, "one over") << QString::number(kinds[i].largest + 1);
        row(i, "huge") << "1e300";
    }
}

void TestExperiments::refusedReplies()
{
    QFETCH(QString, reply);
    const Experiment& e = current();

    const auto owned = explained(e);
    ExperimentWindow& w = *owned;
    experiment(w, "10");
    const QImage before = w.Picture1->image();
    push(e.hit);
    recorder->clear();

    experiment(w, reply);

    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));
    QCOMPARE(labels(w), QStringList({QString(), QString(), QString(), e.hintAfterRun}));
    QCOMPARE(w.Picture1->image(), before);
    QCOMPARE(w.mousePointer(), 0);
    QCOMPARE(services->doEventsCalls, 10);
    QCOMPARE(services->randomizeCalls, 10);
    // Nothing is thrown.
    QCOMPARE(services->rndValues.size(), std::size_t(e.hit.size()));
    // Only the click cue, nothing after the prompt.
    QCOMPARE(recorder->cues(QString::fromLatin1(e.name)), QStringList({"pinpon.wav"}));
    QCOMPARE(recorder->log.last(), QStringLiteral("inputbox"));
}

void TestExperiments::pointerDuringRun()
{
    const auto owned = explained(current());
    ExperimentWindow& w = *owned;
    QList<int> pointers;
    QStringList hints;
    services->onInputBox = [&] { pointers << w.mousePointer(); };
    services->replies = {QStringLiteral("10")};
    services->onDoEvents = [&](int) {
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

void TestExperiments::explanationPage_data()
{
    addExperimentColumn();
    QTest::addColumn<bool>("afterRun");
    for (int i : {monteCarlo, buffon}) {
        row(i, "at first") << false;
        row(i, "after a run and a return") << true;
    }
}

void TestExperiments::explanationPage()
{
    QFETCH(bool, afterRun);
    const Experiment& e = current();

    const auto owned = e.make();
    ExperimentWindow& w = *owned;
    w.Show();
    if (afterRun) {
        QTest::mouseClick(w.Command5, Qt::LeftButton);
        experiment(w, "10");
    }
    recorder->clear();
    if (afterRun) {
        w.Hide();
        w.Show();
    }
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QCOMPARE(recorder->cues(QString::fromLatin1(e.name)), QStringList({"pinpon.wav"}));
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));
    QCOMPARE(w.Picture1->image(), printedPage(e));
    QCOMPARE(w.Picture1->foreColor(), rt::QBColor(0));
    QCOMPARE(w.Picture1->fontSize(), 12.0);
}

// Stopped at the first yield, the page has given way to the run's colours
// only: the figure for the points, the lines and a first needle that misses.
void TestExperiments::explanationClearsRunAndRunClearsPage_data()
{
    addExperimentColumn();
    QTest::addColumn<QList<float>>("rnd");
    QTest::addColumn<QList<QRgb>>("colours");
    row(monteCarlo, "figure") << QList<float>() << QList<QRgb>{white, lightBlue};
    row(buffon, "lines and a needle") << upFrom250 << QList<QRgb>{white, lightBlue, green};
}

void TestExperiments::explanationClearsRunAndRunClearsPage()
{
    QFETCH(QList<float>, rnd);
    QFETCH(QList<QRgb>, colours);

    const auto owned = explained(current());
    ExperimentWindow& w = *owned;
    const QImage page = w.Picture1->image();
    push(rnd);
    experiment(w, "10", 1);
    const QImage& drawing = w.Picture1->image();
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            QVERIFY(colours.contains(drawing.pixel(x, y)));

    // After leaving and coming back, the page replaces the run's drawing.
    experiment(w, "10");
    w.Hide();
    explain(w);
    QCOMPARE(w.Picture1->image(), page);
}

void TestExperiments::reactivationKeepsDrawing()
{
    const Experiment& e = current();
    const auto owned = explained(e);
    ExperimentWindow& w = *owned;
    experiment(w, "10");
    const QImage drawing = w.Picture1->image();
    recorder->clear();

    w.Hide();
    w.Show();
    QCOMPARE(labels(w), QStringList({QString(), QString(), QString(), e.hintAfterRun}));
    QCOMPARE(w.Picture1->image(), drawing);
    QCOMPARE(buttons(w), QStringLiteral("EEDED"));
    QVERIFY(recorder->cues().isEmpty());
    // "実験" ignores clicks until "解説".
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(services->inputBoxes.size(), 1);
}

void TestExperiments::menuAndBack()
{
    const Experiment& e = current();
    const QString name = QString::fromLatin1(e.name);
    auto& w = static_cast<ExperimentWindow&>(testing::window(name));
    explain(w);
    push(times(10, e.hit));
    experiment(w, "10");
    QCOMPARE(w.Label3->text(), e.allHit);
    recorder->clear();

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(shell::form7().isVisible());
    QCOMPARE(recorder->cues(), QStringList({"pinpon.wav"}));
    QCOMPARE(recorder->cues(name), QStringList({"pinpon.wav"}));
    QImage blank(w.Picture1->image().size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(w.Picture1->image(), blank);

    QTest::mouseClick(shell::form7().*e.menuButton, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QVERIFY(!shell::form7().isVisible());
    QCOMPARE(&testing::window(name), &w);
    QCOMPARE(w.Picture1->image(), blank);
    QCOMPARE(labels(w), QStringList({QString(), QString(), QString(), e.hintAfterRun}));
    QCOMPARE(buttons(w), QStringLiteral("EEDED"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(services->inputBoxes.size(), 1);
    w.Hide();
}

void TestExperiments::quitAnsweredNo()
{
    const auto owned = explained(current());
    ExperimentWindow& w = *owned;
    experiment(w, "10");
    const QImage drawing = w.Picture1->image();
    const QStringList shown = labels(w);
    recorder->clear();
    services->answers = {platform::vbNo};

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(services->messageBoxes.size(), 1);
    QCOMPARE(services->messageBoxes[0].prompt, QStringLiteral("終了していいですか？"));
    QCOMPARE(services->messageBoxes[0].title, QStringLiteral("Sorvena"));
    QCOMPARE(recorder->cues(), QStringList({"endpinpon.wav"}));
    QCOMPARE(services->ends, 0);
    QCOMPARE(w.Picture1->image(), drawing);
    QCOMPARE(labels(w), shown);
    QCOMPARE(buttons(w), QStringLiteral("EEDDE"));

    services->answers = {platform::vbYes};
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(services->ends, 1);
}

void TestExperiments::firstPointEstimate_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("label3");
    QTest::newRow("inside") << centreR << "円の内に入った点の個数＝ 1" << "π＝4.00000000000000";
    QTest::newRow("outside") << cornerR << "円の内に入った点の個数＝ 0" << "π＝.00000000000000";
}

void TestExperiments::firstPointEstimate()
{
    QFETCH(float, r);
    QFETCH(QString, label2);
    QFETCH(QString, label3);

    Form19 w;
    explain(w);
    push({r, r});
    experiment(w, "10", 2);
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 1 /  10"));
    QCOMPARE(w.Label2->text(), label2);
    QCOMPARE(w.Label3->text(), label3);
}

void TestExperiments::estimateInSinglePrecision()
{
    Form19 w;
    explain(w);
    push(times(785, centre) + times(215, {cornerR, edgeR}));
    experiment(w, "1000");
    QCOMPARE(w.Label1->text(), QStringLiteral("打った点の総数＝ 1000 /  1000"));
    QCOMPARE(w.Label2->text(), QStringLiteral("円の内に入った点の個数＝ 785"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝3.14000010490417"));
    QVERIFY(services->rndValues.empty());
}

void TestExperiments::pointOnCircleCountsInside()
{
    Form19 w;
    explain(w);
    // 2001 * 0.9999 + 500 = 2500.8 and 2001 * 0.5 + 500 = 1500.5.
    push(times(10, {edgeR, centreR}));
    experiment(w, "10");
    QCOMPARE(w.Label2->text(), QStringLiteral("円の内に入った点の個数＝ 10"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝4.00000000000000"));
    // The last pass draws the mark after the figure's dot at the same place.
    QCOMPARE(pixelAt(w, 2500, 1500), lightRed);
}

// Stopped at the first yield: the figure is drawn and no point is thrown.
void TestExperiments::figurePixels()
{
    Form19 w;
    explain(w);
    experiment(w, "10", 1);
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
    QCOMPARE(testing::colourBounds(image, lightBlue), QRect(QPoint(58, 54), QPoint(291, 271)));

    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != white) {
                QCOMPARE(image.pixel(x, y), lightBlue);
                ++blue;
            }
    QVERIFY(blue > 4 * 200);
}

void TestExperiments::markColours_data()
{
    // A hit and a miss, each at a place (field units) where its colour
    // must be; in projector mode a hit is filled, so that the pixel to the
    // right of its place has its colour too, and no colour alone tells.
    QTest::addColumn<bool>("monteCarlo");
    QTest::addColumn<bool>("projector");
    const auto rows = [](const char* name, bool monteCarlo) {
        QTest::addRow("%s, design", name) << monteCarlo << false;
        QTest::addRow("%s, projector", name) << monteCarlo << true;
    };
    rows("points", true);
    rows("needles", false);
}

void TestExperiments::markColours()
{
    QFETCH(bool, monteCarlo);
    QFETCH(bool, projector);
    const platform::Marks marks = projector ? platform::projectorMarks() : platform::designMarks();
    platform::setMarks(marks);
    std::unique_ptr<ExperimentWindow> w(monteCarlo ? static_cast<ExperimentWindow*>(new Form19) : new Form20);
    explain(*w);
    // Points: (1000, 1000) inside, (600, 600) outside, both clear of the
    // figure (2001 * 0.25 + 500 = 1000.25). Needles: one up from 1250 to
    // a line, one flat between lines.
    const QPointF hit = monteCarlo ? QPointF(1000, 1000) : QPointF(1199.5, 1125);
    const QPointF miss = monteCarlo ? QPointF(600, 600) : QPointF(1325, 1250);
    push(monteCarlo ? QList<float>{0.25f, 0.25f, 0.05f, 0.05f} : upFrom1250 + flatAt1250);
    experiment(*w, "10", 3);
    platform::setMarks(platform::designMarks());
    const QImage& image = w->Picture1->image();
    const QPoint at = w->Picture1->toPixel(hit.x(), hit.y());
    const QRgb hitColour = platform::toQColor(marks.hit).rgb();
    QCOMPARE(image.pixel(at), hitColour);
    QCOMPARE(image.pixel(at + QPoint(1, 0)) == hitColour, projector);
    bool missSeen = false;
    const QPoint near = w->Picture1->toPixel(miss.x(), miss.y());
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            missSeen = missSeen || image.pixel(near + QPoint(dx, dy)) == platform::toQColor(marks.miss).rgb();
    QVERIFY(missSeen);
}

void TestExperiments::monteCarloPageColours()
{
    Form19 w;
    explain(w);
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

void TestExperiments::everyNeedleCrosses()
{
    Form20 w;
    explain(w);
    push(times(10, upFrom1250));
    experiment(w, "10");
    QCOMPARE(w.Label1->text(), QStringLiteral("落とした針の総数＝ 10 /  10"));
    QCOMPARE(w.Label2->text(), QStringLiteral("直線と交わった針の本数＝ 10"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝1.00000000000000"));
}

void TestExperiments::thirtyTwoOfHundred()
{
    Form20 w;
    explain(w);
    push(times(32, flatOn1500) + times(68, upFrom250));
    experiment(w, "100");
    QCOMPARE(w.Label1->text(), QStringLiteral("落とした針の総数＝ 100 /  100"));
    QCOMPARE(w.Label2->text(), QStringLiteral("直線と交わった針の本数＝ 32"));
    QCOMPARE(w.Label3->text(), QStringLiteral("π＝3.12500000000000"));
    QVERIFY(services->rndValues.empty());
}

void TestExperiments::linesAndNeedlePixels()
{
    Form20 w;
    explain(w);
    push(flatAt1250 + flatOn1500 + upFrom250);
    experiment(w, "10", 3);

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

// Row 16 of the page, the heading of the proof, is light blue, and only it.
void TestExperiments::buffonProofHeading()
{
    Form20 w;
    explain(w);
    experiment(w, "10");
    w.Hide();
    explain(w);
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

QTEST_MAIN(TestExperiments)
#include "tst_experiments.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form18.h"

#include "rules/PolygonRules.h"
#include "platform/Navigation.h"
#include "platform/Page.h"
#include "platform/Run.h"
#include "platform/Services.h"
#include "platform/accessible/Narrator.h"

#include <QTimer>

using namespace platform;

namespace {

constexpr rt::Colour lightGrey = 0xC0C0C0;

// Twips per drawing unit on both axes: the 5140-twip drawing area is about
// 639.4 units each way and a circle stays round.
constexpr double twipsPerUnit = 8.0390625;

QString sideCountText(std::int64_t k)
{
    return QString::fromStdString(rt::Str(k));
}

// The explanation page, paragraph by paragraph (see PrintedPage).
const PrintedPage explanation = {"Form18", {
    "",
    QT_TRANSLATE_NOOP("Form18", "　　　正多角形を円に内接させて、その辺の数を、\n　　だんだん大きくしていくことによって、円周の\n　　長さを計算する方法が、昔から円周率πの近\n　　似値の計算に用いられていました。"),
    QT_TRANSLATE_NOOP("Form18", "　　　半径 ｒ の円の円周を ｓ とすると、"),
    QT_TRANSLATE_NOOP("Form18", "{12|　　　　ｓ＝２πｒ}　･･････････　①"),
    QT_TRANSLATE_NOOP("Form18", "　　が成り立ちます。"),
    QT_TRANSLATE_NOOP("Form18", "　　　この円に内接する正n角形の周の長さ ｕ は、\n　　ｎ をだんだん大きくしていくと、"),
    QT_TRANSLATE_NOOP("Form18", "{12|　　　　ｓ≒ｕ}　･･････････　②"),
    QT_TRANSLATE_NOOP("Form18", "　　　が成立すると考えられます。"),
    QT_TRANSLATE_NOOP("Form18", "　　　よって、②を①に代入すると、"),
    QT_TRANSLATE_NOOP("Form18", "{12|　　　　π≒ｕ÷(２ｒ)}　･･････････　③"),
    QT_TRANSLATE_NOOP("Form18", "　　となります。"),
    QT_TRANSLATE_NOOP("Form18", "　　　③より、ｕ を求めれば円周率πの近似値\n　　がわかるというわけです。"),
}};

const Twips area{5295, 1995, 5490, 7560};

} // namespace

platform::Twips Form18::designArea() { return area; }

Form18::Form18()
    : Form("Form18", tr("円の内接正多角形の周の長さからπの近似値を求める"), area, lightGrey)
{
    Command1 = new CommandButton(this, "Command1", tr("終了"), {0, 0, 855, 375});
    Command3 = new CommandButton(this, "Command3", tr("メニュー"), {840, 0, 855, 375});
    Command4 = new CommandButton(this, "Command4", tr("中止"), {1680, 0, 855, 375});
    Command6 = new CommandButton(this, "Command6", tr("解説"), {3000, 0, 855, 375}, false);
    Command2 = new CommandButton(this, "Command2", tr("自動"), {3840, 0, 855, 375}, false);
    Command5 = new CommandButton(this, "Command5", tr("手動"), {4680, 0, 855, 375});
    Line1 = new Line(this, "Line1", 0, 360, 9240, 360, rt::QBColor(0));
    Picture1 = new PictureBox(this, "Picture1", {120, 480, 5200, 5200},
                              {.twipsPerUnitX = twipsPerUnit, .twipsPerUnitY = twipsPerUnit});
    MMControl1 = new MMControl(this);

    const LabelStyle result{.points = 12, .alignment = Alignment::Center, .borderStyle = BorderStyle::FixedSingle,
                            .background = lightGrey};
    const LabelStyle hint{.points = 12, .alignment = Alignment::Center, .borderStyle = BorderStyle::None,
                          .foreColor = 0xFF0000, .stopHint = true};
    Label1 = new Label(this, "Label1", QString(), {480, 5880, 4575, 375}, result);
    Label2 = new Label(this, "Label2", QString(), {480, 6480, 4575, 375}, result);
    Label3 = new Label(this, "Label3", QString(), {600, 7080, 4335, 255}, hint);

    connect(Command1, &QPushButton::clicked, this, &Form18::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form18::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form18::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form18::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form18::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form18::Command6_Click);

    setTabOrder({Command1, Command3, Command4, Command5, Command2, Command6});
    setFocusFlow({Command6, Command2, Command5, Command4});
}

void Form18::Form_Activate()
{
    Command1->setEnabled(true);
    Command3->setEnabled(true);
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    Command6->setEnabled(true);
    SideCount = 2;
}

void Form18::Command1_Click()
{
    ConfirmQuit(this, *MMControl1);
}

void Form18::Command2_Click()
{
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(true);
    Command5->setEnabled(false);
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Picture1->Cls();
    PlayCue(*MMControl1, clickCue);

    const QString answer = InputBox(this, tr("正何角形まで見ますか？（３以上の自然数を入力してください．．．）"),
                                    tr("正何角形までの設定"), 1000);
    // Letters and other text that is no number count as a cancelled box.
    const std::optional<double> n = replyValue(answer);
    if (!n) {
        Refused(this, answer);
        Command1->setEnabled(true);
        Command3->setEnabled(true);
        Command2->setEnabled(true);
        Command5->setEnabled(true);
        Command4->setEnabled(false);
        return;
    }

    std::optional<Run> run;
    if (*n < 3)
        Refused(this, answer);
    if (*n >= 3) {
        const double last = rt::Int(*n);
        setMousePointer(vbArrowHourglass);
        run.emplace(*this, compare::Method::Polygon);
        SideCount = 2;
        Label3->setCaption(tr("［中止］をクリックすると止まります．．．"));
        while (double(SideCount) < last) {
            DoEvents();
            if (StopFlag == 1) {
                StopFlag = 0;
                Label3->setCaption(QString());
                break;
            }
            Picture1->Cls();
            const double value = PolygonStep(Mode::Automatic);
            run->step(SideCount, value, Run::Precision::Double);
        }
    }

    PlayEndOfRunCue(*MMControl1, endOfRunCue);
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Command5->setEnabled(true);
    Command4->setEnabled(false);
    setMousePointer(vbDefault);
    if (run)
        run->close();
}

void Form18::Command3_Click()
{
    BackToMenu(*this, *MMControl1);
    Command2->setEnabled(true);
    Command5->setEnabled(false);
    Picture1->Cls();
}

void Form18::Command4_Click()
{
    Command4->setEnabled(false);
    StopFlag = 1;
    PlayCue(*MMControl1, clickCue);
}

void Form18::Command5_Click()
{
    PlayCue(*MMControl1, clickCue);
    Picture1->Cls();
    // A manual step is a run of one step: whoever listens to runs (the
    // narrator, lesson mode's trace) hears of it as of any run.
    const bool automatic = Command2->isEnabled();
    Run run(*this, compare::Method::Polygon);
    const double value = PolygonStep(Mode::Manual);
    run.step(SideCount, value, Run::Precision::Double);
    run.close();
    // Said once, when 自動 comes with the 11-gon; after the step's own
    // outcome, which the narrator says as the run closes.
    if (!automatic && Command2->isEnabled())
        QTimer::singleShot(autoAvailableDelayMs, this, [this] {
            if (Command2->isEnabled())
                narrator::announce(this, tr("「自動」が使えます"));
        });
}

void Form18::Command6_Click()
{
    Command2->setEnabled(false);
    Command5->setEnabled(true);
    Command6->setEnabled(false);
    PlayCue(*MMControl1, clickCue);
    Picture1->Cls();
    Picture1->setFontSize(12);
    PrintPage(*Picture1, explanation);
}

double Form18::PolygonStep(Mode mode)
{
    for (const polygon::Point& dot : polygon::circleDots())
        Picture1->PSet(dot.x, dot.y, rt::QBColor(1));

    ++SideCount;
    const std::int64_t k = SideCount;
    if (mode == Mode::Manual && k > 10)
        Command2->setEnabled(true);
    Label1->setCaption(tr("正%1角形").arg(sideCountText(k)));
    Picture1->setDescription(tr("円に内接する正%1角形").arg(k));

    const double v = polygon::halfPerimeter(k);
    if (mode == Mode::Automatic)
        Label2->setCaption(tr("πの近似値＝%1", "a number without a leading blank").arg(Format14(v)));
    else
        Label2->setCaption(tr("πの近似値＝%1", "a number after its sign's blank").arg(Str(v)));

    const rt::Colour lightRed = rt::QBColor(12);
    const std::vector<polygon::Point> vertices = polygon::polygonVertices(k);
    Picture1->PSet(vertices.front().x, vertices.front().y, lightRed);
    for (std::size_t i = 1; i < vertices.size(); ++i)
        Picture1->Line(vertices[i].x, vertices[i].y, lightRed);
    return v;
}

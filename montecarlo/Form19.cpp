// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form19.h"

#include "MonteCarloRules.h"
#include "platform/Cues.h"
#include "platform/Services.h"

#include <vector>

using namespace platform;

namespace {

const char* const stopHint = QT_TRANSLATE_NOOP("Form19", "［中止］をクリックすると止まります．．．");

constexpr LabelStyle resultStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                                 .borderStyle = BorderStyle::FixedSingle};
constexpr LabelStyle estimateStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                                   .borderStyle = BorderStyle::FixedSingle, .foreColor = 0x0000FF};
constexpr LabelStyle hintStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                               .borderStyle = BorderStyle::None, .foreColor = 0xFF0000, .stopHint = true};

// The explanation page, paragraph by paragraph (see PrintedPage).
const PrintedPage explanation = {"Form19", {
    "",
    QT_TRANSLATE_NOOP("Form19", "　　　確率を利用して図形の面積や体積を求める\n　　方法を{12|モンテカルロ法}といいます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　平面上に、一辺の長さ ２ｒ の正方形とそれ\n　　に内接する半径 ｒ の円を描いておきます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　この正方形内にｎ個の点をデタラメに打ちま\n　　す。このうち、円内にｍ個の点が打たれている\n　　とすると、"),
    QT_TRANSLATE_NOOP("Form19", "　　　比例式　正方形の面積：円の面積＝ｎ：ｍ が\n　　成立すると考えられます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　よって、"),
    QT_TRANSLATE_NOOP("Form19", "{12|　　　　２ｒ×２ｒ ： π×ｒ×ｒ ＝ ｎ ： ｍ}　･･･････　①"),
    QT_TRANSLATE_NOOP("Form19", "　　が成り立ちます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　①より、"),
    QT_TRANSLATE_NOOP("Form19", "{12|　　　　π≒(４ｍ)÷ｎ}　･･････････　②"),
    QT_TRANSLATE_NOOP("Form19", "　　となります。"),
    QT_TRANSLATE_NOOP("Form19", "　　　②より、ｎ と ｍ を実験で求めれば円周率π\n　　の近似値がわかるというわけです。"),
}};

} // namespace

Form19::Form19()
    : Form("Form19", tr("モンテカルロ法を利用してπの近似値を求める"), {4965, 1500, 5535, 7860})
{
    Command1 = new CommandButton(this, "Command1", tr("終了"), {0, 0, 855, 375});
    Command3 = new CommandButton(this, "Command3", tr("メニュー"), {840, 0, 855, 375});
    Command4 = new CommandButton(this, "Command4", tr("中止"), {1680, 0, 855, 375}, false);
    Command5 = new CommandButton(this, "Command5", tr("解説"), {3720, 0, 855, 375}, false);
    Command2 = new CommandButton(this, "Command2", tr("実験"), {4560, 0, 975, 375});
    Line1 = new Line(this, "Line1", 0, 360, 5520, 360, rt::QBColor(0));
    // 3000 x 3000 units over the 5235 x 4875-twip interior.
    Picture1 = new PictureBox(this, "Picture1", {120, 480, 5295, 4935},
                              {.twipsPerUnitX = 1.745, .twipsPerUnitY = 1.625});
    MMControl1 = new MMControl(this);
    Label1 = new Label(this, "Label1", QString(), {360, 5760, 4815, 375}, resultStyle);
    Label2 = new Label(this, "Label2", QString(), {360, 6240, 4815, 375}, resultStyle);
    Label3 = new Label(this, "Label3", QString(), {360, 6720, 4815, 375}, estimateStyle);
    Label4 = new Label(this, "Label4", QString(), {360, 7200, 4815, 375}, hintStyle);

    connect(Command1, &QPushButton::clicked, this, &Form19::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form19::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form19::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form19::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form19::Command5_Click);

    setTabOrder({Command1, Command3, Command2, Command4, Picture1, Command5});
    setFocusFlow({Command5, Command2, Command4});
}

void Form19::Form_Activate()
{
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(true);
}

void Form19::Command1_Click()
{
    ConfirmQuit(this, *MMControl1);
}

void Form19::drawFigure()
{
    const rt::Colour lightBlue = rt::QBColor(9);
    for (const montecarlo::Point& dot : montecarlo::circleDots())
        Picture1->PSet(dot.x, dot.y, lightBlue);
    Picture1->Line(500, 500, 2500, 500, lightBlue);
    Picture1->Line(2500, 2500, lightBlue);
    Picture1->Line(500, 2500, lightBlue);
    Picture1->Line(500, 500, lightBlue);
}

void Form19::Command2_Click()
{
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(true);
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
    PlayCue(*MMControl1, clickCue);

    const QString reply = InputBox(this, tr("何個の点を打ちますか？（１０以上、１００００以下の自然数を入力してください．．．）"),
                                   tr("打つ点の個数の設定"), 100);
    // Text that is not a number is refused like an empty reply.
    const std::optional<double> value = replyValue(reply);
    if (!value || *value < 10 || *value > 10000) {
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        Command3->setEnabled(true);
        Command4->setEnabled(false);
        return;
    }
    PointTotal = rt::Int(*value);

    Picture1->Cls();
    setMousePointer(vbArrowHourglass);
    Label4->setCaption(Form19::tr(stopHint));
    InsideCount = 0;

    const std::int16_t last = rt::CInt(PointTotal);
    const QString ofTotal = QStringLiteral(" / ") + Str(PointTotal);
    const QString thrown = tr("打った点の総数＝%1", "a number after its sign's blank");
    const QString inside = tr("円の内に入った点の個数＝%1", "a number after its sign's blank");
    const QString pi = tr("π＝%1", "a number without a leading blank");
    for (PointIndex = 1; PointIndex <= last; ++PointIndex) {
        drawFigure();
        DoEvents();
        if (StopFlag == 1) {
            StopFlag = 0;
            Label4->setCaption(QString());
            break;
        }
        Randomize(Timer());
        const float r1 = Rnd();
        const float r2 = Rnd();
        const montecarlo::Point point = montecarlo::pointFrom(r1, r2);
        rt::Colour colour;
        if (montecarlo::isInside(point)) {
            ++InsideCount;
            colour = rt::QBColor(12);
        } else {
            colour = rt::QBColor(2);
        }
        Picture1->Circle(point.x, point.y, montecarlo::markRadius, colour);

        Label1->setCaption(thrown.arg(Str(PointIndex) + ofTotal));
        Label2->setCaption(inside.arg(Str(InsideCount)));
        Label3->setCaption(pi.arg(Format14(montecarlo::estimate(InsideCount, PointIndex))));
        Picture1->setDescription(tr("打った点 %1 個、円の内 %2 個").arg(PointIndex).arg(InsideCount));
    }

    PlayEndOfRunCue(*MMControl1, endOfRunCue);
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Command4->setEnabled(false);
    setMousePointer(vbDefault);
}

void Form19::Command3_Click()
{
    BackToMenu(*this, *MMControl1);
    Command2->setEnabled(true);
    Picture1->Cls();
}

void Form19::Command4_Click()
{
    Command4->setEnabled(false);
    StopFlag = 1;
    PlayCue(*MMControl1, clickCue);
}

void Form19::Command5_Click()
{
    Command2->setEnabled(true);
    Command5->setEnabled(false);
    PlayCue(*MMControl1, clickCue);
    Picture1->Cls();
    Picture1->setFontSize(12);
    PrintPage(*Picture1, explanation);
}

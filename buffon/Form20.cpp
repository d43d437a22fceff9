// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form20.h"

#include "NeedleRules.h"
#include "platform/Cues.h"
#include "platform/Services.h"

#include <vector>

using namespace platform;

namespace {

const char* const stopHint = QT_TRANSLATE_NOOP("Form20", "［中止］をクリックすると止まります．．．");

constexpr LabelStyle resultStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                                 .borderStyle = BorderStyle::FixedSingle};
constexpr LabelStyle estimateStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                                   .borderStyle = BorderStyle::FixedSingle, .foreColor = 0x0000FF};
constexpr LabelStyle hintStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                               .borderStyle = BorderStyle::None, .foreColor = 0xFF0000, .stopHint = true};

// The explanation page, paragraph by paragraph (see PrintedPage).
const PrintedPage explanation = {"Form20", {
    "",
    QT_TRANSLATE_NOOP("Form20", "{12|　　　ビュホン}(Buffon 1707-1788)は、針を投げて\n　　円周率πを求めました。"),
    QT_TRANSLATE_NOOP("Form20", "　　　平面上に、幅２ａの間隔で平行線を無数に引\n　　いておきます。この平面上に長さ２ｂの針を落\n　　とすと、この針が平行線と交わる確率Ｐは、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　Ｐ＝(２ｂ)÷(ａπ)}　･･････････　①"),
    QT_TRANSLATE_NOOP("Form20", "　　となります。ただし、ｂ＜ａ　とします。"),
    QT_TRANSLATE_NOOP("Form20", "　　　平面上にたくさんの針を落としたとき、平行線\n　　に交わった針の本数の相対度数を ｒ とすると、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　ｒ≒ｐ}　･･････････　②　と考えられます。"),
    QT_TRANSLATE_NOOP("Form20", "　　　①、②より、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　π≒(２ｂ)÷(ａｒ)}　･･････････　③　となります。"),
    QT_TRANSLATE_NOOP("Form20", "　　　③より、相対度数 ｒ を実験で求めれば円周率\n　　πの近似値がわかるというわけです。"),
    QT_TRANSLATE_NOOP("Form20", "{9|　＜①の証明の概略＞}"),
    QT_TRANSLATE_NOOP("Form20", "　　　針の中心から最も近い平行線までの距離をｙ、\n　　針と平行線のなす角をθとします。"),
    QT_TRANSLATE_NOOP("Form20", "　　　このとき、０≦ｙ≦ａ、０≦θ≦π です。"),
    QT_TRANSLATE_NOOP("Form20", "　　　針が平行線と交わる条件は、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　ｘ≦ｂｓｉｎθ}　が成り立つことです。"),
}};

} // namespace

Form20::Form20()
    : Form("Form20", tr("ビュホンの針を利用してπの近似値を求める"), {4800, 1335, 5535, 8070})
{
    Command1 = new CommandButton(this, "Command1", tr("終了"), {0, 0, 855, 375});
    Command3 = new CommandButton(this, "Command3", tr("メニュー"), {840, 0, 855, 375});
    Command4 = new CommandButton(this, "Command4", tr("中止"), {1680, 0, 855, 375}, false);
    Command5 = new CommandButton(this, "Command5", tr("解説"), {3720, 0, 855, 375}, false);
    Command2 = new CommandButton(this, "Command2", tr("実験"), {4560, 0, 975, 375});
    Line1 = new Line(this, "Line1", 0, 360, 5520, 360, rt::QBColor(0));
    // 3000 x 3000 units over the 5235-twip square interior.
    Picture1 = new PictureBox(this, "Picture1", {120, 480, 5295, 5295},
                              {.twipsPerUnitX = 1.745, .twipsPerUnitY = 1.745});
    Label1 = new Label(this, "Label1", QString(), {360, 6000, 4815, 375}, resultStyle);
    Label2 = new Label(this, "Label2", QString(), {360, 6480, 4815, 375}, resultStyle);
    Label3 = new Label(this, "Label3", QString(), {360, 6960, 4815, 375}, estimateStyle);
    Label4 = new Label(this, "Label4", QString(), {360, 7440, 4815, 375}, hintStyle);
    MMControl1 = new MMControl(this);

    connect(Command1, &QPushButton::clicked, this, &Form20::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form20::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form20::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form20::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form20::Command5_Click);

    setTabOrder({Command1, Command3, Command4, Command2, Picture1, Command5});
    setFocusFlow({Command5, Command2, Command4});
}

void Form20::Form_Activate()
{
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
    Label4->setCaption(QString());
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(true);
}

void Form20::Command1_Click()
{
    ConfirmQuit(this, *MMControl1);
}

void Form20::Command2_Click()
{
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(true);
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
    PlayCue(*MMControl1, clickCue);

    const QString reply = InputBox(this, tr("何本の針を落としますか？（１０以上、２００００以下の自然数を入力してください．．．）"),
                                   tr("落とす針の本数の設定"), 100);
    // Text that is not a number is refused like an empty reply.
    const std::optional<double> value = replyValue(reply);
    if (!value || *value < 10 || *value > 20000) {
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        Command3->setEnabled(true);
        Command4->setEnabled(false);
        return;
    }
    const double NeedleTotal = rt::Int(*value);

    Picture1->Cls();
    setMousePointer(vbArrowHourglass);
    Label4->setCaption(Form20::tr(stopHint));
    CrossCount = 0;

    for (int line : buffon::ruledLines)
        Picture1->Line(0, float(line), float(buffon::fieldSize), float(line), rt::QBColor(9));

    const std::int16_t last = rt::CInt(NeedleTotal);
    const QString ofTotal = QStringLiteral(" / ") + Str(NeedleTotal);
    const QString dropped = tr("落とした針の総数＝%1", "a number after its sign's blank");
    const QString crossing = tr("直線と交わった針の本数＝%1", "a number after its sign's blank");
    const QString pi = tr("π＝%1", "a number without a leading blank");
    for (NeedleIndex = 1; NeedleIndex <= last; ++NeedleIndex) {
        Randomize(Timer());
        const float r1 = Rnd();
        const float r2 = Rnd();
        const float r3 = Rnd();
        const buffon::Needle needle = buffon::needleFrom(r1, r2, r3);
        StartX = needle.startX;
        StartY = needle.startY;
        EndX = needle.endX;
        EndY = needle.endY;

        rt::Colour NeedleColour;
        if (buffon::meetsLine(StartY, EndY)) {
            ++CrossCount;
            NeedleColour = rt::QBColor(12);
        } else {
            NeedleColour = rt::QBColor(2);
        }
        Picture1->Line(StartX, StartY, EndX, EndY, NeedleColour);

        DoEvents();
        if (StopFlag == 1) {
            StopFlag = 0;
            Label4->setCaption(QString());
            break;
        }

        Label1->setCaption(dropped.arg(Str(NeedleIndex) + ofTotal));
        Label2->setCaption(crossing.arg(Str(CrossCount)));
        Picture1->setDescription(tr("平行線と落とした針 %1 本、線と交わった針 %2 本").arg(NeedleIndex).arg(CrossCount));
        if (CrossCount != 0)
            Label3->setCaption(pi.arg(Format14(buffon::estimate(NeedleIndex, CrossCount))));
    }

    PlayEndOfRunCue(*MMControl1, endOfRunCue);
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Command4->setEnabled(false);
    Label4->setCaption(QString());
    setMousePointer(vbDefault);
}

void Form20::Command3_Click()
{
    BackToMenu(*this, *MMControl1);
    Command2->setEnabled(true);
    Picture1->Cls();
}

void Form20::Command4_Click()
{
    Command4->setEnabled(false);
    StopFlag = 1;
    PlayCue(*MMControl1, clickCue);
}

void Form20::Command5_Click()
{
    Command2->setEnabled(true);
    Command5->setEnabled(false);
    PlayCue(*MMControl1, clickCue);
    Picture1->Cls();
    Picture1->setFontSize(12);
    PrintPage(*Picture1, explanation);
}

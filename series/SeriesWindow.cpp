// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeriesWindow.h"

#include "platform/Navigation.h"
#include "platform/Page.h"
#include "platform/Run.h"
#include "platform/Services.h"
#include "platform/accessible/Narrator.h"

#include <QCoreApplication>

namespace series {

using namespace platform;

namespace {
constexpr rt::Colour white = 0xFFFFFF;
constexpr rt::Colour black = 0x000000;
constexpr rt::Colour red = 0x0000FF;
constexpr rt::Colour blue = 0xFF0000;

QString seriesText(const char* source)
{
    return QCoreApplication::translate("Series", source);
}
} // namespace

SeriesWindow::SeriesWindow(const SeriesVariant& variant)
    : Form(variant.name, seriesText(variant.caption), variant.layout.clientArea, variant.layout.background)
    , variant_(variant)
{
    const Layout& at = variant.layout;
    Command1 = new CommandButton(this, "Command1", tr("終了"), at.command1);
    Command3 = new CommandButton(this, "Command3", tr("メニュー"), at.command3);
    Command2 = new CommandButton(this, "Command2", tr("計　　算"), at.command2, false);
    Command6 = new CommandButton(this, "Command6", tr("中止"), at.command6);
    Command5 = new CommandButton(this, "Command5", tr("次へ"), at.command5);
    Line1 = new Line(this, "Line1", 0, 360, at.line1X2, 360);
    Picture1 = new PictureBox(this, "Picture1", at.picture1, {.fontPoints = at.picture1Points});
    Shape1 = new Shape(Picture1, "Shape1", at.shape1, blue);
    Picture2 = new PictureBox(Picture1, "Picture2", at.picture2, {.border = false});
    Label3 = new Label(Picture1, "Label3", QString(), at.label3,
                       {.points = at.label3Points, .alignment = Alignment::Center, .background = white, .foreColor = red});
    Label2 = new Label(Picture1, "Label2", QString(), at.label2,
                       {.points = 12, .alignment = Alignment::Center, .background = white, .foreColor = black});
    Label1 = new Label(Picture1, "Label1", QString(), at.label1,
                       {.points = 12, .alignment = Alignment::Center, .background = white, .foreColor = blue,
                        .stopHint = true});
    Label2->setSpokenCaption(tr("計算した項"));
    MMControl1 = new MMControl(this);

    // The box may show less than the whole bitmap; keep the formula inside
    // the part that is seen.
    formulaImage_ = formula::render(variant.formula, variant.formulaSize, Picture2->drawingArea().height());
    Picture2->setPicture(formulaImage_);

    connect(Command1, &QPushButton::clicked, this, &SeriesWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SeriesWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &SeriesWindow::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &SeriesWindow::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &SeriesWindow::Command6_Click);

    // The formula is a stop before the page that says "the formula above".
    Picture2->setFocusPolicy(Qt::TabFocus);
    setTabOrder({Command1, Command3, Command2, Command6, Command5, Picture2, Picture1});
    setFocusFlow({Command5, Command2, Command6});
}

void SeriesWindow::Form_Activate()
{
    Command6->setEnabled(false);
    Picture1->Cls();
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
}

void SeriesWindow::Command1_Click()
{
    ConfirmQuit(this, *MMControl1);
}

void SeriesWindow::Command5_Click()
{
    if (variant_.explanationClears) {
        Picture1->Cls();
        Label2->setCaption(QString());
        Label3->setCaption(QString());
    }
    PlayCue(*MMControl1, clickCue);
    Picture1->setFontSize(11);
    Picture1->Cls();
    for (int line = 0; line < 6; ++line)
        Picture1->Print();
    Picture1->setForeColor(rt::QBColor(0));
    PrintParagraph(*Picture1, "Series", variant_.openingLine);
    Picture1->Print();
    Picture1->setForeColor(rt::QBColor(0));
    PrintParagraph(*Picture1, "Series", QT_TRANSLATE_NOOP("Series", "　　　　この公式を使って、パソコンでπを計算してみましょう。"));
    Picture1->setForeColor(rt::QBColor(1));
    Picture1->Print();
    PrintParagraph(*Picture1, "Series", QT_TRANSLATE_NOOP("Series", "　　　　正しいπの近似値 3.1415926535897932･･･ と比べてみまょう。"));
    Picture1->setForeColor(rt::QBColor(2));
    Picture1->Print();
    PrintParagraph(*Picture1, "Series", QT_TRANSLATE_NOOP("Series", "　　　　【計算】をクリックしてください。"));
    Picture1->setForeColor(rt::QBColor(0));
    Command2->setEnabled(true);
    Command5->setEnabled(false);
}

void SeriesWindow::Command2_Click()
{
    switch (variant_.lock) {
    case Lock::OnceCountSettled:
        Command6->setEnabled(true);
        Command2->setEnabled(false);
        break;
    case Lock::OnceAnswered:
        break;
    case Lock::AtClick:
        Command1->setEnabled(false);
        Command2->setEnabled(false);
        Command3->setEnabled(false);
        Command5->setEnabled(false);
        Command6->setEnabled(true);
        StopFlag = 0;
        break;
    }
    PlayCue(*MMControl1, clickCue);
    const QString answer = InputBox(this, seriesText(variant_.prompt), seriesText(variant_.title), variant_.defaultCount);
    if (variant_.lock == Lock::OnceAnswered) {
        Command1->setEnabled(false);
        Command2->setEnabled(false);
        Command3->setEnabled(false);
        Command5->setEnabled(false);
        Command6->setEnabled(true);
    }

    // A reply that is not a number is taken as a cancelled box.
    const std::optional<double> reply = replyValue(answer);
    if (!reply) {
        Refused(this, answer);
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        Command3->setEnabled(true);
        Command5->setEnabled(variant_.cancelOffersExplanation);
        Command6->setEnabled(false);
        return;
    }
    double n = *reply;
    if (n < 2) {
        n = variant_.defaultCount;
        Picture1->Print();
        Beep();
        PrintParagraph(*Picture1, "Series", variant_.notice);
        // The beep says something changed; the reader says what.
        platform::narrator::announce(this, QCoreApplication::translate("Series", variant_.notice).trimmed());
    }
    if (variant_.lock == Lock::OnceCountSettled) {
        Command1->setEnabled(false);
        Command3->setEnabled(false);
        Command2->setEnabled(false);
        Command5->setEnabled(false);
        Command6->setEnabled(true);
    }
    setMousePointer(vbArrowHourglass);
    Run run(*this, variant_.method);
    const Rule& rule = variant_.rule;
    State state = rule.start;
    Label1->setCaption(tr("［中止］をクリックすると止まります．．．"));
    n = rt::Int(n);

    const LoopRange range = rule.range(n);
    bool stopped = false;
    // What the counter and the result show, for the run.
    std::int64_t shownTerm = 0;
    std::optional<double> shownValue;
    // Each step is told once: a pass stopped short shows no new step, or
    // one that the end of the run tells.
    std::optional<std::int64_t> toldTerm;
    const auto tellRun = [&] {
        if (toldTerm == shownTerm)
            return;
        toldTerm = shownTerm;
        if (shownValue)
            run.step(shownTerm, *shownValue, Run::Precision::Double);
        else
            run.step(shownTerm);
    };
    for (double i = range.first; i <= range.last && !stopped; i += range.step) {
        for (Step step : variant_.passOrder) {
            switch (step) {
            case Step::Yield:
                DoEvents();
                break;
            case Step::StopCheck:
                if (StopFlag == 1) {
                    if (variant_.afterStop != AfterStop::StopPending)
                        StopFlag = 0;
                    if (variant_.afterStop == AfterStop::StopAndHintForgotten)
                        Label1->setCaption(QString());
                    stopped = true;
                }
                break;
            case Step::Counter:
                shownTerm = std::int64_t(rule.counter(i, n));
                Label2->setCaption(counterText(rule.counter(i, n), n));
                break;
            case Step::Update:
                rule.update(state, i);
                break;
            case Step::Result:
                shownValue = rule.result(state);
                Label3->setCaption(resultText(state));
                break;
            }
            if (stopped)
                break;
        }
        if (!stopped)
            tellRun();
    }

    PlayEndOfRunCue(*MMControl1, endOfRunCue);
    shownValue = rule.result(state);
    Label3->setCaption(resultText(state));
    tellRun();
    Command2->setEnabled(false);
    setMousePointer(vbDefault);
    Label1->setCaption(QString());
    Command1->setEnabled(true);
    Command3->setEnabled(true);
    Command5->setEnabled(true);
    Command6->setEnabled(false);
    run.close();
}

void SeriesWindow::Command6_Click()
{
    Command6->setEnabled(false);
    Label1->setCaption(QString());
    StopFlag = 1;
    PlayCue(*MMControl1, clickCue);
}

void SeriesWindow::Command3_Click()
{
    BackToMenu(*this, *MMControl1);
    Command5->setEnabled(true);
    Command2->setEnabled(false);
    Label1->setCaption(QString());
}

QString SeriesWindow::counterText(double term, double n) const
{
    return tr("%1 / %2", "two numbers, each after its sign's blank").arg(Str(term), Str(n));
}

QString SeriesWindow::resultText(const State& state) const
{
    const double value = variant_.rule.result(state);
    if (variant_.plainResult)
        return tr("π＝%1", "a number without a leading blank").arg(Plain(value));
    return tr("π＝%1", "a number after its sign's blank").arg(Str(value));
}

} // namespace series

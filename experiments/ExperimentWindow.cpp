// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExperimentWindow.h"

#include "platform/Navigation.h"
#include "platform/Services.h"

#include <QCoreApplication>

namespace experiments {

using namespace platform;

namespace {
constexpr LabelStyle resultStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                                 .borderStyle = BorderStyle::FixedSingle};
constexpr LabelStyle estimateStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                                   .borderStyle = BorderStyle::FixedSingle, .foreColor = 0x0000FF};
constexpr LabelStyle hintStyle{.face = Face::Gothic, .points = 12, .alignment = Alignment::Center,
                               .borderStyle = BorderStyle::None, .foreColor = 0xFF0000, .stopHint = true};
constexpr int labelSpacing = 480;
} // namespace

ExperimentWindow::ExperimentWindow(const ExperimentDesign& design)
    : Form(design.name, QCoreApplication::translate(design.name, design.caption), design.clientArea)
    , design_(design)
{
    Command1 = new CommandButton(this, "Command1", tr("終了"), {0, 0, 855, 375});
    Command3 = new CommandButton(this, "Command3", tr("メニュー"), {840, 0, 855, 375});
    Command4 = new CommandButton(this, "Command4", tr("中止"), {1680, 0, 855, 375}, false);
    Command5 = new CommandButton(this, "Command5", tr("解説"), {3720, 0, 855, 375}, false);
    Command2 = new CommandButton(this, "Command2", tr("実験"), {4560, 0, 975, 375});
    Line1 = new Line(this, "Line1", 0, 360, 5520, 360, rt::QBColor(0));
    Picture1 = new PictureBox(this, "Picture1", design.picture1,
                              {.twipsPerUnitX = 1.745, .twipsPerUnitY = design.twipsPerUnitY});
    MMControl1 = new MMControl(this);
    const int top = design.firstLabelTop;
    Label1 = new Label(this, "Label1", QString(), {360, top, 4815, 375}, resultStyle);
    Label2 = new Label(this, "Label2", QString(), {360, top + labelSpacing, 4815, 375}, resultStyle);
    Label3 = new Label(this, "Label3", QString(), {360, top + 2 * labelSpacing, 4815, 375}, estimateStyle);
    Label4 = new Label(this, "Label4", QString(), {360, top + 3 * labelSpacing, 4815, 375}, hintStyle);

    connect(Command1, &QPushButton::clicked, this, &ExperimentWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, &ExperimentWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ExperimentWindow::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &ExperimentWindow::Command5_Click);

    if (design.startBeforeStop)
        setTabOrder({Command1, Command3, Command2, Command4, Picture1, Command5});
    else
        setTabOrder({Command1, Command3, Command4, Command2, Picture1, Command5});
    setFocusFlow({Command5, Command2, Command4});
}

QString ExperimentWindow::stopHint() const { return tr("［中止］をクリックすると止まります．．．"); }

void ExperimentWindow::Form_Activate()
{
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
    if (design_.activateClearsHint)
        Label4->setCaption(QString());
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(true);
}

void ExperimentWindow::Command1_Click()
{
    ConfirmQuit(this, *MMControl1);
}

std::optional<double> ExperimentWindow::askCount()
{
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(true);
    Label1->setCaption(QString());
    Label2->setCaption(QString());
    Label3->setCaption(QString());
    PlayCue(*MMControl1, clickCue);

    const QString reply = InputBox(this, QCoreApplication::translate(design_.name, design_.prompt),
                                   QCoreApplication::translate(design_.name, design_.title), 100);
    // Text that is not a number is refused like an empty reply.
    const std::optional<double> value = replyValue(reply);
    if (!value || *value < 10 || *value > design_.largest) {
        Refused(this, reply);
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        Command3->setEnabled(true);
        Command4->setEnabled(false);
        return std::nullopt;
    }
    return rt::Int(*value);
}

void ExperimentWindow::beginRun()
{
    Picture1->Cls();
    setMousePointer(vbArrowHourglass);
    Label4->setCaption(stopHint());
}

void ExperimentWindow::endRun()
{
    PlayEndOfRunCue(*MMControl1, endOfRunCue);
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Command4->setEnabled(false);
    setMousePointer(vbDefault);
}

void ExperimentWindow::Command3_Click()
{
    BackToMenu(*this, *MMControl1);
    Command2->setEnabled(true);
    Picture1->Cls();
}

void ExperimentWindow::Command4_Click()
{
    Command4->setEnabled(false);
    StopFlag = 1;
    PlayCue(*MMControl1, clickCue);
}

void ExperimentWindow::Command5_Click()
{
    Command2->setEnabled(true);
    Command5->setEnabled(false);
    PlayCue(*MMControl1, clickCue);
    Picture1->Cls();
    Picture1->setFontSize(12);
    PrintPage(*Picture1, design_.explanation);
}

} // namespace experiments

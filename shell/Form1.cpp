// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Form7.h"
#include "Windows.h"
#include "platform/Navigation.h"

using namespace platform;

namespace {
const Twips area{5775, 3300, 4545, 2985};
} // namespace

QString Form1::credit()
{
    return tr("制作　ソルヴェナ開発室");
}

platform::Twips Form1::designArea() { return area; }

Form1::Form1()
    : Form("Form1", tr("Sorvena %1", "the title bar: the name and the credit line").arg(credit()), area)
{
    Command1 = new CommandButton(this, "Command1", tr("終了"), {120, 0, 855, 375});
    Command2 = new CommandButton(this, "Command2", tr("次へ"), {3600, 0, 855, 375});
    Line1 = new Line(this, "Line1", 120, 360, 4320, 360, rt::QBColor(0));
    Shape1 = new Shape(this, "Shape1", {120, 480, 4335, 2415}, rt::QBColor(0));
    Label1 = new Label(this, "Label1", QStringLiteral("Sorvena"), {1080, 1080, 2175, 495},
                       {.face = Face::Mincho, .points = 20.25, .bold = true});
    Label2 = new Label(this, "Label2", QStringLiteral("v1"), {3240, 1200, 375, 255},
                       {.face = Face::Gothic, .points = 11.25, .bold = true});
    Label3 = new Label(this, "Label3", credit(), {720, 1920, 3255, 255},
                       {.face = Face::Mincho, .points = 11.25, .bold = true});
    MMControl1 = new MMControl(this);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    setTabOrder({Command1, Command2});
}

void Form1::Form_Activate()
{
    StartMusic(*MMControl1);
}

void Form1::Command1_Click()
{
    ConfirmQuit(this, *MMControl1, OnNo::RestartMusic);
}

void Form1::Command2_Click()
{
    MoveTo(*this, *MMControl1, shell::form7());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form7.h"

#include "Windows.h"
#include "charts/ChartsModule.h"
#include "experiments/Form19.h"
#include "experiments/Form20.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"

#include "platform/Navigation.h"
#include "rules/Convergence.h"

#include <QAction>
#include <QApplication>

using namespace platform;

namespace {
QString methodTitle(compare::Method method) { return QCoreApplication::translate("methods", compare::title(method)); }
const Twips area{5610, 1995, 4710, 5940};
} // namespace

platform::Twips Form7::designArea() { return area; }

Form7::Form7()
    : Form("Form7", QStringLiteral("Sorvena Menu"), area)
{
    Shape1 = new Shape(this, "Shape1", {120, 120, 4455, 5655}, rt::QBColor(0));
    Command1 = new CommandButton(this, "Command1", methodTitle(compare::Method::Polygon), {360, 360, 3975, 375});
    Command3 = new CommandButton(this, "Command3", methodTitle(compare::Method::MonteCarlo), {360, 960, 3975, 375});
    Command4 = new CommandButton(this, "Command4", methodTitle(compare::Method::Buffon), {360, 1560, 3975, 375});
    Command11 = new CommandButton(this, "Command11", methodTitle(compare::Method::Wallis), {360, 2160, 3975, 375});
    Command12 = new CommandButton(this, "Command12", methodTitle(compare::Method::Leibniz), {360, 2760, 3975, 375});
    Command13 = new CommandButton(this, "Command13", methodTitle(compare::Method::Euler), {360, 3360, 3975, 375});
    Command5 = new CommandButton(this, "Command5", methodTitle(compare::Method::Matsunaga1), {360, 3960, 3975, 375});
    Command6 = new CommandButton(this, "Command6", methodTitle(compare::Method::Matsunaga2), {360, 4560, 3975, 375});
    Command2 = new CommandButton(this, "Command2", tr("終　　　　　了"), {360, 5160, 3975, 375});
    MMControl1 = new MMControl(this);

    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form7::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form7::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form7::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form7::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form7::Command6_Click);
    connect(Command11, &QPushButton::clicked, this, &Form7::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Form7::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &Form7::Command13_Click);

    setTabOrder({Command2, Command5, Command6, Command11, Command12, Command13, Command1, Command3, Command4});

    // The comparison of the eight methods has no button on the menu's
    // design; a shortcut opens it, the window's context menu shows it with
    // its key, and the menu says so to a screen reader.
    auto* compare = new QAction(tr("8つの方法の収束を比べる…"), this);
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    compare->setShortcutContext(Qt::WindowShortcut);
    connect(compare, &QAction::triggered, this, [] {
        if (!charts::openComparison())
            QApplication::beep();
    });
    addAction(compare);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setAccessibleDescription(tr("Ctrl+K で、8つの方法の収束を比べるウィンドウが開きます。"));
}

void Form7::Command1_Click() { MoveTo(*this, *MMControl1, shell::form18()); }
void Form7::Command2_Click() { ConfirmQuit(this, *MMControl1, OnNo::RestartMusic); }
void Form7::Command3_Click() { MoveTo(*this, *MMControl1, shell::form19()); }
void Form7::Command4_Click() { MoveTo(*this, *MMControl1, shell::form20()); }
void Form7::Command5_Click() { MoveTo(*this, *MMControl1, shell::form9()); }
void Form7::Command6_Click() { MoveTo(*this, *MMControl1, shell::form10()); }
void Form7::Command11_Click() { MoveTo(*this, *MMControl1, shell::form15()); }
void Form7::Command12_Click() { MoveTo(*this, *MMControl1, shell::form16()); }
void Form7::Command13_Click() { MoveTo(*this, *MMControl1, shell::form17()); }

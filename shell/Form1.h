// SPDX-License-Identifier: GPL-3.0-or-later
// The title window: the program's name, a credit line and the tune.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"

class Form1 : public platform::Form {
    Q_OBJECT
public:
    Form1();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();

    static QString credit();

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command2; // 次へ
    platform::Line* Line1;
    platform::Shape* Shape1;
    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::MMControl* MMControl1;

    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Activate() override;
    QPushButton* quitButton() const override { return Command1; }
};

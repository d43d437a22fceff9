// SPDX-License-Identifier: GPL-3.0-or-later
// The method menu: one button per method and the quit button.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"

class Form7 : public platform::Form {
    Q_OBJECT
public:
    Form7();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();

    platform::CommandButton* Command1;  // polygons
    platform::CommandButton* Command3;  // Monte Carlo
    platform::CommandButton* Command4;  // Buffon's needle
    platform::CommandButton* Command11; // Wallis
    platform::CommandButton* Command12; // Gregory-Leibniz
    platform::CommandButton* Command13; // Euler
    platform::CommandButton* Command5;  // Matsunaga 1
    platform::CommandButton* Command6;  // Matsunaga 2
    platform::CommandButton* Command2;  // quit
    platform::Shape* Shape1;
    platform::MMControl* MMControl1;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();

protected:
    QPushButton* quitButton() const override { return Command2; }
};

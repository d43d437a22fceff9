// SPDX-License-Identifier: GPL-3.0-or-later
// The Buffon's needle window: needles of half the line spacing dropped on
// five ruled lines; dropped / crossed estimates pi.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/PictureBox.h"

#include <cstdint>

class Form20 : public platform::Form {
    Q_OBJECT
public:
    Form20();

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command3; // メニュー
    platform::CommandButton* Command4; // 中止
    platform::CommandButton* Command5; // 解説
    platform::CommandButton* Command2; // 実験
    platform::Line* Line1;
    platform::PictureBox* Picture1;
    platform::Label* Label1; // needles dropped
    platform::Label* Label2; // needles that met a line
    platform::Label* Label3; // the estimate
    platform::Label* Label4; // the stop hint
    platform::MMControl* MMControl1;

    std::int16_t StartX = 0;
    std::int16_t StartY = 0;
    std::int16_t EndX = 0;
    std::int16_t EndY = 0;
    std::int16_t StopFlag = 0;
    std::int16_t NeedleIndex = 0;
    std::int16_t CrossCount = 0;

    void Form_Activate() override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

protected:
    QPushButton* quitButton() const override { return Command1; }
};

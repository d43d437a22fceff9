// SPDX-License-Identifier: GPL-3.0-or-later
// The Monte Carlo window: random points in a square with its inscribed
// circle, counted and turned into the estimate 4m / n.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/PictureBox.h"

#include <cstdint>

class Form19 : public platform::Form {
    Q_OBJECT
public:
    Form19();

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command3; // メニュー
    platform::CommandButton* Command4; // 中止
    platform::CommandButton* Command5; // 解説
    platform::CommandButton* Command2; // 実験
    platform::Line* Line1;
    platform::PictureBox* Picture1;
    platform::MMControl* MMControl1;
    platform::Label* Label1; // points thrown
    platform::Label* Label2; // points inside
    platform::Label* Label3; // the estimate
    platform::Label* Label4; // the stop hint

    std::int16_t StopFlag = 0;
    std::int16_t PointIndex = 0;
    std::int16_t InsideCount = 0;
    double PointTotal = 0;

    void Form_Activate() override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

protected:
    QPushButton* quitButton() const override { return Command1; }

private:
    void drawFigure();
};

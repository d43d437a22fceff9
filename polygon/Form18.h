// SPDX-License-Identifier: GPL-3.0-or-later
// The inscribed polygon window: a circle with the k-gon inside it, its name
// and its half perimeter, advanced by hand or automatically up to a chosen
// polygon.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/PictureBox.h"

#include <cstdint>

class Form18 : public platform::Form {
    Q_OBJECT
public:
    Form18();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command3; // メニュー
    platform::CommandButton* Command4; // 中止
    platform::CommandButton* Command6; // 解説
    platform::CommandButton* Command2; // 自動
    platform::CommandButton* Command5; // 手動
    platform::Line* Line1;
    platform::PictureBox* Picture1;
    platform::MMControl* MMControl1;
    platform::Label* Label1; // the polygon's name
    platform::Label* Label2; // its value
    platform::Label* Label3; // the stop hint

    // Sides of the polygon shown last. Wider than the classic 16 bits so
    // that no answer and no number of manual steps can overflow it.
    std::int64_t SideCount = 0;
    std::int16_t StopFlag = 0;

    // How long after the manual step that makes 自動 available this is
    // said, so that the step's outcome is heard first.
    static constexpr int autoAvailableDelayMs = 1000;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

protected:
    void Form_Activate() override;
    QPushButton* quitButton() const override { return Command1; }

private:
    enum class Mode { Manual, Automatic };
    // Draws the next polygon and shows its value, which it returns.
    double PolygonStep(Mode mode);
};

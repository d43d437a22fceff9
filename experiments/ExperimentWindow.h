// SPDX-License-Identifier: GPL-3.0-or-later
// The frame the two experiments stand on: the buttons, the drawing surface,
// the three counters and the stop hint, the explanation, the quit question,
// the stop and the move back to the menu. What differs between them is the
// design below; each window's "実験" handler and its loop are its own.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/Page.h"
#include "platform/PictureBox.h"

#include <cstdint>
#include <optional>

namespace experiments {

struct ExperimentDesign {
    const char* name;    // the window's class, also its texts' context
    const char* caption; // in the source language, translated in that context
    platform::Twips clientArea;
    platform::Twips picture1;
    double twipsPerUnitY; // across, 3000 units fill the surface
    int firstLabelTop;    // the counters and the hint follow 480 twips apart
    bool startBeforeStop; // "実験" comes before "中止" in the tab order
    bool activateClearsHint;

    // The input box: its prompt and title, and the largest count it takes.
    const char* prompt;
    const char* title;
    double largest;

    const platform::PrintedPage& explanation;
};

class ExperimentWindow : public platform::Form {
    Q_OBJECT
public:
    explicit ExperimentWindow(const ExperimentDesign& design);

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command3; // メニュー
    platform::CommandButton* Command4; // 中止
    platform::CommandButton* Command5; // 解説
    platform::CommandButton* Command2; // 実験
    platform::Line* Line1;
    platform::PictureBox* Picture1;
    platform::MMControl* MMControl1;
    platform::Label* Label1; // the throws
    platform::Label* Label2; // the hits
    platform::Label* Label3; // the estimate
    platform::Label* Label4; // the stop hint

    std::int16_t StopFlag = 0;

    void Form_Activate() override;
    void Command1_Click();
    virtual void Command2_Click() = 0;
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

protected:
    QPushButton* quitButton() const override { return Command1; }

    // The start of "実験": the buttons of a run, the counters emptied, the
    // click cue and the input box. The count asked for, whole; none, with
    // the buttons as they were, when the answer is empty, no number or out
    // of range.
    std::optional<double> askCount();
    // The drawing cleared, the hourglass and the stop hint.
    void beginRun();
    // The end of a run: the end-of-run cue, the buttons back, the pointer.
    void endRun();
    QString stopHint() const;

private:
    const ExperimentDesign& design_;
};

} // namespace experiments

// SPDX-License-Identifier: GPL-3.0-or-later
// The frame shared by the five series windows: formula, explanation page,
// input check and the term-by-term run. Each window is this frame built
// from its own description and rule.
#pragma once

#include "FormulaPicture.h"
#include "rules/SeriesMath.h"

#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <optional>

namespace series {

// The five steps of one pass of a run, in the order a window takes them.
enum class Step { Yield, StopCheck, Counter, Update, Result };

// Buttons switched before the click cue of "計　　算".
enum class BeforeCue {
    StopOnComputeOff,            // "中止" on, "計　　算" off
    Nothing,
    AllButStopOffAndClearFlag,   // everything but "中止" off, StopFlag 0
};

// Buttons switched once the input box has answered.
enum class AfterInput {
    Nothing,
    AllButStopOffBeforeEmptyTest, // before the empty-answer test
    AllButStopOffAfterBelowTwo,   // after the default-count step
};

// What the stop check does before it leaves the loop.
enum class AtStop { Nothing, ClearFlag, ClearFlagAndStatus };

struct Layout {
    platform::Twips clientArea;
    std::optional<rt::Colour> background;
    platform::Twips command1, command3, command2, command6, command5;
    int line1X2;
    platform::Twips picture1;
    double picture1Points; // the surface's font before "次へ" sets 11 pt
    platform::Twips picture2, shape1, label3, label2, label1;
    double label3Points;
};

struct SeriesVariant {
    const char* name;
    // Texts in the source language, translated where they are shown
    // (context "Series").
    const char* caption;
    Layout layout;
    formula::Row formula;
    QSize formulaSize; // pixels of the formula bitmap

    double defaultCount;
    const char* prompt;
    const char* title;
    const char* notice;
    const char* openingLine;

    BeforeCue beforeCue;
    AfterInput afterInput;
    bool nextOnAfterCancel;
    std::array<Step, 5> passOrder;
    AtStop atStop;
    bool explanationClears; // "次へ" first clears Picture1, Label2 and Label3
    bool plainResult;       // "π＝3" rather than "π＝ 3"

    const Rule& rule;
};

class SeriesWindow : public platform::Form {
    Q_OBJECT
public:
    explicit SeriesWindow(const SeriesVariant& variant);

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command3; // メニュー
    platform::CommandButton* Command2; // 計　　算
    platform::CommandButton* Command6; // 中止
    platform::CommandButton* Command5; // 次へ
    platform::Line* Line1;
    platform::PictureBox* Picture1;
    platform::PictureBox* Picture2;
    platform::Shape* Shape1;
    platform::Label* Label3; // result
    platform::Label* Label2; // counter
    platform::Label* Label1; // status
    platform::MMControl* MMControl1;

    std::int16_t StopFlag = 0;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command6_Click();

    // The bitmap shown on Picture2.
    const QImage& formulaImage() const { return formulaImage_; }

protected:
    void Form_Activate() override;
    QPushButton* quitButton() const override { return Command1; }

private:
    QString counterText(double term, double n) const;
    QString resultText(const State& state) const;

    const SeriesVariant& variant_;
    QImage formulaImage_;
};

} // namespace series

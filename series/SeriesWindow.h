// SPDX-License-Identifier: GPL-3.0-or-later
// The frame shared by the five series windows: formula, explanation page,
// input check and the term-by-term run. Each window is this frame built
// from its own description and rule.
#pragma once

#include "FormulaPicture.h"
#include "rules/Convergence.h"
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

// When the window gives itself over to the run: every button but "中止"
// switched off, and "中止" on.
enum class Lock {
    AtClick,          // at the click of "計　　算", a stop left from before forgotten
    OnceAnswered,     // once the question is answered, before the answer is checked
    OnceCountSettled, // "計　　算" gives way to "中止" at the click, the rest once
                      // the count is known (after a default count replaced it)
};

// What a stop leaves behind once the run has seen it.
enum class AfterStop {
    StopPending,          // the stop stands until the next click forgets it
    StopForgotten,
    StopAndHintForgotten, // and the stop hint goes from the status line
};

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
    compare::Method method;
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

    Lock lock;
    bool cancelOffersExplanation; // "次へ" comes back when the question is cancelled
    std::array<Step, 5> passOrder;
    AfterStop afterStop;
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

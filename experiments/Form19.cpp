// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form19.h"

#include "platform/Marks.h"
#include "platform/Run.h"
#include "platform/Services.h"
#include "rules/MonteCarloRules.h"

using namespace platform;

namespace {

// The explanation page, paragraph by paragraph (see PrintedPage).
const PrintedPage explanation = {"Form19", {
    "",
    QT_TRANSLATE_NOOP("Form19", "　　　確率を利用して図形の面積や体積を求める\n　　方法を{12|モンテカルロ法}といいます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　平面上に、一辺の長さ ２ｒ の正方形とそれ\n　　に内接する半径 ｒ の円を描いておきます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　この正方形内にｎ個の点をデタラメに打ちま\n　　す。このうち、円内にｍ個の点が打たれている\n　　とすると、"),
    QT_TRANSLATE_NOOP("Form19", "　　　比例式　正方形の面積：円の面積＝ｎ：ｍ が\n　　成立すると考えられます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　よって、"),
    QT_TRANSLATE_NOOP("Form19", "{12|　　　　２ｒ×２ｒ ： π×ｒ×ｒ ＝ ｎ ： ｍ}　･･･････　①"),
    QT_TRANSLATE_NOOP("Form19", "　　が成り立ちます。"),
    QT_TRANSLATE_NOOP("Form19", "　　　①より、"),
    QT_TRANSLATE_NOOP("Form19", "{12|　　　　π≒(４ｍ)÷ｎ}　･･････････　②"),
    QT_TRANSLATE_NOOP("Form19", "　　となります。"),
    QT_TRANSLATE_NOOP("Form19", "　　　②より、ｎ と ｍ を実験で求めれば円周率π\n　　の近似値がわかるというわけです。"),
}};


const experiments::ExperimentDesign design{
    .name = "Form19",
    .caption = QT_TRANSLATE_NOOP("Form19", "モンテカルロ法を利用してπの近似値を求める"),
    .clientArea = {4965, 1500, 5535, 7860},
    // 3000 x 3000 units over the 5235 x 4875-twip interior.
    .picture1 = {120, 480, 5295, 4935},
    .twipsPerUnitY = 1.625,
    .firstLabelTop = 5760,
    .startBeforeStop = true,
    .activateClearsHint = false,
    .prompt = QT_TRANSLATE_NOOP("Form19", "何個の点を打ちますか？（１０以上、１００００以下の自然数を入力してください．．．）"),
    .title = QT_TRANSLATE_NOOP("Form19", "打つ点の個数の設定"),
    .largest = 10000,
    .explanation = explanation,
};

} // namespace

platform::Twips Form19::designArea() { return design.clientArea; }

Form19::Form19() : ExperimentWindow(design) {}

void Form19::drawFigure()
{
    const rt::Colour lightBlue = rt::QBColor(9);
    for (const montecarlo::Point& dot : montecarlo::circleDots())
        Picture1->PSet(dot.x, dot.y, lightBlue);
    using montecarlo::squareHigh, montecarlo::squareLow;
    Picture1->Line(squareLow, squareLow, squareHigh, squareLow, lightBlue);
    Picture1->Line(squareHigh, squareHigh, lightBlue);
    Picture1->Line(squareLow, squareHigh, lightBlue);
    Picture1->Line(squareLow, squareLow, lightBlue);
}

void Form19::Command2_Click()
{
    const std::optional<double> count = askCount();
    if (!count)
        return;
    PointTotal = *count;

    beginRun();
    Run run(*this, compare::Method::MonteCarlo);
    InsideCount = 0;

    const std::int16_t last = rt::CInt(PointTotal);
    const QString thrown = tr("打った点の総数＝%1 / %2", "two numbers, each after its sign's blank");
    const QString inside = tr("円の内に入った点の個数＝%1", "a number after its sign's blank");
    const QString pi = tr("π＝%1", "a number without a leading blank");
    for (PointIndex = 1; PointIndex <= last; ++PointIndex) {
        drawFigure();
        DoEvents();
        if (StopFlag == 1) {
            StopFlag = 0;
            Label4->setCaption(QString());
            break;
        }
        Randomize(Timer());
        const float r1 = Rnd();
        const float r2 = Rnd();
        const montecarlo::Point point = montecarlo::pointFrom(r1, r2);
        rt::Colour colour;
        const bool hit = montecarlo::isInside(point);
        if (hit) {
            ++InsideCount;
            colour = platform::marks().hit;
        } else {
            colour = platform::marks().miss;
        }
        Picture1->Circle(point.x, point.y, platform::marks().pointRadius, colour,
                         hit && platform::marks().filledHits ? PictureBox::Fill::Solid : PictureBox::Fill::None);

        const float estimate = montecarlo::estimate(InsideCount, PointIndex);
        Label1->setCaption(thrown.arg(Str(PointIndex), Str(PointTotal)));
        Label2->setCaption(inside.arg(Str(InsideCount)));
        Label3->setCaption(pi.arg(Format14(estimate)));
        Picture1->setDescription(tr("打った点 %1 個、円の内 %2 個").arg(PointIndex).arg(InsideCount));
        run.step(PointIndex, estimate, Run::Precision::Single,
                 classthrows::Tally{std::uint64_t(PointIndex), std::uint64_t(InsideCount)});
    }

    endRun();
    run.close();
}

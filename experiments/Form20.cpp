// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form20.h"

#include "platform/Marks.h"
#include "platform/Run.h"
#include "platform/Services.h"
#include "rules/NeedleRules.h"

using namespace platform;

namespace {

// The dot that marks a crossing needle in projector mode, in field units.
constexpr float crossingDotRadius = 30;

// The explanation page, paragraph by paragraph (see PrintedPage).
const PrintedPage explanation = {"Form20", {
    "",
    QT_TRANSLATE_NOOP("Form20", "{12|　　　ビュホン}(Buffon 1707-1788)は、針を投げて\n　　円周率πを求めました。"),
    QT_TRANSLATE_NOOP("Form20", "　　　平面上に、幅２ａの間隔で平行線を無数に引\n　　いておきます。この平面上に長さ２ｂの針を落\n　　とすと、この針が平行線と交わる確率Ｐは、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　Ｐ＝(２ｂ)÷(ａπ)}　･･････････　①"),
    QT_TRANSLATE_NOOP("Form20", "　　となります。ただし、ｂ＜ａ　とします。"),
    QT_TRANSLATE_NOOP("Form20", "　　　平面上にたくさんの針を落としたとき、平行線\n　　に交わった針の本数の相対度数を ｒ とすると、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　ｒ≒ｐ}　･･････････　②　と考えられます。"),
    QT_TRANSLATE_NOOP("Form20", "　　　①、②より、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　π≒(２ｂ)÷(ａｒ)}　･･････････　③　となります。"),
    QT_TRANSLATE_NOOP("Form20", "　　　③より、相対度数 ｒ を実験で求めれば円周率\n　　πの近似値がわかるというわけです。"),
    QT_TRANSLATE_NOOP("Form20", "{9|　＜①の証明の概略＞}"),
    QT_TRANSLATE_NOOP("Form20", "　　　針の中心から最も近い平行線までの距離をｙ、\n　　針と平行線のなす角をθとします。"),
    QT_TRANSLATE_NOOP("Form20", "　　　このとき、０≦ｙ≦ａ、０≦θ≦π です。"),
    QT_TRANSLATE_NOOP("Form20", "　　　針が平行線と交わる条件は、"),
    QT_TRANSLATE_NOOP("Form20", "{12|　　　　ｘ≦ｂｓｉｎθ}　が成り立つことです。"),
}};


const experiments::ExperimentDesign design{
    .name = "Form20",
    .caption = QT_TRANSLATE_NOOP("Form20", "ビュホンの針を利用してπの近似値を求める"),
    .clientArea = {4800, 1335, 5535, 8070},
    // 3000 x 3000 units over the 5235-twip square interior.
    .picture1 = {120, 480, 5295, 5295},
    .twipsPerUnitY = 1.745,
    .firstLabelTop = 6000,
    .startBeforeStop = false,
    .activateClearsHint = true,
    .prompt = QT_TRANSLATE_NOOP("Form20", "何本の針を落としますか？（１０以上、２００００以下の自然数を入力してください．．．）"),
    .title = QT_TRANSLATE_NOOP("Form20", "落とす針の本数の設定"),
    .largest = 20000,
    .explanation = explanation,
};

} // namespace

platform::Twips Form20::designArea() { return design.clientArea; }

Form20::Form20() : ExperimentWindow(design) {}

void Form20::Command2_Click()
{
    const std::optional<double> count = askCount();
    if (!count)
        return;
    const double NeedleTotal = *count;

    beginRun();
    Run run(*this, compare::Method::Buffon);
    CrossCount = 0;

    for (int line : buffon::ruledLines)
        Picture1->Line(0, float(line), float(buffon::fieldSize), float(line), rt::QBColor(9));

    const std::int16_t last = rt::CInt(NeedleTotal);
    const QString dropped = tr("落とした針の総数＝%1 / %2", "two numbers, each after its sign's blank");
    const QString crossing = tr("直線と交わった針の本数＝%1", "a number after its sign's blank");
    const QString pi = tr("π＝%1", "a number without a leading blank");
    const auto stopped = [this] {
        if (StopFlag != 1)
            return false;
        StopFlag = 0;
        Label4->setCaption(QString());
        return true;
    };
    for (NeedleIndex = 1; NeedleIndex <= last; ++NeedleIndex) {
        // The run's yield comes here, where the last needle is both drawn and
        // counted, so that lesson mode holds on a picture the labels agree
        // with; 中止 while held ends the run as it stands.
        Run::yielded();
        if (stopped())
            break;

        Randomize(Timer());
        const float r1 = Rnd();
        const float r2 = Rnd();
        const float r3 = Rnd();
        const buffon::Needle needle = buffon::needleFrom(r1, r2, r3);
        StartX = needle.startX;
        StartY = needle.startY;
        EndX = needle.endX;
        EndY = needle.endY;

        rt::Colour NeedleColour;
        const bool crosses = buffon::meetsLine(StartY, EndY);
        if (crosses) {
            ++CrossCount;
            NeedleColour = platform::marks().hit;
        } else {
            NeedleColour = platform::marks().miss;
        }
        Picture1->Line(StartX, StartY, EndX, EndY, NeedleColour);
        if (crosses && platform::marks().filledHits)
            Picture1->Circle((StartX + EndX) / 2, (StartY + EndY) / 2, crossingDotRadius, NeedleColour,
                             PictureBox::Fill::Solid);

        // The events of DoEvents stay here: a stop at full speed leaves this
        // needle drawn and counted but not in the labels, as it always has.
        services().doEvents();
        if (stopped())
            break;

        Label1->setCaption(dropped.arg(Str(NeedleIndex), Str(NeedleTotal)));
        Label2->setCaption(crossing.arg(Str(CrossCount)));
        Picture1->setDescription(tr("平行線と落とした針 %1 本、線と交わった針 %2 本").arg(NeedleIndex).arg(CrossCount));
        if (CrossCount != 0) {
            const float estimate = buffon::estimate(NeedleIndex, CrossCount);
            Label3->setCaption(pi.arg(Format14(estimate)));
            run.step(NeedleIndex, estimate, Run::Precision::Single,
                     classthrows::Tally{std::uint64_t(NeedleIndex), std::uint64_t(CrossCount)});
        } else {
            run.step(NeedleIndex);
        }
    }

    Label4->setCaption(QString());
    endRun();
    run.close();
}

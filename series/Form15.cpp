// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form15.h"

using namespace series;
using namespace series::formula;

namespace {

const SeriesVariant& wallisWindow()
{
    static const SeriesVariant v{
        .name = "Form15",
        .method = compare::Method::Wallis,
        .caption = QT_TRANSLATE_NOOP("Series", "ウォーリスの公式を利用してπの近似値を求める"),
        .layout = {
            .clientArea = {3495, 2655, 9015, 5595},
            .background = std::nullopt,
            .command1 = {0, 0, 855, 375},
            .command3 = {840, 0, 855, 375},
            .command2 = {3360, 0, 1695, 375},
            .command6 = {7320, 0, 855, 375},
            .command5 = {8160, 0, 855, 375},
            .line1X2 = 9000,
            .picture1 = {120, 480, 8775, 4935},
            .picture1Points = 9,
            .picture2 = {1080, 360, 3975, 495},
            .shape1 = {720, 240, 4575, 855},
            .label3 = {600, 3600, 4095, 375},
            .label2 = {5160, 3600, 3135, 375},
            .label1 = {4320, 4200, 3975, 375},
            .label3Points = 12,
        },
        .formula = {
            text(QStringLiteral("𝜋")), op(QStringLiteral("=")), text(QStringLiteral("2")), open(),
            fraction(append(product({"2", "2", "4", "4", "6", "6"}), text(QStringLiteral("…"))),
                     append(product({"1", "3", "3", "5", "5", "7"}), text(QStringLiteral("…")))),
            close(),
        },
        .formulaSize = {254, 38},
        .defaultCount = 10000,
        .prompt = QT_TRANSLATE_NOOP("Series", "分母・分子それぞれ何個の数字をかけ算させますか？（２以上の自然数を入力してください．．．）"),
        .title = QT_TRANSLATE_NOOP("Series", "かけ算させる数字の数の入力"),
        .notice = QT_TRANSLATE_NOOP("Series", "　　　　分母・分子、それぞれ１００００個の数字をかけ算します。"),
        .openingLine = QT_TRANSLATE_NOOP("Series", "　　　　　ウォーリスは、上の公式を使ってπの近似値を求めました。"),
        .lock = Lock::AtClick,
        .cancelOffersExplanation = false,
        .passOrder = {Step::Yield, Step::StopCheck, Step::Counter, Step::Update, Step::Result},
        .afterStop = AfterStop::StopPending,
        .explanationClears = false,
        .plainResult = false,
        .rule = wallis,
    };
    return v;
}

} // namespace

platform::Twips Form15::designArea() { return wallisWindow().layout.clientArea; }

Form15::Form15() : SeriesWindow(wallisWindow()) {}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form17.h"

using namespace series;
using namespace series::formula;

namespace {

Item inverseSquare(const QString& base)
{
    return fraction({text(QStringLiteral("1"))}, {power(base, QStringLiteral("2"))});
}

const SeriesVariant& eulerWindow()
{
    static const SeriesVariant v{
        .name = "Form17",
        .method = compare::Method::Euler,
        .caption = QT_TRANSLATE_NOOP("Series", "オイラーの公式を利用してπの近似値を求める"),
        .layout = {
            .clientArea = {3495, 2655, 9225, 5595},
            .background = std::nullopt,
            .command1 = {0, 0, 855, 375},
            .command3 = {840, 0, 855, 375},
            .command2 = {3480, 0, 1695, 375},
            .command6 = {7560, 0, 855, 375},
            .command5 = {8400, 0, 855, 375},
            .line1X2 = 9240,
            .picture1 = {120, 480, 9015, 4935},
            .picture1Points = 9,
            .picture2 = {1440, 360, 5175, 615},
            .shape1 = {960, 240, 6015, 855},
            .label3 = {600, 3720, 4215, 375},
            .label2 = {5520, 3720, 3015, 375},
            .label1 = {4560, 4320, 3975, 375},
            .label3Points = 12,
        },
        .formula = {
            power(QStringLiteral("𝜋"), QStringLiteral("2")), op(QStringLiteral("=")), text(QStringLiteral("12")), open(),
            inverseSquare(QStringLiteral("1")), op(QStringLiteral("−")),
            inverseSquare(QStringLiteral("2")), op(QStringLiteral("+")),
            inverseSquare(QStringLiteral("3")), op(QStringLiteral("−")),
            inverseSquare(QStringLiteral("4")), op(QStringLiteral("+")),
            inverseSquare(QStringLiteral("5")), op(QStringLiteral("−")),
            text(QStringLiteral("…")), close(),
        },
        .formulaSize = {343, 38},
        .defaultCount = 10000,
        .prompt = QT_TRANSLATE_NOOP("Series", "第何項目まで計算させますか？（２以上の自然数を入力してください．．．）"),
        .title = QT_TRANSLATE_NOOP("Series", "計算させる項数の入力"),
        .notice = QT_TRANSLATE_NOOP("Series", "　　　　第１００００項まで計算します。"),
        .openingLine = QT_TRANSLATE_NOOP("Series", "　　　　　オイラーは、上の公式を使ってπの近似値を求めました。"),
        .lock = Lock::AtClick,
        .cancelOffersExplanation = false,
        .passOrder = {Step::Yield, Step::StopCheck, Step::Counter, Step::Update, Step::Result},
        .afterStop = AfterStop::StopPending,
        .explanationClears = false,
        .plainResult = true,
        .rule = euler,
    };
    return v;
}

} // namespace

platform::Twips Form17::designArea() { return eulerWindow().layout.clientArea; }

Form17::Form17() : SeriesWindow(eulerWindow()) {}

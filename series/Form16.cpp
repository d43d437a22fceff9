// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form16.h"

using namespace series;
using namespace series::formula;

namespace {

Item unitFraction(const QString& denominator)
{
    return fraction({text(QStringLiteral("1"))}, {text(denominator)});
}

const SeriesVariant& gregoryLeibnizWindow()
{
    static const SeriesVariant v{
        .name = "Form16",
        .method = compare::Method::Leibniz,
        .caption = QT_TRANSLATE_NOOP("Series", "グレゴリー・ライプニッツの公式を利用してπの近似値を求める"),
        .layout = {
            .clientArea = {3495, 2655, 9135, 5610},
            .background = 0xC0C0C0,
            .command1 = {0, 0, 855, 375},
            .command3 = {840, 0, 855, 375},
            .command2 = {3360, 0, 1695, 375},
            .command6 = {7440, 0, 855, 375},
            .command5 = {8280, 0, 855, 375},
            .line1X2 = 9120,
            .picture1 = {120, 480, 8895, 4935},
            .picture1Points = 12,
            .picture2 = {960, 360, 4575, 615},
            .shape1 = {720, 240, 5055, 855},
            .label3 = {480, 3720, 4215, 375},
            .label2 = {5400, 3720, 3135, 375},
            .label1 = {4440, 4320, 4095, 375},
            .label3Points = 12,
        },
        .formula = {
            fraction({text(QStringLiteral("𝜋"))}, {text(QStringLiteral("4"))}), op(QStringLiteral("=")),
            text(QStringLiteral("1")), op(QStringLiteral("−")),
            unitFraction(QStringLiteral("3")), op(QStringLiteral("+")),
            unitFraction(QStringLiteral("5")), op(QStringLiteral("−")),
            unitFraction(QStringLiteral("7")), op(QStringLiteral("+")),
            unitFraction(QStringLiteral("9")), op(QStringLiteral("−")),
            unitFraction(QStringLiteral("11")), op(QStringLiteral("+")),
            text(QStringLiteral("…")),
        },
        .formulaSize = {294, 38},
        .defaultCount = 10000,
        .prompt = QT_TRANSLATE_NOOP("Series", "第何項目まで計算させますか？（２以上の自然数を入力してください．．．）"),
        .title = QT_TRANSLATE_NOOP("Series", "計算させる項数の入力"),
        .notice = QT_TRANSLATE_NOOP("Series", "　　　　第１００００項まで計算します。"),
        .openingLine = QT_TRANSLATE_NOOP("Series", "　　　　　グレゴリー(1671)とライプニッツ(1673)は、上の公式を使ってπの近似値を求めました。"),
        .lock = Lock::AtClick,
        .cancelOffersExplanation = false,
        .passOrder = {Step::Yield, Step::StopCheck, Step::Counter, Step::Update, Step::Result},
        .afterStop = AfterStop::StopPending,
        .explanationClears = false,
        .plainResult = false,
        .rule = gregoryLeibniz,
    };
    return v;
}

} // namespace

platform::Twips Form16::designArea() { return gregoryLeibnizWindow().layout.clientArea; }

Form16::Form16() : SeriesWindow(gregoryLeibnizWindow()) {}

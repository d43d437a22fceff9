// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form10.h"

using namespace series;
using namespace series::formula;

namespace {

const SeriesVariant& matsunaga2Window()
{
    static const SeriesVariant v{
        .name = "Form10",
        .method = compare::Method::Matsunaga2,
        .caption = QT_TRANSLATE_NOOP("Series", "マツナガ ヨシスケの公式２を利用してπの近似値を求める"),
        .layout = {
            .clientArea = {3585, 2445, 9015, 5490},
            .background = std::nullopt,
            .command1 = {0, 0, 855, 375},
            .command3 = {840, 0, 855, 375},
            .command2 = {3360, 0, 1695, 375},
            .command6 = {7320, 0, 855, 375},
            .command5 = {8160, 0, 855, 375},
            .line1X2 = 9000,
            .picture1 = {120, 480, 8775, 4815},
            .picture1Points = 9,
            .picture2 = {360, 240, 8055, 615},
            .shape1 = {240, 120, 8295, 855},
            .label3 = {480, 3480, 4095, 375},
            .label2 = {4920, 3480, 3375, 375},
            .label1 = {4320, 4080, 3975, 375},
            .label3Points = 15.75,
        },
        .formula = {
            text(QStringLiteral("𝜋")), op(QStringLiteral("=")), text(QStringLiteral("3")), open(),
            text(QStringLiteral("1")), op(QStringLiteral("+")),
            fraction(squares({"1"}), product({"4", "6"})), op(QStringLiteral("+")),
            fraction(squares({"1", "3"}), product({"4", "6", "8", "10"})), op(QStringLiteral("+")),
            fraction(squares({"1", "3", "5"}), product({"4", "6", "8", "10", "12", "14"})), op(QStringLiteral("+")),
            text(QStringLiteral("…")), close(),
        },
        .formulaSize = {534, 40},
        .defaultCount = 50,
        .prompt = QT_TRANSLATE_NOOP("Series", "第何項目まで計算させますか？（２以上の自然数を入力してください．．．）"),
        .title = QT_TRANSLATE_NOOP("Series", "計算させる項数の入力"),
        .notice = QT_TRANSLATE_NOOP("Series", "　　　　第５０項まで計算します。"),
        .openingLine = QT_TRANSLATE_NOOP("Series", "　　　　　マツナガ ヨシスケは1739年、上の公式を使ってπの近似値を求めました。"),
        .lock = Lock::OnceAnswered,
        .cancelOffersExplanation = true,
        .passOrder = {Step::Yield, Step::StopCheck, Step::Update, Step::Counter, Step::Result},
        .afterStop = AfterStop::StopForgotten,
        .explanationClears = true,
        .plainResult = false,
        .rule = matsunaga2,
    };
    return v;
}

} // namespace

platform::Twips Form10::designArea() { return matsunaga2Window().layout.clientArea; }

Form10::Form10() : SeriesWindow(matsunaga2Window()) {}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form9.h"

using namespace series;
using namespace series::formula;

namespace {

const SeriesVariant& matsunaga1Window()
{
    static const SeriesVariant v{
        .name = "Form9",
        .method = compare::Method::Matsunaga1,
        .caption = QT_TRANSLATE_NOOP("Series", "マツナガ ヨシスケの公式１を利用してπの近似値を求める"),
        .layout = {
            .clientArea = {3165, 1755, 9015, 5475},
            .background = std::nullopt,
            .command1 = {0, 0, 855, 375},
            .command3 = {840, 0, 855, 375},
            .command2 = {3360, 0, 1695, 375},
            .command6 = {7320, 0, 855, 375},
            .command5 = {8160, 0, 855, 375},
            .line1X2 = 9000,
            .picture1 = {120, 480, 8775, 4815},
            .picture1Points = 9,
            .picture2 = {600, 240, 7455, 615},
            .shape1 = {360, 120, 7815, 855},
            .label3 = {360, 3480, 4215, 375},
            .label2 = {5040, 3480, 3375, 375},
            .label1 = {4320, 4080, 4095, 375},
            .label3Points = 15.75,
        },
        .formula = {
            power(QStringLiteral("𝜋"), QStringLiteral("2")), op(QStringLiteral("=")), text(QStringLiteral("9")), open(),
            text(QStringLiteral("1")), op(QStringLiteral("+")),
            fraction(squares({"1"}), product({"3", "4"})), op(QStringLiteral("+")),
            fraction(squares({"1", "2"}), product({"3", "4", "5", "6"})), op(QStringLiteral("+")),
            fraction(squares({"1", "2", "3"}), product({"3", "4", "5", "6", "7", "8"})), op(QStringLiteral("+")),
            text(QStringLiteral("…")), close(),
        },
        .formulaSize = {494, 40},
        .defaultCount = 100,
        .prompt = QT_TRANSLATE_NOOP("Series", "第何項目まで計算させますか？（２以上の自然数を入力してください．．．）"),
        .title = QT_TRANSLATE_NOOP("Series", "計算させる項数の入力"),
        .notice = QT_TRANSLATE_NOOP("Series", "　　　　第１００項まで計算します。"),
        .openingLine = QT_TRANSLATE_NOOP("Series", "　　　　　マツナガ ヨシスケは1739年、上の公式を使ってπの近似値を求めました。"),
        .lock = Lock::OnceCountSettled,
        .cancelOffersExplanation = true,
        .passOrder = {Step::Yield, Step::Counter, Step::StopCheck, Step::Update, Step::Result},
        .afterStop = AfterStop::StopAndHintForgotten,
        .explanationClears = true,
        .plainResult = false,
        .rule = matsunaga1,
    };
    return v;
}

} // namespace

platform::Twips Form9::designArea() { return matsunaga1Window().layout.clientArea; }

Form9::Form9() : SeriesWindow(matsunaga1Window()) {}

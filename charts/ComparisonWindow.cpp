// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComparisonWindow.h"

#include "ComparisonExport.h"
#include "ComparisonModel.h"
#include "Faces.h"
#include "Voice.h"
#include "WindowFit.h"
#include "platform/accessible/Kind.h"
#include "rules/Archimedes.h"
#include "rules/PolygonRules.h"
#include "rules/Runtime.h"
#include "rules/Ticks.h"

#include <QAreaSeries>
#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QFontInfo>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>

#include <cmath>
#include <future>

namespace charts {

using namespace compare;

namespace {

constexpr double errorCeiling = 10;

// Colours from the Okabe–Ito set, told apart by most colour-blind eyes, and
// every curve in a line style of its own as well.
struct Look {
    QRgb colour;
    Qt::PenStyle style;
    QList<qreal> dashes; // for Qt::CustomDashLine
};
const Look looks[] = {
    {qRgb(0, 0, 0), Qt::DashDotLine, {}},                     // polygon
    {qRgb(230, 159, 0), Qt::SolidLine, {}},                   // Monte Carlo
    {qRgb(86, 180, 233), Qt::CustomDashLine, {6, 2}},          // Buffon
    {qRgb(0, 158, 115), Qt::DashLine, {}},                    // Wallis
    {qRgb(213, 94, 0), Qt::DotLine, {}},                      // Leibniz
    {qRgb(0, 114, 178), Qt::DashDotDotLine, {}},              // Euler
    {qRgb(204, 121, 167), Qt::CustomDashLine, {1, 2, 6, 2}},   // Matsunaga 1
    {qRgb(136, 34, 85), Qt::CustomDashLine, {10, 2, 2, 2, 2, 2}}, // Matsunaga 2
};

double plotted(double error) { return std::clamp(error, errorFloor, errorCeiling); }

// The σ lines go with their band: shown, hidden and named with it.
constexpr char companion[] = "companionOfBand";

// Faint guides of the rates n^−½, n^−1 and n^−2, all from 0.1 at n = 1, so
// that a curve parallel to one falls at its rate; a decade below the 1/n of
// Gregory–Leibniz, so that they do not hide under it. Not in the legend:
// labelled at their right ends with their slopes, as the legend gives
// each curve's.
struct Guide {
    double exponent;
    const char* label;
};
const Guide guides[] = {{-0.5, "n<sup>−½</sup>"}, {-1, "n<sup>−1</sup>"}, {-2, "n<sup>−2</sup>"}};
constexpr double guideStart = 0.1;
constexpr char guideProperty[] = "rateGuide";
const QColor guideColour(150, 150, 150);

// Labels at every `step`-th power of ten from `low` to `high` (logarithms),
// counted from 1 so that 1 is always labelled; 10⁻⁵ rather than 1e-05:
// short, and what the pupils write.
void labelDecades(QCategoryAxis* axis, double low, double high, int step)
{
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    // A sliver below the range, so that its lowest value can carry a label too.
    axis->setStartValue(low - 1e-9);
    for (int k : ticks::multiples(int(std::ceil(low)), int(std::floor(high)), step))
        axis->append(QString::fromStdString(ticks::power(k)), k);
}

QCategoryAxis* decadeAxis(const QString& title)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTruncateLabels(false);
    axis->setTitleText(title);
    // Superscript digits are small in most faces: a little larger, so 10⁻¹⁶ reads.
    QFont font = numberFont(axis->labelsFont());
    font.setPointSizeF(font.pointSizeF() * 1.2);
    if (largeNumbers() && QFontInfo(font).pixelSize() < largeNumberPixels)
        font.setPixelSize(largeNumberPixels);
    axis->setLabelsFont(font);
    return axis;
}

// Qt gives some of its fonts in pixels, some in points.
QFont scaled(QFont font, qreal factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
    return font;
}

QColor faded(QColor colour, bool shown)
{
    if (!shown)
        colour.setAlphaF(colour.alphaF() * 0.3f);
    return colour;
}

std::vector<std::int64_t> samplesUpTo(std::int64_t last)
{
    std::vector<std::int64_t> steps;
    for (std::int64_t n = 1; n <= std::min<std::int64_t>(last, 100); ++n)
        steps.push_back(n);
    for (int k = 1;; ++k) {
        const auto n = std::int64_t(std::llround(std::pow(10.0, 2 + k / 100.0)));
        if (n >= last)
            break;
        if (n > steps.back())
            steps.push_back(n);
    }
    if (steps.back() != last)
        steps.push_back(last);
    return steps;
}

bool shownAt(const Sequence& sequence, std::int64_t n)
{
    return n >= sequence.first && n <= sequence.last() && !std::isnan(sequence.at(n))
           && (sequence.limitStep == 0 || n <= sequence.limitStep);
}

// The chart view: the mouse and the arrow keys move the cursor.
class ChartView : public QChartView {
public:
    ChartView(QChart* chart, ComparisonWindow* window) : QChartView(chart), window_(window)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setRenderHint(QPainter::Antialiasing);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPointF value = chart()->mapToValue(event->position());
        if (chart()->plotArea().contains(event->position()))
            window_->setProbe(std::llround(value.x()));
        QChartView::mouseMoveEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        // One step, or a tenth of a decade with Ctrl.
        const std::int64_t n = std::max<std::int64_t>(window_->probe(), 1);
        const bool coarse = event->modifiers() & Qt::ControlModifier;
        if (event->key() == Qt::Key_Right)
            window_->setProbe(coarse ? std::max<std::int64_t>(n + 1, std::llround(n * 1.2589)) : n + 1);
        else if (event->key() == Qt::Key_Left)
            window_->setProbe(coarse ? std::min<std::int64_t>(n - 1, std::llround(n / 1.2589)) : n - 1);
        else if (event->key() == Qt::Key_Home)
            window_->setProbe(1);
        else if (event->key() == Qt::Key_End)
            window_->setProbe(window_->steps());
        else
            return QChartView::keyPressEvent(event);
        window_->sayProbe();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QChartView::resizeEvent(event);
        window_->setProbe(window_->probe());
    }

private:
    ComparisonWindow* window_;
};

} // namespace

QString ComparisonWindow::methodName(Method method) { return charts::methodName(method); }

ComparisonWindow::ComparisonWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , seed_(rt::freshSeed())
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    setWindowTitle(tr("収束を比べる"));

    chooser_ = new QComboBox;
    chooser_->setObjectName(QStringLiteral("steps"));
    // Read by its current text. The program's factory serves the mark (the
    // header is all the module takes from the platform: it links none of it).
    chooser_->setProperty(platform::accessible::kindProperty,
                          QByteArray(platform::accessible::kindName(platform::accessible::Kind::Choice)));
    for (std::int64_t n = 100; n <= maxSteps; n *= 10)
        chooser_->addItem(QLocale().toString(qlonglong(n)), qlonglong(n));
    chooser_->setCurrentIndex(chooser_->findData(qlonglong(defaultSteps)));
    auto* chooserLabel = new QLabel(tr("段数 N の上限(&N)："));
    chooserLabel->setBuddy(chooser_);
    againButton_ = new QPushButton(tr("もう一度"));
    againButton_->setObjectName(QStringLiteral("again"));
    againButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    againButton_->setToolTip(tr("実験をもう一度、新しい乱数で行います (Ctrl+R)"));
    seedField_ = new QLineEdit(QString::number(seed_));
    seedField_->setObjectName(QStringLiteral("seed"));
    seedField_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), seedField_));
    seedField_->setMaximumWidth(seedField_->fontMetrics().horizontalAdvance(QString(21, QLatin1Char('0'))));
    seedField_->setToolTip(tr("この種で同じ実験ができます：sorvena --table montecarlo N --seed 種 --continuous"));
    auto* seedLabel = new QLabel(tr("乱数の種(&S)："));
    seedLabel->setBuddy(seedField_);
    pictureButton_ = new QPushButton(tr("グラフを保存…"));
    pictureButton_->setObjectName(QStringLiteral("savePicture"));
    pictureButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    pictureButton_->setToolTip(tr("PNG か SVG で保存します (Ctrl+S)"));
    csvButton_ = new QPushButton(tr("CSV を保存…"));
    csvButton_->setObjectName(QStringLiteral("saveCsv"));
    csvButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    csvButton_->setToolTip(tr("表のデータを CSV で保存します (Ctrl+E)"));
    // A window of its own, closed as windows are.
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    chart_ = new QChart;
    chart_->setTitle(tr("誤差 |π − 値| と段数 n（両対数）"));
    chart_->legend()->setAlignment(Qt::AlignRight);
    // Line series then show their pen, dashes and all.
    chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    legendFont_ = chart_->legend()->font();
    // The curves are drawn on logarithmic axes that are not shown; the axes
    // shown run over the logarithms, so that their labels are ours.
    axisX_ = new QLogValueAxis;
    axisX_->setBase(10);
    axisX_->setVisible(false);
    axisY_ = new QLogValueAxis;
    axisY_->setBase(10);
    axisY_->setRange(errorFloor, errorCeiling);
    axisY_->setVisible(false);
    labelsX_ = decadeAxis(tr("段数 n（項・因数・辺・点・針の数）"));
    labelsY_ = decadeAxis(tr("誤差 |π − 値|"));
    labelsY_->setRange(std::log10(errorFloor), std::log10(errorCeiling));
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    chart_->addAxis(labelsX_, Qt::AlignBottom);
    chart_->addAxis(labelsY_, Qt::AlignLeft);
    note_ = new QGraphicsTextItem(chart_);
    note_->setPlainText(tr("実験（モンテカルロ法とビュホンの針）は、格子の上ではなく、どこにでも倍精度で投げています。"));
    note_->setDefaultTextColor(QColor(60, 60, 60));
    archimedes_ = new QGraphicsTextItem(chart_);
    archimedes_->setObjectName(QStringLiteral("archimedes"));
    archimedes_->setPlainText(archimedesText());
    for (std::size_t i = 0; i < guideLabels_.size(); ++i) {
        guideLabels_[i] = new QGraphicsTextItem(chart_);
        guideLabels_[i]->setObjectName(QStringLiteral("guideLabel"));
        guideLabels_[i]->setDefaultTextColor(guideColour.darker(130));
        // Over the curves, on white, so that none hides it.
        guideLabels_[i]->setZValue(50);
        // Its slope in the words the legend's numbers are read by.
        guideLabels_[i]->setHtml(QStringLiteral("<span style=\"background-color:#ffffff\">%1</span>")
                                     .arg(tr("%1（傾き %2）", "a guide line and its slope")
                                              .arg(QString::fromUtf8(guides[i].label),
                                                   QString::fromStdString(rates::slopeText(guides[i].exponent)))));
    }
    view_ = new ChartView(chart_, this);
    view_->setObjectName(QStringLiteral("chart"));
    view_->setAccessibleName(tr("収束のグラフ"));
    cursorLine_ = new QGraphicsLineItem;
    cursorLine_->setPen(QPen(QColor(0, 0, 0, 120), 1, Qt::DashLine));
    cursorLine_->setZValue(100);
    chart_->scene()->addItem(cursorLine_);

    readout_ = new QLabel;
    readout_->setObjectName(QStringLiteral("readout"));
    readout_->setTextFormat(Qt::RichText);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    readout_->setFocusPolicy(Qt::TabFocus); // after the graph, for a reader

    model_ = new ComparisonModel(sequences_, samples_, this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("table"));
    table_->setModel(model_);
    table_->setAccessibleName(tr("収束の表"));
    // Tab leaves the table; the arrows move between its cells.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideNone);
    table_->horizontalHeader()->setTextElideMode(Qt::ElideNone);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* chartPage = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(view_, 1);
    chartLayout->addWidget(readout_);
    tabs_ = new QTabWidget;
    tabs_->addTab(chartPage, tr("グラフ(&G)"));
    tabs_->addTab(table_, tr("表(&T)"));
    // Its pages' stack is no place of its own to a reader, which would
    // otherwise say "layered pane" on the way into the graph or the table.
    if (auto* stack = tabs_->findChild<QStackedWidget*>())
        stack->setProperty(platform::accessible::kindProperty,
                           QByteArray(platform::accessible::kindName(platform::accessible::Kind::Pane)));
    // Down and Up read the row's every method, those scrolled out of
    // sight too, as a reader hears only the cells on screen.
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (table_->hasFocus() && current.isValid() && current.row() != previous.row())
                    voice().announce(this, spokenReadout(samples_[std::size_t(current.row())]));
            });

    auto* bar = new QHBoxLayout;
    bar->addWidget(chooserLabel);
    bar->addWidget(chooser_);
    bar->addWidget(againButton_);
    bar->addWidget(seedLabel);
    bar->addWidget(seedField_);
    bar->addStretch(1);
    bar->addWidget(pictureButton_);
    bar->addWidget(csvButton_);
    auto* layout = new QVBoxLayout(this);
    // The screen decides the size, not the contents: a projector's scale
    // leaves little room.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);

    connect(chooser_, &QComboBox::currentIndexChanged, this,
            [this] { setSteps(chooser_->currentData().toLongLong()); });
    // A change by the keyboard is otherwise silent.
    connect(chooser_, &QComboBox::activated, this,
            [this] { voice().announce(this, tr("段数 N の上限：%1").arg(chooser_->currentText())); });
    connect(againButton_, &QPushButton::clicked, this, &ComparisonWindow::again);
    connect(seedField_, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const std::uint64_t typed = seedField_->text().toULongLong(&ok);
        if (!ok)
            seedField_->setText(QString::number(seed_));
        else if (typed != seed_)
            setSeed(typed);
    });
    connect(pictureButton_, &QPushButton::clicked, this, &ComparisonWindow::pictureDialog);
    connect(csvButton_, &QPushButton::clicked, this, &ComparisonWindow::csvDialog);
    connect(chart_, &QChart::geometryChanged, this, &ComparisonWindow::layOutChart);
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        labelAxes(false);
        // The legend moving below changes the plot but not the view's size.
        moveProbeLine();
        placeGuideLabels();
    });

    compute(true);
    redraw();
    fitToScreen();
}

ComparisonWindow::~ComparisonWindow() = default;

void ComparisonWindow::setSteps(std::int64_t n)
{
    n = std::clamp<std::int64_t>(n, 3, maxSteps);
    if (n == steps_)
        return;
    steps_ = n;
    // The cursor's n belonged to the old N: the reading starts again at the end.
    cursor_ = 0;
    const int index = chooser_->findData(qlonglong(n));
    if (index >= 0 && index != chooser_->currentIndex()) {
        const QSignalBlocker quiet(chooser_);
        chooser_->setCurrentIndex(index);
    }
    compute(true);
    redraw();
}

void ComparisonWindow::setSeed(std::uint64_t seed)
{
    seed_ = seed;
    seedField_->setText(QString::number(seed_));
    compute(false);
    redraw();
    voice().announce(this, tr("乱数の種 %1 で実験しました").arg(seed_));
}

void ComparisonWindow::again()
{
    seed_ = rt::freshSeed();
    seedField_->setText(QString::number(seed_));
    compute(false);
    redraw();
    auto last = [this](Method m) { return QString::fromStdString(valueText(m, sequence(m).at(steps_))); };
    voice().announce(this, tr("新しい乱数で実験しました。n＝%1 で、%2 は %3、%4 は %5。")
                               .arg(QString::number(steps_), methodName(Method::MonteCarlo), last(Method::MonteCarlo),
                                    methodName(Method::Buffon), last(Method::Buffon)));
}

void ComparisonWindow::compute(bool everything)
{
    // Side by side on every core: a million needles take the longest.
    std::vector<std::future<void>> pending;
    for (Method m : methods)
        if (everything || isExperiment(m))
            pending.push_back(std::async(std::launch::async, [this, m] {
                // The experiments as the methods really are, not on the windows' grid.
                sequences_[std::size_t(m)] = compare::compute(m, steps_, seed_, Throws::Continuous);
                fits_[std::size_t(m)] = rates::fitted(sequences_[std::size_t(m)]);
            }));
    if (everything)
        pending.push_back(std::async(std::launch::async, [this] {
            outer_ = circumscribedPolygons(steps_);
            outerFit_ = rates::fitted(outer_);
        }));
    for (std::future<void>& f : pending)
        f.get();
    samples_ = samplesUpTo(steps_);
}

void ComparisonWindow::redraw()
{
    chart_->removeAllSeries();
    auto attach = [this](QAbstractSeries* series) {
        chart_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    };
    for (const Guide& g : guides) {
        auto* line = new QLineSeries;
        line->setName(QString::fromUtf8(g.label).remove(QStringLiteral("<sup>")).remove(QStringLiteral("</sup>")));
        line->setProperty(guideProperty, g.exponent);
        line->setPen(QPen(guideColour, 1, Qt::DashLine));
        line->append(1, guideStart);
        line->append(double(steps_), guideStart * std::pow(double(steps_), g.exponent));
        attach(line);
    }
    // The experiments' expected spread: |π − estimate| is about half-normal
    // with the standard error σ as its scale, so nine runs in ten end with
    // an error between 0.063σ and 1.645σ. σ itself is the dotted line.
    for (Method m : {Method::MonteCarlo, Method::Buffon}) {
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        auto* sigma = new QLineSeries;
        QList<QPointF> top, bottom, middle;
        for (std::int64_t n : samples_) {
            const double se = standardError(m, n);
            top.append({double(n), plotted(1.645 * se)});
            bottom.append({double(n), plotted(0.0627 * se)});
            middle.append({double(n), plotted(se)});
        }
        upper->replace(top);
        lower->replace(bottom);
        sigma->replace(middle);
        auto* band = new QAreaSeries(upper, lower);
        // The area does not own its edges; the chart deletes only the area.
        upper->setParent(band);
        lower->setParent(band);
        band->setName(m == Method::MonteCarlo ? tr("モンテカルロ法の標準誤差 σ と 90% の帯")
                                              : tr("ビュホンの針の標準誤差 σ と 90% の帯"));
        const QColor colour = QColor::fromRgb(looks[std::size_t(m)].colour);
        QColor fill = colour;
        fill.setAlpha(45);
        band->setBrush(fill);
        band->setPen(Qt::NoPen);
        attach(band);
        sigma->setPen(QPen(colour.darker(130), 1, Qt::DotLine));
        sigma->setProperty(companion, true);
        sigma->setName(band->name());
        attach(sigma);
    }
    auto* limits = new QScatterSeries;
    limits->setName(tr("倍精度の限界（ここで止まる）"));
    limits->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    limits->setMarkerSize(11);
    limits->setColor(Qt::black);
    for (Method m : methods) {
        const Sequence& sequence = sequences_[std::size_t(m)];
        QList<QPointF> points;
        points.reserve(qsizetype(samples_.size()) + 1);
        for (std::int64_t n : samples_)
            if (shownAt(sequence, n))
                points.append({double(n), plotted(error(sequence.at(n)))});
        if (sequence.limitStep != 0 && sequence.limitStep <= steps_) {
            const QPointF end(double(sequence.limitStep), plotted(error(sequence.at(sequence.limitStep))));
            if (points.isEmpty() || points.back().x() < end.x())
                points.append(end);
            limits->append(end);
        }
        auto* curve = new QLineSeries;
        curve->setObjectName(QString::fromLatin1(shortName(m).data(), qsizetype(shortName(m).size())));
        curve->setName(methodName(m));
        const Look& look = looks[std::size_t(m)];
        QPen pen(QColor::fromRgb(look.colour), 2, look.style, Qt::FlatCap, Qt::RoundJoin);
        if (look.style == Qt::CustomDashLine)
            pen.setDashPattern(look.dashes);
        curve->setPen(pen);
        curve->replace(points);
        attach(curve);
        curves_[std::size_t(m)] = curve;
    }
    // Archimedes' other bound: the polygons outside, nearing π from above,
    // with the polygons' colour in a line of its own.
    outerCurve_ = new QLineSeries;
    outerCurve_->setObjectName(QStringLiteral("circumscribed"));
    outerCurve_->setName(tr("円の外接正多角形（上から近づく）"));
    outerCurve_->setPen(QPen(QColor::fromRgb(looks[0].colour), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    QList<QPointF> outerPoints;
    for (std::int64_t n : samples_)
        if (n >= outer_.first)
            outerPoints.append({double(n), plotted(error(outer_.at(n)))});
    outerCurve_->replace(outerPoints);
    attach(outerCurve_);
    // His doubling from the hexagon, by square roots alone, on both curves.
    auto* doublings = new QScatterSeries;
    doublings->setObjectName(QStringLiteral("doublings"));
    // Named under the plot, in Archimedes' line, which keeps the legend short
    // enough for a projector's screen.
    doublings->setProperty(companion, true);
    doublings->setName(tr("アルキメデスの倍加（正6角形から倍々に、平方根だけで）"));
    doublings->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    doublings->setMarkerSize(8);
    doublings->setColor(Qt::white);
    doublings->setBorderColor(Qt::black);
    for (const archimedes::Polygons& p : archimedes::upTo(steps_)) {
        doublings->append(double(p.sides), plotted(error(p.inscribed)));
        doublings->append(double(p.sides), plotted(error(p.circumscribed)));
    }
    attach(doublings);
    attach(limits);
    axisX_->setRange(1, double(steps_));
    labelsX_->setRange(0, std::log10(double(steps_)));
    labelAxes(true);
    for (QLegendMarker* marker : chart_->legend()->markers())
        connect(marker, &QLegendMarker::clicked, this, [this, marker] { toggle(marker); });
    showSlopes(true);
    showHidden();
    placeGuideLabels();
    layOutChart();
    model_->reset();
    view_->setAccessibleDescription(voice().spokenNumbers(chartDescription()));
    setProbe(cursor_ > 0 && cursor_ <= steps_ ? cursor_ : steps_);
}

void ComparisonWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutChart();
}

void ComparisonWindow::fitToScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(preferredSize());
        return;
    }
    setGeometry(fittedGeometry(screen->availableGeometry(), typicalFrame, preferredSize()));
}

void ComparisonWindow::layOutChart()
{
    // The legend beside the plot, where its names are whole; below it
    // where beside would leave the plot too narrow or cut a name. Attached
    // below, Qt puts every entry on one row and cuts the names; detached,
    // it folds them into as many rows as they need. The slopes go with the
    // names where there is room for them, and stay in the description.
    const QSizeF size = chart_->size();
    QLegend* legend = chart_->legend();
    const qreal margin = 8;
    // The chart's theme sets the axis's title font once the axis is in it.
    if (!titleFont_)
        titleFont_ = labelsY_->titleFont();
    const qreal textWidth = std::max<qreal>(size.width() - 2 * margin, 100);
    // The note under everything, inside the chart so that the pictures saved carry it.
    note_->setTextWidth(textWidth);
    const qreal noteHeight = note_->boundingRect().height();
    note_->setPos(margin, size.height() - noteHeight - margin / 2);
    // Archimedes' line above it, his fractions' decimals only where the
    // line holds them.
    const QString whole = archimedesText(true);
    const qreal lineRoom = textWidth - 2 * archimedes_->document()->documentMargin();
    const QString caption =
        QFontMetricsF(archimedes_->font()).horizontalAdvance(whole) <= lineRoom ? whole : archimedesText(false);
    if (archimedes_->toPlainText() != caption)
        archimedes_->setPlainText(caption);
    archimedes_->setTextWidth(textWidth);
    const qreal captionHeight = archimedes_->boundingRect().height();
    archimedes_->setPos(margin, size.height() - noteHeight - captionHeight - margin / 2);
    const qreal underPlot = noteHeight + captionHeight;
    const auto setMargins = [&](qreal right, qreal below) {
        const QMargins margins{int(margin), int(margin), int(std::ceil(right + margin)),
                               int(std::ceil(underPlot + below + margin))};
        if (chart_->margins() != margins)
            chart_->setMargins(margins);
    };
    bool beside = false;
    if (size.width() >= 640) {
        // Detached, so that it takes the width its names need: attached, Qt
        // gives it at most 0.4 of the chart and cuts the names beyond.
        if (legend->isAttachedToChart())
            legend->detachFromChart();
        legend->setAlignment(Qt::AlignLeft);
        if (legend->font() != legendFont_)
            legend->setFont(legendFont_);
        if (labelsY_->titleFont() != *titleFont_)
            labelsY_->setTitleFont(*titleFont_);
        const QFontMetricsF metrics(legendFont_);
        // From the top: the title is centred over the plot, clear of it.
        const qreal top = margin;
        // From the widest name as the font measures it, a little wider at a
        // time where Qt's markers need more, up to half the chart.
        for (bool slopes : {true, false}) {
            showSlopes(slopes);
            qreal names = 0;
            for (QLegendMarker* marker : legend->markers())
                if (marker->isVisible())
                    names = std::max(names, metrics.horizontalAdvance(marker->label()));
            for (qreal width = names + metrics.height() + 24; !beside && width <= size.width() / 2; width += 16) {
                legend->setGeometry(QRectF(size.width() - margin - width, top, width, size.height() - underPlot - margin - top));
                // Laid out now, with the names just set, even where its size stayed.
                legend->layout()->invalidate();
                legend->layout()->activate();
                if ((beside = legendFits()))
                    setMargins(width, 0);
            }
            if (beside)
                break;
        }
        legend->update();
    }
    if (beside)
        return;
    if (legend->isAttachedToChart())
        legend->detachFromChart();
    // In a smaller face, so that the rows take less of the plot's height
    // (on a projector's 1024x768, in English, the names need more than half
    // the chart's width beside it).
    const QFont smaller = scaled(legendFont_, 0.75);
    if (legend->font() != smaller)
        legend->setFont(smaller);
    // And the error axis's title, which the shorter plot would cut.
    const QFont title = scaled(*titleFont_, 0.85);
    if (labelsY_->titleFont() != title)
        labelsY_->setTitleFont(title);
    // Detached, the top alignment fills its rows from the top, in order.
    legend->setAlignment(Qt::AlignTop);
    // Rows enough for the names Qt has laid out: it shows none beyond.
    const qreal width = size.width() - 2 * margin;
    const qreal row = QFontMetricsF(legend->font()).height() + 8;
    qreal below = 0;
    // Qt lets a long name run past the right edge of a row; without the
    // slopes the names are shorter.
    for (bool slopes : {true, false}) {
        showSlopes(slopes);
        bool fits = false;
        for (int rows = 1; rows <= legend->markers().size() && !fits; ++rows) {
            below = rows * row + margin;
            legend->setGeometry(QRectF(margin, size.height() - underPlot - margin / 2 - below, width, below));
            fits = legendFits();
        }
        if (fits)
            break;
    }
    legend->update();
    setMargins(0, below);
}

bool ComparisonWindow::legendFits() const
{
    // Every name inside the legend, and whole: Qt elides one without room.
    QLegend* legend = chart_->legend();
    const QRectF room(QPointF(), legend->geometry().size());
    QStringList drawn;
    QList<QGraphicsItem*> items = legend->childItems();
    while (!items.isEmpty()) {
        QGraphicsItem* item = items.takeLast();
        items += item->childItems();
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (!text || !item->isVisible())
            continue;
        if (!room.contains(item->mapRectToItem(legend, item->boundingRect())))
            return false;
        drawn.append(text->toPlainText().simplified());
    }
    for (QLegendMarker* marker : legend->markers())
        if (marker->isVisible() && !drawn.contains(marker->label().simplified()))
            return false;
    return true;
}

void ComparisonWindow::labelAxes(bool force)
{
    // Every decade while the labels have room, else every second or fourth.
    const double decades = std::log10(errorCeiling / errorFloor);
    const qreal room = chart_->plotArea().height() / decades;
    const qreal needs = 1.3 * QFontMetricsF(labelsY_->labelsFont()).height();
    int step = 1;
    while (step < 8 && room * step < needs)
        step *= 2;
    if (force || step != errorLabelStep_) {
        errorLabelStep_ = step;
        labelDecades(labelsY_, std::log10(errorFloor), std::log10(errorCeiling), step);
    }
    if (force)
        labelDecades(labelsX_, 0, std::log10(double(steps_)), 1);
}

void ComparisonWindow::placeGuideLabels()
{
    // Just under each guide's right end: the line rises to the left, away
    // from its label.
    const QRectF plot = chart_->plotArea();
    for (std::size_t i = 0; i < guideLabels_.size(); ++i) {
        QGraphicsTextItem* label = guideLabels_[i];
        const double n = double(steps_);
        const QPointF end = chart_->mapToPosition({n, guideStart * std::pow(n, guides[i].exponent)});
        const QRectF box = label->boundingRect();
        label->setPos(end.x() - box.width() - 2, end.y());
        label->setVisible(plot.contains(label->mapRectToItem(chart_, box)));
    }
}

void ComparisonWindow::showSlopes(bool shown)
{
    // The series keep their names: a click in the legend hides by name.
    const auto label = [&](QLineSeries* curve, const std::optional<rates::Fit>& fit) {
        if (!curve)
            return;
        const QString text = shown ? legendLabel(curve->name(), fit) : curve->name();
        for (QLegendMarker* marker : chart_->legend()->markers(curve))
            if (marker->label() != text)
                marker->setLabel(text);
    };
    for (Method m : methods)
        label(curves_[std::size_t(m)], fits_[std::size_t(m)]);
    label(outerCurve_, outerFit_);
}

QString ComparisonWindow::legendLabel(const QString& name, const std::optional<rates::Fit>& fit) const
{
    return fit ? tr("%1（%2）", "a curve and the slope of its error")
                     .arg(name, QString::fromStdString(rates::slopeText(fit->slope)))
               : name;
}

QString ComparisonWindow::archimedesText(bool decimals) const
{
    // 3 10/71 and 3 1/7: what Archimedes wrote, rounding his square roots
    // outwards, so his bounds are a little wider than the exact 96-gon's.
    const archimedes::Polygons p = archimedes::upTo(96).back();
    const polygon::Bracket ours = polygon::bracket(p.inscribed, p.circumscribed);
    const polygon::Bracket his = polygon::bracket(223.0 / 71, 22.0 / 7);
    const QString line = tr("○ 正6角形から倍々に平方根だけで、正%1角形：%2 < π < %3　／　"
                            "アルキメデス自身の答え：3 10/71 < π < 3 1/7")
                             .arg(QString::number(p.sides), QString::fromStdString(ours.lower),
                                  QString::fromStdString(ours.upper));
    if (!decimals)
        return line;
    return line + tr("（%1 < π < %2）", "Archimedes' fractions as decimals")
                      .arg(QString::fromStdString(his.lower), QString::fromStdString(his.upper));
}

void ComparisonWindow::toggle(QLegendMarker* marker)
{
    const QString name = marker->series()->name();
    if (!hidden_.erase(name))
        hidden_.insert(name);
    showHidden();
}

void ComparisonWindow::showHidden()
{
    for (QAbstractSeries* series : chart_->series())
        series->setVisible(!hidden_.count(series->name()));
    // A hidden series hides its marker; it stays, faded, to be clicked again.
    const QColor text = chart_->legend()->labelColor();
    for (QLegendMarker* marker : chart_->legend()->markers()) {
        QAbstractSeries* series = marker->series();
        if (series->property(companion).toBool() || series->property(guideProperty).isValid()) {
            marker->setVisible(false);
            continue;
        }
        const bool shown = series->isVisible();
        marker->setVisible(true);
        QPen pen;
        QBrush brush;
        if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            pen = area->pen();
            brush = area->brush();
        } else if (auto* xy = qobject_cast<QXYSeries*>(series)) {
            pen = xy->pen();
            brush = xy->brush();
        }
        pen.setColor(faded(pen.color(), shown));
        brush.setColor(faded(brush.color(), shown));
        marker->setPen(pen);
        marker->setBrush(brush);
        marker->setLabelBrush(faded(text, shown));
    }
}

void ComparisonWindow::setProbe(std::int64_t n)
{
    cursor_ = std::clamp<std::int64_t>(n, 1, steps_);
    moveProbeLine();
    // Two columns of four, so the reading takes little height.
    QString html = QStringLiteral("<b>%1</b><table cellspacing=0 cellpadding=1>").arg(tr("n＝%1").arg(cursor_));
    const QStringList lines = readout().split(QLatin1Char('\n')).mid(1);
    for (int row = 0; row < 4; ++row)
        html += QStringLiteral("<tr><td>%1</td><td width=24></td><td>%2</td></tr>")
                    .arg(lines.value(row).toHtmlEscaped(), lines.value(row + 4).toHtmlEscaped());
    readout_->setText(html + QStringLiteral("</table>"));
    readout_->setAccessibleName(voice().spokenNumbers(readout()));
}

void ComparisonWindow::moveProbeLine()
{
    const QPointF top = chart_->mapToPosition({double(cursor_), errorCeiling});
    const QPointF bottom = chart_->mapToPosition({double(cursor_), errorFloor});
    cursorLine_->setLine(QLineF(top, bottom));
}

QString ComparisonWindow::readoutAt(std::int64_t n) const
{
    QStringList parts;
    for (Method m : methods) {
        const Sequence& sequence = sequences_[std::size_t(m)];
        QString value = tr("なし");
        if (n >= sequence.first && n <= steps_ && !std::isnan(sequence.at(n)))
            value = QString::fromStdString(valueText(m, sequence.at(n)));
        parts.append(tr("%1：%2").arg(methodName(m), value));
    }
    return tr("n＝%1").arg(n) + QLatin1Char('\n') + parts.join(QLatin1Char('\n'));
}

void ComparisonWindow::sayProbe() { voice().announce(this, spokenReadout(cursor_)); }

QString ComparisonWindow::spokenReadout(std::int64_t n) const
{
    // One sentence: a reader's log and its speech both break at lines.
    return voice().spokenNumbers(readoutAt(n).replace(QLatin1Char('\n'), tr("、")));
}

QString ComparisonWindow::chartDescription() const
{
    QStringList lines;
    lines.append(tr("両対数のグラフ。横軸は段数 n で 1 から %1 まで、縦軸は誤差 |π − 値| で 10⁻¹⁶ から 10 まで。"
                    "8つの方法の曲線と、実験の標準誤差の範囲。")
                     .arg(steps_));
    lines.append(tr("ここの実験は、点と針をウィンドウのような格子の上ではなく、どこにでも倍精度で投げます。"
                    "格子の上では、とても多く投げると π から少しずれた値に落ち着いてしまうからです。"));
    lines.append(tr("名前の後の数は誤差の傾き（両対数で、最後の1桁の n から求めたもの。実験は全体から）。"
                    "灰色の点線は傾き −0.5、−1、−2 の目安。"));
    const auto slopeSaid = [](const std::optional<rates::Fit>& fit) {
        return fit ? tr("、傾き %1").arg(QString::fromStdString(rates::slopeText(fit->slope))) : QString();
    };
    for (Method m : methods) {
        const Sequence& sequence = sequences_[std::size_t(m)];
        const double last = sequence.at(sequence.last());
        QString line = tr("%1：n＝%2 で誤差 %3").arg(methodName(m)).arg(sequence.last()).arg(error(last), 0, 'g', 2);
        if (sequence.limitStep != 0)
            line += tr("（n＝%1 で倍精度の限界に達して止まる）").arg(sequence.limitStep);
        lines.append(line + slopeSaid(fits_[std::size_t(m)]) + tr("。"));
    }
    lines.append(tr("%1：n＝%2 で誤差 %3")
                     .arg(outerCurve_ ? outerCurve_->name() : QString())
                     .arg(outer_.last())
                     .arg(error(outer_.at(outer_.last())), 0, 'g', 2)
                 + slopeSaid(outerFit_) + tr("。"));
    lines.append(archimedesText());
    return lines.join(QLatin1Char('\n'));
}

QString ComparisonWindow::csv() const { return comparisonCsv(*model_); }

bool ComparisonWindow::saveCsv(const QString& path) const { return writeCsv(path, csv()); }

bool ComparisonWindow::savePicture(const QString& path) const
{
    // The probe's line follows the pointer: it is no part of a handout.
    cursorLine_->hide();
    const bool written = writePicture(*view_, path, windowTitle(), chartDescription());
    cursorLine_->show();
    return written;
}

void ComparisonWindow::pictureDialog()
{
    const QString path = ChartFiles::askPicture(this, tr("グラフを保存"), QStringLiteral("sorvena-compare.png"));
    if (!path.isEmpty())
        ChartFiles::saved(this, path, savePicture(path));
}

void ComparisonWindow::csvDialog()
{
    const QString path = ChartFiles::askCsv(this, tr("CSV を保存"), QStringLiteral("sorvena-compare.csv"));
    if (!path.isEmpty())
        ChartFiles::saved(this, path, saveCsv(path));
}

} // namespace charts

// SPDX-License-Identifier: GPL-3.0-or-later
// The eight methods side by side: |π − value| against the step count n on
// log–log axes, one curve per method, with a cursor that reads the values,
// a table of the same data (ComparisonModel) and export to PNG, SVG and CSV
// (ComparisonExport). Lives in the chart module, the only part of the
// program that links Qt Charts.
#pragma once

#include "rules/Convergence.h"
#include "rules/Rates.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <optional>
#include <set>
#include <vector>

class QCategoryAxis;
class QComboBox;
class QGraphicsTextItem;
class QLegendMarker;
class QGraphicsLineItem;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTabWidget;
class QChart;
class QChartView;
class QLineSeries;
class QLogValueAxis;

namespace charts {

using compare::Method;
using compare::Sequence;
using compare::defaultSteps;
using compare::maxSteps;
using compare::methods;

class ComparisonModel;

class ComparisonWindow : public QWidget {
    Q_OBJECT
    // The program sets it from --seed through the property: the module's
    // interface hands over only the window.
    Q_PROPERTY(quint64 seed READ seed WRITE setSeed)
public:
    explicit ComparisonWindow(QWidget* parent = nullptr);
    ~ComparisonWindow() override;

    // The methods' names as the menu writes them.
    static QString methodName(Method method);

    // Recomputes every method up to n steps and redraws.
    void setSteps(std::int64_t n);
    std::int64_t steps() const { return steps_; }
    // "もう一度": the experiments again, with a new seed.
    void again();
    std::uint64_t seed() const { return seed_; }
    // The experiments again from this seed, as `--table --seed --continuous`
    // throws them, so that a run can be made again at home.
    void setSeed(std::uint64_t seed);

    const Sequence& sequence(Method method) const { return sequences_[std::size_t(method)]; }
    // The polygons outside the circle, the second polygon curve.
    const Sequence& circumscribed() const { return outer_; }
    // A method's slope on the log–log axes (rates::fitted), shown beside its
    // name in the legend; the circumscribed polygons' with Method::Polygon
    // and `outside`.
    std::optional<rates::Fit> slope(Method method, bool outside = false) const
    {
        return outside ? outerFit_ : fits_[std::size_t(method)];
    }
    // The line under the chart: the 96-gon's bounds found without π, beside
    // Archimedes' own (his fractions also as decimals, with `decimals`).
    QString archimedesText(bool decimals = true) const;
    // The steps the curves, the table and the CSV show: every n up to 100,
    // then a hundred to a decade, and N itself.
    const std::vector<std::int64_t>& sampleSteps() const { return samples_; }

    // The cursor at step n (mouse or arrow keys), and what it reads.
    void setProbe(std::int64_t n);
    std::int64_t probe() const { return cursor_; }
    QString readout() const { return readoutAt(cursor_); }
    // Every method's value at step n, one a line after the n.
    QString readoutAt(std::int64_t n) const;
    // The probe moved by key: its n and values are said.
    void sayProbe();
    QString spokenReadout(std::int64_t n) const;

    bool savePicture(const QString& path) const; // .png or .svg
    bool saveCsv(const QString& path) const;
    QString csv() const;
    QString chartDescription() const;

    QChart* chart() const { return chart_; }
    QChartView* chartView() const { return view_; }
    QTableView* tableView() const { return table_; }
    QComboBox* stepsChooser() const { return chooser_; }
    // The axes that carry the labels (powers of ten, written as 10⁻⁵); the
    // logarithmic axes the curves are drawn on are not shown.
    QCategoryAxis* stepsAxis() const { return labelsX_; }
    QCategoryAxis* errorAxis() const { return labelsY_; }

    // The client size the window would like, before the screen has a say.
    static QSize preferredSize() { return {1240, 800}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void compute(bool experiments);
    void redraw();
    void moveProbeLine();
    void pictureDialog();
    void csvDialog();
    void fitToScreen();
    void layOutChart();
    bool legendFits() const;
    void labelAxes(bool force);
    void placeGuideLabels();
    void showSlopes(bool shown);
    QString legendLabel(const QString& name, const std::optional<rates::Fit>& fit) const;
    void toggle(QLegendMarker* marker);
    void showHidden();

    std::int64_t steps_ = defaultSteps;
    std::uint64_t seed_ = 0;
    std::int64_t cursor_ = 0;
    std::array<Sequence, methods.size()> sequences_{};
    std::array<std::optional<rates::Fit>, methods.size()> fits_{};
    Sequence outer_{};
    std::optional<rates::Fit> outerFit_;
    std::vector<std::int64_t> samples_;

    QComboBox* chooser_;
    QPushButton* againButton_;
    QLineEdit* seedField_;
    QPushButton* pictureButton_;
    QPushButton* csvButton_;
    QTabWidget* tabs_;
    QChart* chart_;
    QChartView* view_;
    QLabel* readout_;
    QTableView* table_;
    ComparisonModel* model_;
    QLogValueAxis* axisX_;
    QLogValueAxis* axisY_;
    QCategoryAxis* labelsX_;
    QCategoryAxis* labelsY_;
    int errorLabelStep_ = 0;
    // As Qt gives them; with the legend below the plot a little smaller.
    QFont legendFont_;
    std::optional<QFont> titleFont_;
    QGraphicsTextItem* note_;
    QGraphicsTextItem* archimedes_;
    // The guides' labels at their right ends: n^−½, n^−1, n^−2.
    std::array<QGraphicsTextItem*, 3> guideLabels_{};
    // The legend names of what a click in the legend has hidden; they outlive
    // the series, which every redraw makes anew.
    std::set<QString> hidden_;
    std::array<QLineSeries*, methods.size()> curves_{};
    QLineSeries* outerCurve_ = nullptr;
    QGraphicsLineItem* cursorLine_ = nullptr;
};

} // namespace charts

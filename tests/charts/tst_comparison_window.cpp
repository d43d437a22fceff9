// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison window: its curves, cursor, table and exports, and the
// way the menu and the loader reach it.
#include "charts/ChartsModule.h"
#include "charts/ComparisonExport.h"
#include "charts/ComparisonModel.h"
#include "charts/Faces.h"
#include "charts/ComparisonWindow.h"
#include "charts/Voice.h"
#include "charts/WindowFit.h"
#include "platform/accessible/Factory.h"
#include "platform/accessible/Signs.h"
#include "rules/PolygonRules.h"
#include "shell/Form7.h"
#include "support/Missing.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsTextItem>
#include <QChartView>
#include <QComboBox>
#include <QFontInfo>
#include <QScopeGuard>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QStackedWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QPushButton>
#include <QTableView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <set>

using charts::ComparisonWindow;
using compare::Method;

namespace {

// The eight methods' curves.
QList<QLineSeries*> curves(const ComparisonWindow& w)
{
    QList<QLineSeries*> found;
    for (QAbstractSeries* s : w.chart()->series())
        if (s->type() == QAbstractSeries::SeriesTypeLine && compare::methodNamed(s->objectName().toStdString()))
            found.append(static_cast<QLineSeries*>(s));
    return found;
}

QString slopeText(const std::optional<rates::Fit>& fit)
{
    return fit ? QString::fromStdString(rates::slopeText(fit->slope)) : QStringLiteral("none");
}

QLineSeries* curve(const ComparisonWindow& w, Method m)
{
    for (QLineSeries* c : curves(w))
        if (c->objectName() == QString::fromLatin1(compare::shortName(m).data()))
            return c;
    return nullptr;
}

// The texts the chart draws, the axes' labels among them.
QList<QGraphicsTextItem*> texts(const ComparisonWindow& w)
{
    QList<QGraphicsTextItem*> found;
    for (QGraphicsItem* item : w.chart()->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
            found.append(text);
    return found;
}

} // namespace

class TestComparison : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { delete w_; }
    void eightCurves();
    void seriesStopAtTheLimit();
    void ratesAndArchimedes_data();
    void ratesAndArchimedes();
    void cursorReadsEveryMethod();
    void tableHoldsTheCurvesData();
    void csvWithoutTheWindow_data();
    void csvWithoutTheWindow();
    void againDrawsNewExperiments();
    void menuShortcutOpensIt();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void labelsWhole_data();
    void labelsWhole();
    void svgDrawnElsewhereAsShown_data();
    void svgDrawnElsewhereAsShown();
    void legendClickHidesCurve();
    void numbersInWords_data();
    void numbersInWords();
    void cellsSpokenWithMethodAndN_data();
    void cellsSpokenWithMethodAndN();
    void keysSayEveryMethod_data();
    void keysSayEveryMethod();
    void seedMakesTheRunAgain();
    void keysClose_data();
    void keysClose();
    void tabLeavesTheTable_data();
    void tabLeavesTheTable();
    void newNMovesTheCursor();
    void stepsBoxIsReadByItsText_data();
    void stepsBoxIsReadByItsText();

private:
    // One window, shown, for the tests that only read it.
    ComparisonWindow* w_ = nullptr;
};

void TestComparison::initTestCase()
{
    // As the loader does: the program's factory serves the module's widgets.
    platform::accessible::install();
    charts::setVoice(charts::programVoice());
    w_ = new ComparisonWindow;
    w_->resize(1000, 700);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
}

void TestComparison::eightCurves()
{
    const ComparisonWindow& w = *w_;
    QCOMPARE(w.steps(), compare::defaultSteps);
    QCOMPARE(w.stepsChooser()->currentData().toLongLong(), compare::defaultSteps);
    const QList<QLineSeries*> all = curves(w);
    QCOMPARE(all.size(), 8);
    // Named as on the menu, and no two alike in colour or in line style.
    Form7 menu;
    const QStringList menuNames{menu.Command1->text(), menu.Command3->text(), menu.Command4->text(),
                                menu.Command11->text(), menu.Command12->text(), menu.Command13->text(),
                                menu.Command5->text(), menu.Command6->text()};
    std::set<QRgb> colours;
    std::set<QList<qreal>> styles;
    for (std::size_t i = 0; i < compare::methods.size(); ++i) {
        QLineSeries* c = curve(w, compare::methods[i]);
        QVERIFY(c);
        QCOMPARE(c->name(), menuNames[int(i)]);
        colours.insert(c->pen().color().rgb());
        const QPen pen = c->pen();
        styles.insert(pen.style() == Qt::SolidLine ? QList<qreal>{} : pen.dashPattern());
        // And its slope beside it in the legend.
        QCOMPARE(w.chart()->legend()->markers(c).constFirst()->label(),
                 QStringLiteral("%1（%2）").arg(menuNames[int(i)], slopeText(w.slope(compare::methods[i]))));
    }
    QCOMPARE(colours.size(), std::size_t(8));
    QCOMPARE(styles.size(), std::size_t(8));
    // Every point is the method's error at that step.
    for (Method m : compare::methods) {
        const compare::Sequence& sequence = w.sequence(m);
        for (const QPointF& p : curve(w, m)->points()) {
            const double e = compare::error(sequence.at(std::int64_t(p.x())));
            QCOMPARE(p.y(), std::clamp(e, 1e-16, 10.0));
        }
    }
    // Both experiments have their band.
    int bands = 0;
    for (QAbstractSeries* s : w.chart()->series())
        bands += s->type() == QAbstractSeries::SeriesTypeArea ? 1 : 0;
    QCOMPARE(bands, 2);
}

void TestComparison::seriesStopAtTheLimit()
{
    ComparisonWindow w;
    w.stepsChooser()->setCurrentIndex(w.stepsChooser()->findData(qlonglong(compare::maxSteps)));
    QCOMPARE(w.steps(), compare::maxSteps);
    QList<double> stops;
    for (Method m : compare::methods) {
        const compare::Sequence& sequence = w.sequence(m);
        QCOMPARE(sequence.last(), compare::maxSteps);
        const QList<QPointF> points = curve(w, m)->points();
        QCOMPARE(std::int64_t(points.back().x()), sequence.limitStep ? sequence.limitStep : compare::maxSteps);
        if (sequence.limitStep)
            stops.append(double(sequence.limitStep));
    }
    QCOMPARE(stops.size(), 2); // the two Matsunaga series
}

void TestComparison::ratesAndArchimedes_data()
{
    QTest::addColumn<qint64>("steps");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("doubled"); // the polygons of the doubling, from the hexagon
    QTest::newRow("N = 100, 1024x768") << qint64(100) << QSize(1008, 728) << 5;
    QTest::newRow("N = 10⁴, the projector's 1920x1080") << qint64(10000) << QSize(994, 528) << 11;
}

void TestComparison::ratesAndArchimedes()
{
    QFETCH(qint64, steps);
    QFETCH(QSize, client);
    QFETCH(int, doubled);
    ComparisonWindow w;
    w.setSteps(steps);
    w.resize(client);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QMap<QString, QXYSeries*> named;
    QList<QLineSeries*> guides;
    for (QAbstractSeries* s : w.chart()->series()) {
        named[s->objectName()] = qobject_cast<QXYSeries*>(s);
        if (s->property("rateGuide").isValid())
            guides.append(qobject_cast<QLineSeries*>(s));
    }
    // The polygons outside, k·tan(π/k) from the triangle to N, above those inside.
    QXYSeries* outer = named.value(QStringLiteral("circumscribed"));
    QVERIFY(outer && outer->at(0).x() == 3 && outer->points().last().x() == double(steps));
    for (const QPointF& p : outer->points()) {
        QCOMPARE(p.y(), compare::error(polygon::circumscribed(std::int64_t(p.x()))));
        QVERIFY(p.y() > compare::error(w.sequence(Method::Polygon).at(std::int64_t(p.x()))));
    }
    QCOMPARE(w.chart()->legend()->markers(outer).constFirst()->label(), outer->name() + QStringLiteral("（−2.0）"));
    // Archimedes' doubling: both bounds of 6, 12, 24, … sides.
    QXYSeries* doublings = named.value(QStringLiteral("doublings"));
    QVERIFY(doublings && doublings->count() == 2 * doubled);
    for (int i = 0; i < 2 * doubled; ++i)
        QCOMPARE(doublings->at(i).x(), double(6 << (i / 2)));
    // Guides of n^−½, n^−1 and n^−2 over the whole range, labelled inside the plot.
    QCOMPARE(guides.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(guides[i]->count() == 2 && guides[i]->at(1).x() == double(steps));
        const double slope = std::log10(guides[i]->at(1).y() / guides[i]->at(0).y()) / std::log10(double(steps));
        QVERIFY(std::abs(slope - QList<double>{-0.5, -1, -2}[i]) < 1e-12);
    }
    QStringList labelled;
    QGraphicsTextItem* caption = nullptr;
    for (QGraphicsTextItem* t : texts(w)) {
        if (t->objectName() == QLatin1String("guideLabel") && w.chart()->plotArea().contains(t->sceneBoundingRect()))
            labelled.append(t->toPlainText());
        if (t->objectName() == QLatin1String("archimedes"))
            caption = t;
    }
    labelled.sort();
    QCOMPARE(labelled, (QStringList{"n−1（傾き −1.0）", "n−2（傾き −2.0）", "n−½（傾き −0.5）"}));
    // One line under the plot: the 96-gon beside Archimedes' own bounds.
    QVERIFY(caption && caption->toPlainText().contains(QStringLiteral("3.14103 < π < 3.14271"))
            && caption->toPlainText().contains(QStringLiteral("3 10/71 < π < 3 1/7")));
    QVERIFY(caption->sceneBoundingRect().top() >= w.chart()->plotArea().bottom()
            && caption->boundingRect().height() < 2 * QFontMetricsF(caption->font()).height());
}

void TestComparison::cursorReadsEveryMethod()
{
    ComparisonWindow& w = *w_;
    w.chartView()->setFocus();
    QTest::keyClick(w.chartView(), Qt::Key_Home);
    QTest::keyClick(w.chartView(), Qt::Key_Right);
    QTest::keyClick(w.chartView(), Qt::Key_Right);
    QCOMPARE(w.probe(), 3);
    // The mouse over the plot moves it to the step under the pointer.
    const QPointF at = w.chart()->mapToPosition({250, 1e-3});
    QTest::mouseMove(w.chartView()->viewport(), w.chartView()->mapFromScene(at));
    QTRY_VERIFY(std::abs(w.probe() - 250) <= 3);
    const QString reading = w.readout();
    QVERIFY(reading.startsWith(QStringLiteral("n＝%1\n").arg(w.probe())));
    for (Method m : compare::methods)
        QVERIFY(reading.contains(ComparisonWindow::methodName(m) + QStringLiteral("：") +
                                 QString::fromStdString(compare::valueText(m, w.sequence(m).at(w.probe())))));
    QVERIFY(w.chartView()->accessibleDescription().contains(QStringLiteral("両対数")));
    // The pictures saved are the chart, the PNG drawn for print (the CSV is
    // checked end to end, through the file dialog).
    QTemporaryDir dir;
    QVERIFY(w.savePicture(dir.filePath(QStringLiteral("c.png"))));
    const QImage png(dir.filePath(QStringLiteral("c.png")));
    QCOMPARE(png.size(), w.chartView()->size() * charts::printScale);
    // The SVG is one a renderer reads, its description with a "<" in it.
    QVERIFY(w.savePicture(dir.filePath(QStringLiteral("c.svg"))));
    QSvgRenderer svg(dir.filePath(QStringLiteral("c.svg")));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox().size(), w.chartView()->size());
}

void TestComparison::tableHoldsTheCurvesData()
{
    const ComparisonWindow& w = *w_;
    const QAbstractItemModel* model = w.tableView()->model();
    QCOMPARE(model->rowCount(), int(w.sampleSteps().size()));
    QCOMPARE(model->columnCount(), 17);
    QCOMPARE(model->headerData(5, Qt::Horizontal).toString(), ComparisonWindow::methodName(Method::Leibniz));
    for (int row : {0, 99, model->rowCount() - 1}) {
        const std::int64_t n = model->index(row, 0).data().toLongLong();
        QCOMPARE(n, w.sampleSteps()[std::size_t(row)]);
        const compare::Sequence& sequence = w.sequence(Method::Leibniz);
        QCOMPARE(model->index(row, 5).data().toString().toStdString(),
                 compare::valueText(Method::Leibniz, sequence.at(n)));
        QCOMPARE(model->index(row, 13).data().toDouble(), compare::error(sequence.at(n)));
    }
    // The polygons start at the triangle.
    QVERIFY(model->index(1, 1).data().toString().isEmpty());
    QVERIFY(!model->index(2, 1).data().toString().isEmpty());
}

void TestComparison::csvWithoutTheWindow_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("text");
    QTest::newRow("header, values") << 0 << 8 << "matsunaga2";
    QTest::newRow("header, errors") << 0 << 9 << "polygon error";
    QTest::newRow("no triangle at n=1") << 1 << 1 << "";
    QTest::newRow("nor the triangle's error") << 1 << 9 << "";
    QTest::newRow("no needle has met a line") << 1 << 3 << "";
    QTest::newRow("nor the needles' error") << 1 << 11 << "";
    QTest::newRow("series as their window prints") << 1 << 4 << "2";
    QTest::newRow("the triangle, 14 decimals") << 2 << 1 << "2.59807621135331";
    QTest::newRow("its error, every digit") << 2 << 9 << "0.5435164422364789";
}

void TestComparison::csvWithoutTheWindow()
{
    QFETCH(int, line);
    QFETCH(int, cell);
    QFETCH(QString, text);
    charts::ComparisonModel::Sequences sequences;
    for (Method m : compare::methods)
        sequences[std::size_t(m)] = compare::compute(m, 3, 1);
    sequences[std::size_t(Method::Buffon)].values[0] = std::nan("");
    const std::vector<std::int64_t> steps{1, 3};
    const charts::ComparisonModel model(sequences, steps);
    const QStringList lines = charts::comparisonCsv(model).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4); // and the last line ends in a newline
    for (const QString& l : lines.mid(0, 3))
        QCOMPARE(l.count(QLatin1Char(',')), 16);
    QCOMPARE(lines[line].split(QLatin1Char(','))[cell], text);
}

void TestComparison::againDrawsNewExperiments()
{
    ComparisonWindow w;
    const std::vector<double> leibniz = w.sequence(Method::Leibniz).values;
    const std::vector<double> points = w.sequence(Method::MonteCarlo).values;
    const std::uint64_t seed = w.seed();
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("again")), Qt::LeftButton);
    QVERIFY(w.seed() != seed);
    QVERIFY(w.sequence(Method::MonteCarlo).values != points);
    QCOMPARE(w.sequence(Method::MonteCarlo).values,
             compare::compute(Method::MonteCarlo, w.steps(), w.seed(), compare::Throws::Continuous).values);
    QCOMPARE(w.sequence(Method::Leibniz).values, leibniz);
}

void TestComparison::menuShortcutOpensIt()
{
    testing::SoundRecorder sound;
    QString why;
    QVERIFY2(charts::chartsModule(&why), qPrintable(why));
    Form7 menu;
    QVERIFY(menu.accessibleDescription().contains(QStringLiteral("Ctrl+K")));
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QTest::keyClick(&menu, Qt::Key_K, Qt::ControlModifier);
    QWidget* opened = nullptr;
    // The new one, not the shared window the other tests read.
    QTRY_VERIFY((opened = [this] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("ComparisonWindow") && w->isVisible() && w != w_)
                return w;
        return static_cast<QWidget*>(nullptr);
    }()));
    QVERIFY(menu.isVisible()); // the menu stays as it is
    // Closed, it deletes itself; waited for, so that no later test's events decide when.
    const QPointer<QWidget> gone = opened;
    opened->close();
    QTRY_VERIFY(!gone);
}

void TestComparison::fitsTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("client");
    // Logical pixels: a projector's scale divides the screen by itself.
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << QSize(1008, 728);
    QTest::newRow("1920x1080 at the projector's 1.9") << QRect(0, 0, 1010, 568) << QSize(994, 528);
    QTest::newRow("1024x768 at 3") << QRect(0, 0, 341, 256) << QSize(325, 216);
    QTest::newRow("wide, under a panel") << QRect(0, 30, 2560, 1410) << ComparisonWindow::preferredSize();
}

void TestComparison::fitsTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(QSize, client);
    const QRect placed = charts::fittedGeometry(available, charts::typicalFrame, ComparisonWindow::preferredSize());
    QCOMPARE(placed.size(), client);
    QVERIFY(available.contains(placed.marginsAdded(charts::typicalFrame)));
}

void TestComparison::labelsWhole_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("projector");
    QTest::newRow("1024x768") << QSize(1008, 728) << false;
    QTest::newRow("1920x1080 with the projector") << QSize(994, 528) << true;
    QTest::newRow("1024x768 with the projector") << QSize(803, 574) << true;
    QTest::newRow("1024x768 with the projector, in lesson mode") << QSize(874, 627) << true;
    // Too narrow for the legend beside the plot: below it, folded.
    QTest::newRow("narrow") << QSize(600, 700) << false;
    QTest::newRow("narrower") << QSize(420, 700) << false;
}

void TestComparison::labelsWhole()
{
    QFETCH(QSize, client);
    QFETCH(bool, projector);
    charts::setLargeNumbers(projector);
    const auto designNumbers = qScopeGuard([] { charts::setLargeNumbers(false); });
    ComparisonWindow w;
    if (projector)
        QVERIFY(QFontInfo(w.errorAxis()->labelsFont()).pixelSize() >= charts::largeNumberPixels);
    w.resize(client);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList wanted = w.errorAxis()->categoriesLabels() + w.stepsAxis()->categoriesLabels();
    QVERIFY(wanted.contains(QStringLiteral("10⁻¹⁶")) && wanted.contains(QStringLiteral("10⁴")));
    // And the legend's names (a drawn U+3000 reads back as a blank).
    for (QLegendMarker* marker : w.chart()->legend()->markers())
        if (marker->isVisible())
            wanted.append(marker->label().simplified());
    QTRY_VERIFY([&] {
        QStringList drawn;
        for (QGraphicsTextItem* t : texts(w))
            drawn.append(t->toPlainText().simplified());
        return std::all_of(wanted.begin(), wanted.end(), [&](const QString& l) { return drawn.contains(l); });
    }());
    // Nor cut where the legend ends.
    const QRectF legend = w.chart()->legend()->geometry();
    for (QGraphicsTextItem* t : texts(w))
        if (w.chart()->legend()->isAncestorOf(t))
            QVERIFY2(legend.contains(t->mapRectToItem(w.chart(), t->boundingRect())), qPrintable(t->toPlainText()));
    QList<QRectF> boxes;
    for (QGraphicsTextItem* t : texts(w)) {
        QVERIFY2(!t->toPlainText().contains(QStringLiteral("...")) && !t->toPlainText().contains(QChar(0x2026)),
                 qPrintable(t->toPlainText()));
        const QRectF box = t->sceneBoundingRect();
        if (w.errorAxis()->categoriesLabels().contains(t->toPlainText()) && box.right() <= w.chart()->plotArea().left())
            boxes.append(box);
    }
    // The error axis's labels, one above the other, never overlap.
    QCOMPARE(boxes.size(), w.errorAxis()->count());
    for (qsizetype i = 0; i < boxes.size(); ++i)
        for (qsizetype j = i + 1; j < boxes.size(); ++j)
            QVERIFY(!boxes[i].intersects(boxes[j]));
}

void TestComparison::svgDrawnElsewhereAsShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numbers");
    QTest::newRow("a method's name") << QStringLiteral("無限級数からπを求める(マツナガ　ヨシスケ１)(−15.4)") << false;
    QTest::newRow("σ in a band's name") << QStringLiteral("モンテカルロ法の標準誤差 σ と 90% の帯") << false;
    QTest::newRow("the numbers' face falling back") << QStringLiteral("段数 n（項・因数・辺・点・針の数）") << true;
}

// Another program (librsvg, as in a browser or a word processor) draws the
// saved SVG's text as wide as the window showed it: no gaps, no overlaps.
void TestComparison::svgDrawnElsewhereAsShown()
{
    QFETCH(QString, text);
    QFETCH(bool, numbers);
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (rsvg.isEmpty())
        SKIP_MISSING("rsvg-convert (librsvg2-bin) is not installed");
    QLabel label(text);
    if (numbers)
        label.setFont(charts::numberFont(label.font()));
    label.setStyleSheet(QStringLiteral("QLabel { background: white; color: black; padding: 4px; }"));
    label.adjustSize();
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("t.svg")), png = dir.filePath(QStringLiteral("t.png"));
    QVERIFY(charts::writePicture(label, svg, text, text));
    QProcess render;
    render.start(rsvg, {QStringLiteral("-o"), png, svg});
    QVERIFY(render.waitForFinished() && render.exitCode() == 0);
    // Where each picture's dark pixels begin and end across.
    const auto inkAcross = [](const QImage& image) {
        int first = image.width(), last = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QRgb p = image.pixel(x, y); qAlpha(p) > 128 && qGray(p) < 128) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair{first, last};
    };
    const auto [shownFirst, shownLast] = inkAcross(label.grab().toImage());
    const auto [drawnFirst, drawnLast] = inkAcross(QImage(png));
    QVERIFY(shownLast > shownFirst);
    // Within a few pixels: hinting differs by a fraction of one per glyph.
    const int slack = std::max(3, (shownLast - shownFirst) / 50);
    QVERIFY2(std::abs(drawnFirst - shownFirst) <= slack && std::abs(drawnLast - shownLast) <= slack,
             qPrintable(QStringLiteral("shown %1..%2, drawn %3..%4").arg(shownFirst).arg(shownLast).arg(drawnFirst).arg(drawnLast)));
}

void TestComparison::legendClickHidesCurve()
{
    ComparisonWindow& w = *w_;
    QLineSeries* leibniz = curve(w, Method::Leibniz);
    QLegendMarker* marker = w.chart()->legend()->markers(leibniz).constFirst();
    QGraphicsTextItem* label = nullptr;
    for (QGraphicsTextItem* t : texts(w))
        if (t->toPlainText().startsWith(leibniz->name()))
            label = t;
    QVERIFY(label);
    const QPoint at = w.chartView()->mapFromScene(label->sceneBoundingRect().center());
    QTest::mouseClick(w.chartView()->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!leibniz->isVisible());
    QVERIFY(marker->isVisible());
    QVERIFY(marker->labelBrush().color().alphaF() < 0.5);
    QTest::mouseClick(w.chartView()->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(leibniz->isVisible());
}

void TestComparison::numbersInWords_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("ja, every digit") << "ja" << "5.1677131018834643e-08" << "5.1677131018834643 かける 10 の マイナス 8 乗";
    QTest::newRow("ja, positive, in a sentence") << "ja" << "誤差 1e+06。" << "誤差 1 かける 10 の 6 乗。";
    QTest::newRow("ja, powers as the axes write them") << "ja" << "10⁻¹⁶ から 10⁴ まで" << "10 の マイナス 16 乗 から 10 の 4 乗 まで";
    QTest::newRow("ja, not numbers") << "ja" << "3.14159265358979, x2e5, 10e, 110⁴" << "3.14159265358979, x2e5, 10e, 110⁴";
    QTest::newRow("en") << "en" << "error 5.2e-08 or 10⁻⁵" << "error 5.2 times 10 to the minus 8 or 10 to the minus 5";
}

void TestComparison::numbersInWords()
{
    QFETCH(QString, language);
    QFETCH(QString, text);
    QFETCH(QString, spoken);
    QTranslator english;
    if (language == QLatin1String("en"))
        QVERIFY(english.load(QStringLiteral(":/i18n/sorvena_en.qm")) && QCoreApplication::installTranslator(&english));
    const QString said = platform::accessible::spokenNumbers(text);
    QCoreApplication::removeTranslator(&english);
    QCOMPARE(said, spoken);
}

void TestComparison::cellsSpokenWithMethodAndN_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("spoken"); // %v: the digits shown
    const QString leibniz = ComparisonWindow::methodName(Method::Leibniz);
    QTest::newRow("the n column") << 2 << 0 << "n＝3";
    QTest::newRow("no triangle at n=1") << 0 << 1 << ComparisonWindow::methodName(Method::Polygon) + "、n＝1、なし";
    QTest::newRow("a value, as shown") << 2 << 5 << leibniz + "、n＝3、%v";
    QTest::newRow("an error, in words") << 299 << 13
                                        << "誤差：" + leibniz + "、n＝10000、9.99999997586265 かける 10 の マイナス 5 乗";
}

void TestComparison::cellsSpokenWithMethodAndN()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, spoken);
    QTableView* table = w_->tableView();
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(table)->tableInterface()->cellAt(row, column);
    QCOMPARE(cell->text(QAccessible::Name), spoken.replace("%v", table->model()->index(row, column).data().toString()));
}

void TestComparison::keysSayEveryMethod_data()
{
    // A key in the graph or the table, and the n it must then say.
    QTest::addColumn<bool>("inTable");
    QTest::addColumn<int>("key");
    QTest::addColumn<qint64>("n");
    QTest::newRow("Right in the graph") << false << int(Qt::Key_Right) << qint64(2);
    QTest::newRow("End in the graph") << false << int(Qt::Key_End) << qint64(10000);
    QTest::newRow("Down in the table") << true << int(Qt::Key_Down) << qint64(2);
}

void TestComparison::keysSayEveryMethod()
{
    QFETCH(bool, inTable);
    QFETCH(int, key);
    QFETCH(qint64, n);
    ComparisonWindow w;
    w.resize(1000, 700);
    QWidget* target = inTable ? static_cast<QWidget*>(w.tableView()) : w.chartView();
    w.findChild<QTabWidget*>()->setCurrentWidget(inTable ? static_cast<QWidget*>(w.tableView()) : w.chartView()->parentWidget());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    target->setFocus();
    if (inTable)
        w.tableView()->setCurrentIndex(w.tableView()->model()->index(0, 0));
    else
        w.setProbe(1);
    QTest::keyClick(target, Qt::Key(key));
    const auto* said = w.findChild<QWidget*>(QStringLiteral("announcement"));
    QVERIFY(said);
    QVERIFY2(said->accessibleName().startsWith(QStringLiteral("n＝%1").arg(n)), qPrintable(said->accessibleName()));
    for (Method m : compare::methods)
        QVERIFY2(said->accessibleName().contains(ComparisonWindow::methodName(m)), qPrintable(ComparisonWindow::methodName(m)));
    // The tab pages' stack is passed in silence, no "layered pane".
    QCOMPARE(QAccessible::queryAccessibleInterface(w.findChild<QStackedWidget*>())->role(), QAccessible::Pane);
}

void TestComparison::seedMakesTheRunAgain()
{
    // The seed typed in, or given by the program, throws what
    // --table --seed --continuous throws.
    ComparisonWindow w;
    w.show();
    auto* field = w.findChild<QLineEdit*>(QStringLiteral("seed"));
    QCOMPARE(field->text(), QString::number(w.seed()));
    field->setText(QStringLiteral("20261208"));
    QMetaObject::invokeMethod(field, "editingFinished");
    QCOMPARE(w.seed(), 20261208u);
    for (Method m : {Method::MonteCarlo, Method::Buffon}) {
        const compare::Sequence atHome = compare::compute(m, w.steps(), 20261208, compare::Throws::Continuous);
        for (std::int64_t n : {std::int64_t(1), std::int64_t(777), w.steps()})
            QCOMPARE(w.sequence(m).at(n), atHome.at(n));
    }
    w.setProperty("seed", QVariant::fromValue(quint64(5)));
    QCOMPARE(field->text(), QStringLiteral("5"));
    w.again();
    QCOMPARE(field->text(), QString::number(w.seed()));
}

void TestComparison::keysClose_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
}

void TestComparison::keysClose()
{
    QFETCH(QKeySequence, keys);
    ComparisonWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keySequence(&w, keys);
    QTRY_VERIFY(!w.isVisible());
}

void TestComparison::tabLeavesTheTable_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier);
}

void TestComparison::tabLeavesTheTable()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ComparisonWindow w;
    w.findChild<QTabWidget*>()->setCurrentWidget(w.tableView());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.tableView()->setFocus();
    w.tableView()->setCurrentIndex(w.tableView()->model()->index(5, 3));
    QTest::keyClick(w.tableView(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget() != w.tableView());
    QCOMPARE(w.tableView()->currentIndex().row(), 5);
}

void TestComparison::newNMovesTheCursor()
{
    ComparisonWindow w; // its cursor stands at N = 10,000
    w.setSteps(100000);
    QVERIFY(w.readout().startsWith(QStringLiteral("n＝100000\n")));
    w.setProbe(500);
    w.setSteps(1000);
    QCOMPARE(w.probe(), 1000);
}

void TestComparison::stepsBoxIsReadByItsText_data()
{
    QTest::addColumn<qlonglong>("n");
    QTest::newRow("the default") << qlonglong(compare::defaultSteps);
    QTest::newRow("a million") << qlonglong(compare::maxSteps);
}

void TestComparison::stepsBoxIsReadByItsText()
{
    // Qt's own interface of a combo box gives Orca no value to read.
    QFETCH(qlonglong, n);
    ComparisonWindow w;
    QComboBox* box = w.stepsChooser();
    box->setCurrentIndex(box->findData(n));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(iface->role(), QAccessible::ComboBox);
    QVERIFY(iface->state().readOnly);
    QCOMPARE(iface->text(QAccessible::Value), QLocale().toString(n));
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), QLocale().toString(n));
}

QTEST_MAIN(TestComparison)
#include "tst_comparison_window.moc"

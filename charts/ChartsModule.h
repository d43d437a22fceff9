// SPDX-License-Identifier: GPL-3.0-or-later
// What the chart module (sorvena-charts.so) offers the program. Qt Charts
// and the libraries under it live only in the module, which the program
// loads when a chart is first asked for.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <memory>

class QWidget;

namespace charts {

enum class TraceView {
    Linear,   // the estimate itself, where the Gregory–Leibniz zig-zag shows
    LogError, // |π − estimate| on logarithmic axes
};

// What the trace's context menu saves of the run it shows, asked for as
// the user saves.
class TraceRecord {
public:
    virtual ~TraceRecord() = default;
    // The picture's title and description, kept in an SVG.
    virtual QString title() const = 0;
    virtual QString description() const = 0;
    // The name the save dialogs suggest, without an extension.
    virtual QString fileName() const = 0;
    // The run's points as CSV.
    virtual QString csv() const = 0;
};

// Lesson mode's live trace of a run: the estimate against the step n.
class Trace {
public:
    virtual ~Trace() = default;
    virtual QWidget* widget() = 0;
    virtual void setView(TraceView view) = 0;
    virtual void clear() = 0;
    // Points (n, estimate) that follow those given before.
    virtual void append(const QList<QPointF>& points) = 0;
    // Points of a second curve that nears π from above (the polygons outside
    // the circle beside those inside), cleared with the first.
    virtual void appendOuter(const QList<QPointF>& points) = 0;
    // Drawn for a narrow place: no legend, no axis titles, fewer ticks.
    virtual void setCompact(bool compact) = 0;
    // A context menu (right click, the Menu key, Shift+F10) then saves the
    // chart as a picture and the record's points as CSV.
    virtual void offerSaving(std::unique_ptr<TraceRecord> record) = 0;
};

// What the module asks of the program, whose code it does not link.
struct Voice {
    // Says the text once, now, whatever has the focus.
    void (*announce)(QWidget* where, const QString& text);
    // The text with its numbers in e-notation and powers of ten read as words.
    QString (*spokenNumbers)(const QString& text);
};

struct ChartsModule {
    // The window that compares the eight methods, a top-level of its own.
    QWidget* (*createComparison)(QWidget* parent);
    // A live chart of one run, for lesson mode's controller.
    Trace* (*createTrace)(QWidget* parent);
    // Lends the module the program's voice; called once, as it is loaded.
    void (*setVoice)(const Voice& voice);
    // On a projector, the charts' numbers are drawn larger; called as the
    // module is loaded.
    void (*setLargeNumbers)(bool large);
};

// The program's voice, as it lends it to the module.
const Voice& programVoice();

// The loaded module, found and loaded on first use; null (with the reason
// in `why` when given) where there is none. Defined in the program, not in
// the module.
const ChartsModule* chartsModule(QString* why = nullptr);

// Opens a new comparison window, deleted when closed; null without the module.
QWidget* openComparison(QWidget* parent = nullptr);

} // namespace charts

// The module's one exported symbol.
#define SORVENA_CHARTS_ENTRY "sorvena_charts_module"
using SorvenaChartsEntry = const charts::ChartsModule* (*)();

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControllerView.h"

#include "ControllerParts.h"
#include "Reading.h"
#include "platform/accessible/Factory.h"
#include "rules/Digits.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lesson {

ControllerView::ControllerView(QWidget& window, std::unique_ptr<charts::Trace> chart, Layout layout)
    : window(window)
    , trace(std::move(chart))
{
    const bool compact = layout == Layout::Compact;
    QWidget* const w = &window;
    if (compact) {
        // Before any child is made, so that every one takes it.
        QFont large = w->font();
        large.setPixelSize(compactTextPixels);
        w->setFont(large);
    }
    auto* column = new QVBoxLayout(w);
    if (compact) {
        column->setContentsMargins(4, 4, 4, 4);
        column->setSpacing(4);
    }

    auto* tempoCaption = new QLabel(tr("速さ（＋　－）"), w);
    // Heard in words, not as two signs in brackets.
    tempoCaption->setAccessibleName(tr("速さ、プラスとマイナスのキーで変わります"));
    column->addWidget(tempoCaption);
    // One radio group: the arrows choose, Tab leaves it from the chosen one.
    auto* tempoGrid = new QGridLayout;
    tempoGrid->setHorizontalSpacing(compact ? 2 : 6);
    tempoGrid->setVerticalSpacing(compact ? 0 : 2);
    tempi = new QButtonGroup(w);
    const int columns = compact ? 2 : 3;
    int cell = 0;
    for (const TempoChoice& choice : tempoChoices) {
        auto* b = new QRadioButton(translated(choice.caption), w);
        b->setObjectName(QStringLiteral("tempo"));
        b->setAccessibleName(tr("速さ：%1（%2）").arg(translated(choice.caption), translated(choice.meaning)));
        tempi->addButton(b, int(choice.tempo));
        tempoGrid->addWidget(b, cell / columns, cell % columns);
        ++cell;
    }
    column->addLayout(tempoGrid);

    auto* runRow = new QHBoxLayout;
    runRow->setSpacing(compact ? 2 : 6);
    // A toggle whose name says what it will do.
    pause = button(w, "pause", tr("一時停止"), tr("一時停止"), true, platform::accessible::Kind::Toggle);
    step = button(w, "step", tr("１ステップ →"), tr("１ステップ進める"));
    mute = button(w, "mute", tr("消音"), tr("消音（合図の音と曲）"), true);
    // On, it says so in words and stands out: a pressed button's faint grey
    // is not seen from the back of the room.
    QObject::connect(mute, &QPushButton::toggled, mute, [b = mute](bool on) {
        b->setText(on ? tr("消音中") : tr("消音"));
        b->setStyleSheet(on ? QStringLiteral("QPushButton { background: #b00000; color: white; font-weight: bold; }")
                            : QString());
    });
    runRow->addWidget(pause);
    runRow->addWidget(step);
    runRow->addStretch();
    if (compact)
        tempoGrid->addWidget(mute, cell / columns, cell % columns); // beside the last tempo
    else
        runRow->addWidget(mute);
    column->addLayout(runRow);
    classSession = button(w, "classSession", tr("クラスで投げる（Ｃ）"),
                          tr("クラスの実験を開く：生徒がブラウザーから参加して、いっしょに投げます"));
    classSession->hide();
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(classSession);
    classRow->addStretch();
    column->addLayout(classRow);

    QFont digitsFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (compact)
        digitsFont.setPixelSize(compactTextPixels); // eighteen digits in the column's width
    else
        digitsFont.setPointSizeF(13);
    auto* values = new QGridLayout;
    values->setVerticalSpacing(compact ? 0 : -1);
    // The readings carry their captions in their names: a screen reader
    // reads the captions with them, not once more beside them.
    const auto caption = [w](const QString& text) {
        auto* label = new QLabel(w);
        platform::accessible::setKind(label, platform::accessible::Kind::Caption);
        label->setText(text);
        return label;
    };
    QLabel* valueCaption = caption(tr("いまの値"));
    value = new QLabel(w);
    value->setObjectName(QStringLiteral("value"));
    // A Tab stop whose name holds every reading: the keyboard reaches them
    // all at once, with no flat review.
    value->setFocusPolicy(Qt::TabFocus);
    value->setTextFormat(Qt::RichText);
    value->setFont(digitsFont);
    QLabel* piCaption = caption(tr("π"));
    pi = new QLabel(QString::fromLatin1(digits::pi.substr(0, 18)), w);
    pi->setObjectName(QStringLiteral("pi"));
    pi->setFont(digitsFont);
    pi->setAccessibleName(tr("πの正しい値 %1").arg(pi->text()));
    if (compact) {
        values->addWidget(valueCaption, 0, 0);
        values->addWidget(value, 1, 0);
        values->addWidget(piCaption, 2, 0);
        values->addWidget(pi, 3, 0);
        values->setColumnStretch(0, 1);
    } else {
        values->addWidget(valueCaption, 0, 0);
        values->addWidget(value, 0, 1);
        values->addWidget(piCaption, 1, 0);
        values->addWidget(pi, 1, 1);
        values->setColumnStretch(1, 1);
    }
    column->addLayout(values);
    correct = new QLabel(w);
    correct->setObjectName(QStringLiteral("correct"));
    steps = new QLabel(w);
    steps->setObjectName(QStringLiteral("steps"));
    if (compact) {
        column->addWidget(correct);
        column->addWidget(steps);
    } else {
        auto* counts = new QHBoxLayout;
        counts->addWidget(correct);
        counts->addStretch();
        counts->addWidget(steps);
        column->addLayout(counts);
    }
    // The polygons' run also shows Archimedes' bracket.
    bracket = new QLabel(w);
    bracket->setObjectName(QStringLiteral("bracket"));
    bracket->setWordWrap(compact);
    bracket->hide();
    column->addWidget(bracket);

    if (trace) {
        QBoxLayout* viewRow = compact ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
        viewRow->setSpacing(compact ? 2 : 6);
        views = new QButtonGroup(w);
        QPushButton* linear = button(w, "viewLinear", tr("値のグラフ"), tr("グラフ：値とｎ"), true);
        QPushButton* logError = button(w, "viewLogError", tr("誤差のグラフ（対数）"), tr("グラフ：誤差とｎ、対数目盛"), true);
        for (QPushButton* view : {linear, logError}) {
            // Read and moved through as the radio group they are.
            view->setAutoExclusive(true);
            viewRow->addWidget(view);
        }
        views->addButton(linear, int(charts::TraceView::Linear));
        views->addButton(logError, int(charts::TraceView::LogError));
        linear->setChecked(true);
        if (!compact)
            viewRow->addStretch();
        column->addLayout(viewRow);
        trace->widget()->setParent(w);
        trace->setCompact(compact);
        if (compact)
            trace->widget()->setMinimumSize(120, 120);
        else
            trace->widget()->setMinimumSize(300, 220);
        column->addWidget(trace->widget(), 1);
        QObject::connect(views, &QButtonGroup::idClicked, w, [this](int id) {
            trace->setView(charts::TraceView(id));
            tabStopOnChecked(*views);
        });
        tabStopOnChecked(*views);
    }
    if (compact) {
        // As narrow as their captions, not the style's usual 80 pixels.
        for (QPushButton* b : w->findChildren<QPushButton*>()) {
            int width = b->fontMetrics().horizontalAdvance(b->text());
            if (b == pause)
                width = std::max(width, b->fontMetrics().horizontalAdvance(tr("再開")));
            b->setMinimumWidth(width + 16);
        }
    }
    // No larger than the projector's scale allows for.
    if (trace)
        w->setFixedSize(areaOf(layout));
    else
        column->setSizeConstraint(QLayout::SetFixedSize);
}

ControllerView::~ControllerView() = default;

void ControllerView::showPace(Tempo tempo, bool paused, bool running)
{
    QAbstractButton* chosen = tempi->button(int(tempo));
    if (chosen)
        chosen->setChecked(true);
    tabStopOnChecked(*tempi);
    // The controller's focus, where it was on the tempo, follows the choice
    // however it was made (a key in the window beside it), so that it comes
    // back to the chosen one.
    auto* focused = qobject_cast<QAbstractButton*>(window.focusWidget());
    if (chosen && focused && focused != chosen && focused->group() == tempi)
        chosen->setFocus(Qt::OtherFocusReason);
    pause->setEnabled(running);
    step->setEnabled(running);
    pause->setChecked(paused);
    // What a press will do.
    pause->setText(paused ? tr("再開") : tr("一時停止"));
    pause->setAccessibleName(pause->text());
}

void ControllerView::showValue(const Reading& reading)
{
    if (reading.digits().isEmpty())
        value->clear();
    else
        value->setText(reading.markedDigits());
    correct->setText(reading.correctText());
}

void ControllerView::showStep(const Reading& reading, bool n)
{
    if (n)
        steps->setText(reading.stepText());
    const QString brackets = reading.bracketText();
    bracket->setVisible(!brackets.isEmpty());
    if (!brackets.isEmpty())
        bracket->setText(brackets);
    if (trace && drawn_ < reading.points().size()) {
        trace->append(reading.points().mid(drawn_));
        drawn_ = reading.points().size();
    }
    if (trace && drawnOuter_ < reading.outerPoints().size()) {
        trace->appendOuter(reading.outerPoints().mid(drawnOuter_));
        drawnOuter_ = reading.outerPoints().size();
    }
}

void ControllerView::clearTrace()
{
    drawn_ = 0;
    drawnOuter_ = 0;
    if (trace)
        trace->clear();
}

void ControllerView::clearRun()
{
    clearTrace();
    steps->clear();
    bracket->hide();
}

void ControllerView::showReadings(const Reading& reading)
{
    value->setAccessibleName(reading.spokenReadings());
    correct->setAccessibleName(reading.correctName());
    if (trace)
        trace->widget()->setAccessibleDescription(reading.traceDescription(viewName()));
}

QString ControllerView::viewName() const
{
    const QAbstractButton* view = views ? views->checkedButton() : nullptr;
    return view ? view->text() : QString();
}

} // namespace lesson

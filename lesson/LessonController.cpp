// SPDX-License-Identifier: GPL-3.0-or-later
#include "LessonController.h"

#include "Lesson.h"
#include "platform/Form.h"
#include "platform/MMControl.h"
#include "rules/Digits.h"
#include "rules/PolygonRules.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace lesson {

namespace {

constexpr const char* context = "lesson::LessonController";

struct TempoChoice {
    Tempo tempo;
    const char* caption;
    const char* meaning; // for the screen reader
};

// Slowest first: + moves right, − left.
const TempoChoice tempoChoices[] = {
    {Tempo::ByPress, QT_TRANSLATE_NOOP("lesson::LessonController", "１回ずつ"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "ステップボタンを押すたびに１ステップ")},
    {Tempo::Slow, QT_TRANSLATE_NOOP("lesson::LessonController", "ゆっくり"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "１秒に２ステップ")},
    {Tempo::Medium, QT_TRANSLATE_NOOP("lesson::LessonController", "ふつう"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "１秒に２０ステップ")},
    {Tempo::Fast, QT_TRANSLATE_NOOP("lesson::LessonController", "はやく"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "１秒に２００ステップ")},
    {Tempo::Full, QT_TRANSLATE_NOOP("lesson::LessonController", "全速"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "いつもの速さ")},
};

QString translated(const char* text) { return QCoreApplication::translate(context, text); }

// The digits as rich text, the correct ones marked; underlined as well as
// coloured, for pupils who do not see the colour.
QString markedDigits(const QString& text)
{
    const qsizetype n = qsizetype(digits::agreeing(text.toStdString()));
    return QStringLiteral("<span style=\"color:#006400; text-decoration:underline; font-weight:bold\">%1</span>"
                          "<span style=\"color:#c00000\">%2</span>")
        .arg(text.left(n).toHtmlEscaped(), text.mid(n).toHtmlEscaped());
}

constexpr int gap = besideGap;
constexpr int refreshMs = 50; // how often the value and the trace are redrawn

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                    bool checkable = false)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(accessibleName);
    b->setCheckable(checkable);
    b->setAutoDefault(true); // Enter presses the focused button; Space is the pause
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

LessonController::LessonController(Pace& pace, std::unique_ptr<Trace> trace)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , pace_(pace)
    , trace_(std::move(trace))
{
    setObjectName(QStringLiteral("LessonController"));
    setWindowTitle(tr("授業モード"));
    setAccessibleDescription(tr("スペースで一時停止と再開、右矢印で１ステップ、プラスとマイナスで速さを変え、Ｍで消音します。"));
    // Beside the window the class watches, which keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(tr("速さ（＋　－）"), this));
    auto* tempoRow = new QHBoxLayout;
    tempoRow->setSpacing(2);
    tempi_ = new QButtonGroup(this);
    for (const TempoChoice& choice : tempoChoices) {
        QPushButton* b = button(this, "tempo", translated(choice.caption),
                                tr("速さ：%1（%2）").arg(translated(choice.caption), translated(choice.meaning)), true);
        // As narrow as the caption, so that the controller fits beside the
        // widest window on a screen of 1024 pixels.
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 16);
        tempi_->addButton(b, int(choice.tempo));
        tempoRow->addWidget(b);
    }
    tempoRow->addStretch();
    layout->addLayout(tempoRow);

    auto* runRow = new QHBoxLayout;
    pause_ = button(this, "pause", tr("一時停止"), tr("一時停止"), true);
    step_ = button(this, "step", tr("１ステップ →"), tr("１ステップ進める"));
    mute_ = button(this, "mute", tr("消音"), tr("消音（合図の音と曲）"), true);
    runRow->addWidget(pause_);
    runRow->addWidget(step_);
    runRow->addStretch();
    runRow->addWidget(mute_);
    layout->addLayout(runRow);

    QFont digitsFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digitsFont.setPointSizeF(13);
    auto* values = new QGridLayout;
    auto* valueCaption = new QLabel(tr("いまの値"), this);
    value_ = new QLabel(this);
    value_->setObjectName(QStringLiteral("value"));
    value_->setTextFormat(Qt::RichText);
    value_->setFont(digitsFont);
    value_->setAccessibleName(tr("いまの値"));
    auto* piCaption = new QLabel(tr("π"), this);
    pi_ = new QLabel(QString::fromLatin1(digits::pi.substr(0, 18)), this);
    pi_->setObjectName(QStringLiteral("pi"));
    pi_->setFont(digitsFont);
    pi_->setAccessibleName(tr("πの正しい値"));
    values->addWidget(valueCaption, 0, 0);
    values->addWidget(value_, 0, 1);
    values->addWidget(piCaption, 1, 0);
    values->addWidget(pi_, 1, 1);
    values->setColumnStretch(1, 1);
    layout->addLayout(values);
    correctLabel_ = new QLabel(this);
    correctLabel_->setObjectName(QStringLiteral("correct"));
    stepLabel_ = new QLabel(this);
    stepLabel_->setObjectName(QStringLiteral("steps"));
    auto* counts = new QHBoxLayout;
    counts->addWidget(correctLabel_);
    counts->addStretch();
    counts->addWidget(stepLabel_);
    layout->addLayout(counts);
    // The polygons' run also shows Archimedes' bracket.
    bracket_ = new QLabel(this);
    bracket_->setObjectName(QStringLiteral("bracket"));
    bracket_->hide();
    layout->addWidget(bracket_);

    if (trace_) {
        auto* viewRow = new QHBoxLayout;
        views_ = new QButtonGroup(this);
        QPushButton* linear = button(this, "viewLinear", tr("値のグラフ"), tr("グラフ：値とｎ"), true);
        QPushButton* logError = button(this, "viewLogError", tr("誤差のグラフ（対数）"), tr("グラフ：誤差とｎ、対数目盛"), true);
        views_->addButton(linear, int(TraceView::Linear));
        views_->addButton(logError, int(TraceView::LogError));
        linear->setChecked(true);
        viewRow->addWidget(linear);
        viewRow->addWidget(logError);
        viewRow->addStretch();
        layout->addLayout(viewRow);
        trace_->widget()->setParent(this);
        trace_->widget()->setMinimumSize(320, 220);
        layout->addWidget(trace_->widget(), 1);
        connect(views_, &QButtonGroup::idClicked, this, [this](int id) { trace_->setView(TraceView(id)); });
    }
    // No larger than the projector's scale allows for.
    if (trace_)
        setFixedSize(controllerArea);
    else
        layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh_ = new QTimer(this);
    refresh_->setSingleShot(true);
    refresh_->setInterval(refreshMs);
    connect(refresh_, &QTimer::timeout, this, &LessonController::refresh);

    connect(tempi_, &QButtonGroup::idClicked, this, [this](int id) { pace_.setTempo(Tempo(id)); });
    connect(pause_, &QPushButton::clicked, this, [this](bool checked) { pace_.setPaused(checked); });
    connect(step_, &QPushButton::clicked, &pace_, &Pace::step);
    connect(mute_, &QPushButton::toggled, this, [](bool on) { platform::MMControl::setMuted(on); });
    connect(&pace_, &Pace::changed, this, &LessonController::showState);
    // The controller may be all that is left on screen of a minimised window.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::pressed, this, &platform::Form::restoreMinimised);

    pace_.install();
    platform::Run::addObserver(this);
    qApp->installEventFilter(this);
    clearValue();
    showState();
}

LessonController::~LessonController()
{
    qApp->removeEventFilter(this);
    platform::MMControl::setMuted(false);
}

QPushButton* LessonController::tempoButton(Tempo tempo) const
{
    return static_cast<QPushButton*>(tempi_->button(int(tempo)));
}

QString LessonController::valueText() const { return digits_; }

LessonController::Placement LessonController::place(const QRect& windowFrame, const QSize& controllerFrame,
                                                    const QRect& available)
{
    QRect window = windowFrame;
    QRect controller(QPoint(), controllerFrame);
    const int room = available.right() - window.right() - gap;
    if (room < controllerFrame.width()) {
        if (window.left() - gap - controllerFrame.width() >= available.left()) {
            controller.moveRight(window.left() - gap - 1);
        } else {
            // Neither side has room: the window moves left as far as needed.
            const int shift = std::min(controllerFrame.width() - room, window.left() - available.left());
            window.translate(-std::max(shift, 0), 0);
            controller.moveLeft(window.right() + gap + 1);
        }
    } else {
        controller.moveLeft(window.right() + gap + 1);
    }
    controller.moveTop(std::clamp(window.top(), available.top(),
                                  std::max(available.top(), available.bottom() + 1 - controllerFrame.height())));
    return {controller, window.topLeft()};
}

void LessonController::follow()
{
    followQueued_ = false;
    platform::Form* form = platform::Form::activeForm();
    if (!form)
        return;
    // Each window starts afresh when it is shown again: its activation
    // empties its counters.
    if (form != followed_ || followedHidden_) {
        followed_ = form;
        followedHidden_ = false;
        if (!pace_.runningForm())
            clearValue();
    }
    if (!isVisible())
        show();
    const QScreen* screen = form->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), QSize(1 << 20, 1 << 20));
    // Before the controller is first framed, its frame is taken to be the
    // window's.
    const QWidget* framed = isVisible() && frameGeometry() != geometry() ? static_cast<QWidget*>(this) : form;
    const QMargins frame(framed->geometry().left() - framed->frameGeometry().left(),
                         framed->geometry().top() - framed->frameGeometry().top(),
                         framed->frameGeometry().right() - framed->geometry().right(),
                         framed->frameGeometry().bottom() - framed->geometry().bottom());
    const Placement at = place(form->frameGeometry(), size().grownBy(frame), available);
    if (at.window != form->frameGeometry().topLeft())
        form->move(at.window);
    if (at.controller.topLeft() != frameGeometry().topLeft())
        move(at.controller.topLeft());
}

bool LessonController::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
        // A window being destroyed is hidden as a plain widget: no longer ours.
        if (event->type() == QEvent::Hide && qobject_cast<platform::Form*>(watched) && watched == followed_.get())
            followedHidden_ = true;
        if (!followQueued_ && qobject_cast<platform::Form*>(watched)) {
            followQueued_ = true;
            QTimer::singleShot(0, this, &LessonController::follow);
        }
        return false;
    case QEvent::KeyPress:
        return watched->isWidgetType() && key(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

bool LessonController::key(QWidget* target, const QKeyEvent& event)
{
    // The keys work here, and in the window whose run is on; elsewhere (a
    // dialog's text, a window between runs) they keep their usual meaning.
    const QWidget* window = target->window();
    if (window != this && (!pace_.runningForm() || window != pace_.runningForm()))
        return false;
    switch (event.key()) {
    case Qt::Key_Space:
        if (pace_.runningForm())
            pace_.setPaused(!pace_.paused());
        return true;
    case Qt::Key_Right:
        pace_.step();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setTempoBy(+1);
        return true;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        setTempoBy(-1);
        return true;
    case Qt::Key_M:
        mute_->click();
        return true;
    default:
        return false;
    }
}

void LessonController::setTempoBy(int change)
{
    const auto at = std::find_if(std::begin(tempoChoices), std::end(tempoChoices),
                                 [this](const TempoChoice& c) { return c.tempo == pace_.tempo(); });
    const auto index = std::clamp<std::ptrdiff_t>(at - std::begin(tempoChoices) + change, 0,
                                                  std::size(tempoChoices) - 1);
    pace_.setTempo(tempoChoices[index].tempo);
}

void LessonController::closeEvent(QCloseEvent* event)
{
    // Lesson mode keeps its control for as long as the program runs.
    event->ignore();
}

void LessonController::runOpened(platform::Run& run)
{
    // The window that runs is the one the class watches, even before the
    // controller has caught up with its showing.
    followed_ = &run.form();
    followedHidden_ = false;
    method_ = run.method();
    n_ = 0;
    digits_.clear();
    correct_ = 0;
    points_.clear();
    drawn_ = 0;
    if (trace_)
        trace_->clear();
    refresh();
}

void LessonController::runStepped(platform::Run& run)
{
    if (&run.form() != followed_)
        return;
    n_ = run.n();
    if (const std::optional<double> value = run.value()) {
        // At the precision the window computed in: a single-precision 3.1
        // has two correct digits, not the one its double's digits show.
        digits_ = QString::fromStdString(run.singlePrecision() ? digits::shortest(float(*value))
                                                               : digits::shortest(*value));
        const QPointF point(double(n_), *value);
        // A window that shows its last value once more replaces it.
        if (!points_.isEmpty() && points_.last().x() == point.x())
            points_.last() = point;
        else
            points_.append(point);
    }
    if (!refresh_->isActive())
        refresh_->start();
}

void LessonController::runClosed(platform::Run& run)
{
    if (&run.form() != followed_)
        return;
    refresh_->stop();
    refresh();
}

void LessonController::showState()
{
    const bool running = pace_.runningForm() != nullptr;
    if (QAbstractButton* chosen = tempi_->button(int(pace_.tempo())))
        chosen->setChecked(true);
    pause_->setEnabled(running);
    step_->setEnabled(running);
    pause_->setChecked(pace_.paused());
    pause_->setText(pace_.paused() ? tr("再開") : tr("一時停止"));
    pause_->setAccessibleName(pause_->text());
}

void LessonController::clearValue()
{
    digits_.clear();
    correct_ = 0;
    value_->clear();
    correctLabel_->setText(tr("正しい桁数：－"));
    if (!pace_.runningForm()) {
        points_.clear();
        drawn_ = 0;
        if (trace_)
            trace_->clear();
        stepLabel_->clear();
        bracket_->hide();
        n_ = 0;
    }
}

void LessonController::refresh()
{
    if (!digits_.isEmpty()) {
        correct_ = digits::correct(digits_.toStdString());
        value_->setText(markedDigits(digits_));
        correctLabel_->setText(tr("正しい桁数：%n 桁", nullptr, correct_));
    }
    if (pace_.runningForm() == followed_ || !points_.isEmpty())
        stepLabel_->setText(tr("ｎ＝%1").arg(n_));
    const polygon::Bracket bracket = method_ == compare::Method::Polygon ? polygon::bracket(n_) : polygon::Bracket{};
    bracket_->setVisible(!bracket.lower.empty());
    if (!bracket.lower.empty())
        bracket_->setText(tr("%1 < π < %2（正%3角形の内と外）")
                              .arg(QString::fromStdString(bracket.lower), QString::fromStdString(bracket.upper))
                              .arg(n_));
    if (trace_ && drawn_ < points_.size()) {
        trace_->append(points_.mid(drawn_));
        drawn_ = points_.size();
    }
}

} // namespace lesson

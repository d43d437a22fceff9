// SPDX-License-Identifier: GPL-3.0-or-later
#include "LessonController.h"

#include "Lesson.h"
#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/accessible/Narrator.h"
#include "rules/Digits.h"
#include "rules/PolygonRules.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

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

// What a screen reader is told of some of the controller's widgets, where
// Qt's own interfaces say too little or too much (see accessibleFactory).
constexpr const char* accessibleKind = "sorvenaLessonAccessible";

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                    bool checkable = false, const char* kind = nullptr)
{
    auto* b = new QPushButton(parent);
    // Before anything that would make the button's interface.
    if (kind)
        b->setProperty(accessibleKind, QByteArray(kind));
    b->setText(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(accessibleName);
    b->setCheckable(checkable);
    b->setAutoDefault(true); // Enter presses the focused button, as Space does
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

constexpr int readingsMs = 1000; // how often a screen reader's names are renewed in a run


// A checkable push button read as a push button whose name says what a
// press will do, not as a check box that is checked.
class ToggleAccessible : public QAccessibleWidget {
public:
    explicit ToggleAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return QAccessibleWidget::doAction(action);
        if (button()->isEnabled())
            button()->animateClick();
    }
};

// A caption that a reading carries in its own name: not read twice.
class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.offscreen = true;
        return s;
    }
};

QAccessibleInterface* accessibleFactory(const QString& key, QObject* object)
{
    // Only for the class itself, before Qt's interface of a base class.
    if (!object || !object->isWidgetType() || key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // The controller is a window with a title, a frame to a screen reader.
    if (qobject_cast<LessonController*>(object))
        return new QAccessibleWidget(widget, QAccessible::Window);
    const QByteArray kind = object->property(accessibleKind).toByteArray();
    if (kind == "toggle")
        if (auto* b = qobject_cast<QAbstractButton*>(object))
            return new ToggleAccessible(b);
    if (kind == "caption")
        return new CaptionAccessible(widget);
    return nullptr;
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

// The Tab stop of a group of choices is the one chosen; the others are
// reached by the arrows.
void tabStopOnChecked(const QButtonGroup& group)
{
    for (QAbstractButton* b : group.buttons())
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

// An error as a screen reader reads it well: two significant digits, small
// ones as a power of ten in words.
QString spokenError(double error)
{
    if (error >= 1e-3 || error == 0)
        return QString::number(error, 'g', 2);
    int exponent = int(std::floor(std::log10(error)));
    double mantissa = error / std::pow(10.0, exponent);
    if (mantissa >= 9.95) {
        mantissa /= 10;
        ++exponent;
    }
    return QCoreApplication::translate("lesson::LessonController", "%1×10のマイナス%2乗", "an error, as 1.2×10⁻⁵ is read")
        .arg(QString::number(mantissa, 'f', 1))
        .arg(-exponent);
}

} // namespace

LessonController::LessonController(Pace& pace, std::unique_ptr<Trace> trace, Layout layout)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , pace_(pace)
    , trace_(std::move(trace))
{
    installAccessibleFactory();
    const bool compact = layout == Layout::Compact;
    setObjectName(QStringLiteral("LessonController"));
    setWindowTitle(tr("授業モード"));
    setAccessibleDescription(tr("Ｐで一時停止と再開、Ｓで１ステップ、プラスとマイナスで速さを変え、Ｍで消音します。"
                                "このキーは計算の窓でも使えます。"));
    // Beside the window the class watches, which keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* column = new QVBoxLayout(this);
    if (compact) {
        column->setContentsMargins(4, 4, 4, 4);
        column->setSpacing(4);
    }

    column->addWidget(new QLabel(tr("速さ（＋　－）"), this));
    // One radio group: the arrows choose, Tab leaves it from the chosen one.
    auto* tempoGrid = new QGridLayout;
    tempoGrid->setHorizontalSpacing(compact ? 2 : 6);
    tempoGrid->setVerticalSpacing(compact ? 0 : 2);
    tempi_ = new QButtonGroup(this);
    const int columns = compact ? 2 : 3;
    int cell = 0;
    for (const TempoChoice& choice : tempoChoices) {
        auto* b = new QRadioButton(translated(choice.caption), this);
        b->setObjectName(QStringLiteral("tempo"));
        b->setAccessibleName(tr("速さ：%1（%2）").arg(translated(choice.caption), translated(choice.meaning)));
        tempi_->addButton(b, int(choice.tempo));
        tempoGrid->addWidget(b, cell / columns, cell % columns);
        ++cell;
    }
    column->addLayout(tempoGrid);

    auto* runRow = new QHBoxLayout;
    runRow->setSpacing(compact ? 2 : 6);
    // A toggle whose name says what it will do.
    pause_ = button(this, "pause", tr("一時停止"), tr("一時停止"), true, "toggle");
    step_ = button(this, "step", tr("１ステップ →"), tr("１ステップ進める"));
    mute_ = button(this, "mute", tr("消音"), tr("消音（合図の音と曲）"), true);
    runRow->addWidget(pause_);
    runRow->addWidget(step_);
    runRow->addStretch();
    if (compact)
        tempoGrid->addWidget(mute_, cell / columns, cell % columns); // beside the last tempo
    else
        runRow->addWidget(mute_);
    column->addLayout(runRow);

    QFont digitsFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Eighteen digits in the compact controller's width.
    digitsFont.setPointSizeF(compact ? 10 : 13);
    auto* values = new QGridLayout;
    values->setVerticalSpacing(compact ? 0 : -1);
    // The readings carry their captions in their names: a screen reader
    // reads the captions with them, not once more beside them.
    const auto caption = [this](const QString& text) {
        auto* label = new QLabel(this);
        label->setProperty(accessibleKind, QByteArray("caption"));
        label->setText(text);
        return label;
    };
    QLabel* valueCaption = caption(tr("いまの値"));
    value_ = new QLabel(this);
    value_->setObjectName(QStringLiteral("value"));
    value_->setTextFormat(Qt::RichText);
    value_->setFont(digitsFont);
    QLabel* piCaption = caption(tr("π"));
    pi_ = new QLabel(QString::fromLatin1(digits::pi.substr(0, 18)), this);
    pi_->setObjectName(QStringLiteral("pi"));
    pi_->setFont(digitsFont);
    pi_->setAccessibleName(tr("πの正しい値 %1").arg(pi_->text()));
    if (compact) {
        values->addWidget(valueCaption, 0, 0);
        values->addWidget(value_, 1, 0);
        values->addWidget(piCaption, 2, 0);
        values->addWidget(pi_, 3, 0);
        values->setColumnStretch(0, 1);
    } else {
        values->addWidget(valueCaption, 0, 0);
        values->addWidget(value_, 0, 1);
        values->addWidget(piCaption, 1, 0);
        values->addWidget(pi_, 1, 1);
        values->setColumnStretch(1, 1);
    }
    column->addLayout(values);
    correctLabel_ = new QLabel(this);
    correctLabel_->setObjectName(QStringLiteral("correct"));
    stepLabel_ = new QLabel(this);
    stepLabel_->setObjectName(QStringLiteral("steps"));
    if (compact) {
        column->addWidget(correctLabel_);
        column->addWidget(stepLabel_);
    } else {
        auto* counts = new QHBoxLayout;
        counts->addWidget(correctLabel_);
        counts->addStretch();
        counts->addWidget(stepLabel_);
        column->addLayout(counts);
    }
    // The polygons' run also shows Archimedes' bracket.
    bracket_ = new QLabel(this);
    bracket_->setObjectName(QStringLiteral("bracket"));
    bracket_->setWordWrap(compact);
    bracket_->hide();
    column->addWidget(bracket_);

    if (trace_) {
        QBoxLayout* viewRow = compact ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
        viewRow->setSpacing(compact ? 2 : 6);
        views_ = new QButtonGroup(this);
        QPushButton* linear = button(this, "viewLinear", tr("値のグラフ"), tr("グラフ：値とｎ"), true);
        QPushButton* logError = button(this, "viewLogError", tr("誤差のグラフ（対数）"), tr("グラフ：誤差とｎ、対数目盛"), true);
        for (QPushButton* view : {linear, logError}) {
            // Read and moved through as the radio group they are.
            view->setAutoExclusive(true);
            viewRow->addWidget(view);
        }
        views_->addButton(linear, int(TraceView::Linear));
        views_->addButton(logError, int(TraceView::LogError));
        linear->setChecked(true);
        if (!compact)
            viewRow->addStretch();
        column->addLayout(viewRow);
        trace_->widget()->setParent(this);
        trace_->setCompact(compact);
        if (compact)
            trace_->widget()->setMinimumSize(120, 120);
        else
            trace_->widget()->setMinimumSize(300, 220);
        column->addWidget(trace_->widget(), 1);
        connect(views_, &QButtonGroup::idClicked, this, [this](int id) {
            trace_->setView(TraceView(id));
            tabStopOnChecked(*views_);
            updateReadings();
        });
        tabStopOnChecked(*views_);
    }
    if (compact) {
        // As narrow as their captions, not the style's usual 80 pixels.
        for (QPushButton* b : findChildren<QPushButton*>()) {
            int width = b->fontMetrics().horizontalAdvance(b->text());
            if (b == pause_)
                width = std::max(width, b->fontMetrics().horizontalAdvance(tr("再開")));
            b->setMinimumWidth(width + 16);
        }
    }
    // No larger than the projector's scale allows for.
    if (trace_)
        setFixedSize(areaOf(layout));
    else
        column->setSizeConstraint(QLayout::SetFixedSize);

    refresh_ = new QTimer(this);
    refresh_->setSingleShot(true);
    refresh_->setInterval(refreshMs);
    connect(refresh_, &QTimer::timeout, this, &LessonController::refresh);
    readings_ = new QTimer(this);
    readings_->setSingleShot(true);
    readings_->setInterval(readingsMs);
    connect(readings_, &QTimer::timeout, this, &LessonController::updateReadings);

    connect(tempi_, &QButtonGroup::idClicked, this, [this](int id) { pace_.setTempo(Tempo(id)); });
    connect(pause_, &QPushButton::clicked, this, [this](bool checked) { setPaused(checked, this); });
    connect(step_, &QPushButton::clicked, this, [this] { stepOnce(this); });
    connect(mute_, &QPushButton::toggled, this, [](bool on) { platform::MMControl::setMuted(on); });
    connect(&pace_, &Pace::changed, this, &LessonController::showState);
    // The controller may be all that is left on screen of a minimised window.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::pressed, this, &platform::Form::restoreMinimised);

    qApp->installEventFilter(this);
    clearValue();
    showState();
}

LessonController::~LessonController()
{
    qApp->removeEventFilter(this);
    platform::MMControl::setMuted(false);
}

QRadioButton* LessonController::tempoButton(Tempo tempo) const
{
    return static_cast<QRadioButton*>(tempi_->button(int(tempo)));
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
    // The keys work here and in the window beside it, the one whose run is
    // on included; elsewhere (a dialog's text) they keep their usual
    // meaning. No control of those windows uses them: Space and Return
    // press the focused button, the arrows move the focus.
    QWidget* window = target->window();
    if (window != this && window != followed_.get() && window != pace_.runningForm())
        return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (window == this && arrowInGroup(target, event.key()))
        return true;
    const auto say = [window](const QString& text) { platform::narrator::announce(window, text); };
    switch (event.key()) {
    case Qt::Key_P:
        if (!event.isAutoRepeat())
            setPaused(!pace_.paused(), window);
        return true;
    case Qt::Key_S:
        stepOnce(window);
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setTempoBy(+1);
        break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        setTempoBy(-1);
        break;
    case Qt::Key_M:
        if (!event.isAutoRepeat()) {
            mute_->click();
            say(mute_->isChecked() ? tr("消音", "said: the sound is off now") : tr("消音を解除", "said: the sound is on again"));
        }
        return true;
    default:
        return false;
    }
    // A new tempo. Where the focus is on the tempo group, it moves to the
    // new choice, and the screen reader reads that.
    QAbstractButton* chosen = tempi_->checkedButton();
    if (chosen && target->window() == this && tempi_->buttons().contains(qobject_cast<QAbstractButton*>(target)))
        chosen->setFocus(Qt::TabFocusReason);
    else if (chosen)
        say(tr("速さ：%1").arg(chosen->text()));
    return true;
}

bool LessonController::arrowInGroup(QWidget* target, int key)
{
    // The arrows go through a group of choices in its order, whichever way
    // its buttons are laid out, and choose as they go.
    auto* button = qobject_cast<QAbstractButton*>(target);
    const QButtonGroup* group = button ? button->group() : nullptr;
    if (!group || (group != tempi_ && group != views_))
        return false;
    int by = 0;
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        by = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        by = -1;
        break;
    default:
        return false;
    }
    const QList<QAbstractButton*> buttons = group->buttons();
    const qsizetype at = std::clamp<qsizetype>(buttons.indexOf(button) + by, 0, buttons.size() - 1);
    QAbstractButton* next = buttons[at];
    next->setFocus(by > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (!next->isChecked())
        next->click();
    return true;
}

void LessonController::setPaused(bool paused, QWidget* where)
{
    // Said in the window where the keyboard is: a screen reader does not
    // read a focused button's new name (Qt 6.4 sends it as an object).
    if (!pace_.runningForm()) {
        platform::narrator::announce(where, tr("計算中ではありません"));
        return;
    }
    pace_.setPaused(paused);
    platform::narrator::announce(where, pace_.paused() ? tr("一時停止", "said: the run is paused now")
                                                       : tr("再開", "said: the run goes on"));
}

void LessonController::stepOnce(QWidget* where)
{
    if (!pace_.runningForm()) {
        platform::narrator::announce(where, tr("計算中ではありません"));
        return;
    }
    pace_.step();
    platform::narrator::announce(where, tr("１ステップ", "said: the run went one step on"));
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
    // A run that goes on from the last one of its window (the polygons'
    // manual steps are a run each) adds to its trace; that is known at its
    // first step. Any other run starts afresh.
    const bool mayGoOn = lastRun_ == &run.form() && run.method() == method_ && !points_.isEmpty();
    lastRun_ = &run.form();
    method_ = run.method();
    firstStep_ = true;
    if (!mayGoOn)
        clearTrace();
    refresh();
}

void LessonController::runStepped(platform::Run& run)
{
    if (&run.form() != followed_)
        return;
    if (firstStep_) {
        firstStep_ = false;
        if (run.n() != n_ + 1)
            clearTrace();
    }
    n_ = run.n();
    if (const std::optional<double> value = run.value()) {
        // At the precision the window computed in: a single-precision 3.1
        // has two correct digits, not the one its double's digits show.
        digits_ = QString::fromStdString(run.singlePrecision() ? digits::shortest(float(*value))
                                                               : digits::shortest(*value));
        points_.append(QPointF(double(n_), *value));
    }
    if (!refresh_->isActive())
        refresh_->start();
}

void LessonController::runClosed(platform::Run& run)
{
    if (&run.form() != followed_)
        return;
    firstStep_ = false;
    refresh_->stop();
    refresh();
    updateReadings();
}

void LessonController::showState()
{
    const bool running = pace_.runningForm() != nullptr;
    QAbstractButton* chosen = tempi_->button(int(pace_.tempo()));
    if (chosen)
        chosen->setChecked(true);
    tabStopOnChecked(*tempi_);
    // The controller's focus, where it was on the tempo, follows the choice
    // however it was made (a key in the window beside it), so that it comes
    // back to the chosen one.
    auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
    if (chosen && focused && focused != chosen && focused->group() == tempi_)
        chosen->setFocus(Qt::OtherFocusReason);
    pause_->setEnabled(running);
    step_->setEnabled(running);
    pause_->setChecked(pace_.paused());
    // What a press will do.
    pause_->setText(pace_.paused() ? tr("再開") : tr("一時停止"));
    pause_->setAccessibleName(pause_->text());
}

void LessonController::clearTrace()
{
    n_ = 0;
    digits_.clear();
    correct_ = 0;
    points_.clear();
    drawn_ = 0;
    if (trace_)
        trace_->clear();
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
    updateReadings();
}

void LessonController::refresh()
{
    if (!digits_.isEmpty()) {
        correct_ = digits::correct(digits_.toStdString());
        value_->setText(markedDigits(digits_));
        correctLabel_->setText(tr("正しい桁数：%n 桁", nullptr, correct_));
    } else {
        value_->clear();
        correctLabel_->setText(tr("正しい桁数：－"));
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
    if (!readings_->isActive())
        readings_->start();
}

void LessonController::updateReadings()
{
    readings_->stop();
    value_->setAccessibleName(digits_.isEmpty() ? tr("いまの値 なし") : tr("いまの値 %1").arg(digits_));
    correctLabel_->setAccessibleName(digits_.isEmpty() ? tr("正しい桁数 なし")
                                                       : tr("正しい桁数 %n 桁", nullptr, correct_));
    if (trace_)
        trace_->widget()->setAccessibleDescription(traceDescription());
}

QString LessonController::traceDescription() const
{
    if (points_.isEmpty())
        return tr("まだ点がありません");
    const double pi = std::numbers::pi;
    const QPointF last = points_.last();
    // The last few points: on both sides of π, the trace swings; on one,
    // it settles, or moves away.
    const qsizetype from = std::max<qsizetype>(0, points_.size() - 10);
    bool above = false;
    bool below = false;
    for (qsizetype i = from; i < points_.size(); ++i) {
        above = above || points_[i].y() > pi;
        below = below || points_[i].y() < pi;
    }
    QString trend;
    if (points_.size() - from < 2)
        trend = QString();
    else if (above && below)
        trend = tr("πの上下に振れています");
    else if (std::abs(last.y() - pi) > std::abs(points_[from].y() - pi))
        trend = tr("πから離れています");
    else if (above)
        trend = tr("πの上から落ち着いて近づいています");
    else if (below)
        trend = tr("πの下から落ち着いて近づいています");
    else
        trend = tr("πと同じです");
    const QAbstractButton* view = views_ ? views_->checkedButton() : nullptr;
    QString description = tr("%1：ｎ＝%2、最後の値 %3、誤差 %4")
                              .arg(view ? view->text() : QString())
                              .arg(qint64(last.x()))
                              .arg(digits_.isEmpty() ? QString::number(last.y(), 'g', 15) : digits_,
                                   spokenError(std::abs(last.y() - pi)));
    if (!trend.isEmpty())
        description += tr("、") + trend;
    return description;
}

} // namespace lesson

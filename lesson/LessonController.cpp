// SPDX-License-Identifier: GPL-3.0-or-later
#include "LessonController.h"

#include "Handout.h"
#include "platform/Form.h"
#include "platform/MMControl.h"
#include "platform/accessible/Factory.h"
#include "platform/accessible/Narrator.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace lesson {

namespace {
constexpr int refreshMs = 50;   // how often the value and the trace are redrawn
constexpr int readingsMs = 1000; // how often a screen reader's names are renewed in a run
constexpr int hintDelayMs = 2500; // after the title window has been read

// A frame to a screen reader, which reads its title; marked before the
// view makes any widget's interface.
QWidget* asFrame(QWidget* controller)
{
    platform::accessible::setKind(controller, platform::accessible::Kind::Frame);
    return controller;
}
} // namespace

LessonController::LessonController(Pace& pace, std::unique_ptr<Trace> trace, Layout layout)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , pace_(pace)
    , view_(*asFrame(this), std::move(trace), layout)
    , follower_(new Follower(*this))
    , keys_(view_, pace_, *follower_, reading_)
{
    setObjectName(QStringLiteral("LessonController"));
    setWindowTitle(tr("授業モード"));
    setAccessibleDescription(tr("Ｐで一時停止と再開、Ｓで１ステップ、プラスとマイナスで速さを変え、Ｍで消音、"
                                "Ｒでいまの値を読み上げ、Ｆ６で計算の窓に移り、Ｈでこの窓を隠します。"
                                "このキーは計算の窓でも使えます。"
                                "モンテカルロ法とビュホンの針では、Ｃでクラスの実験を開きます。"
                                "グラフの上で右クリックかメニューキー（シフトとＦ１０でも）を押すと、グラフを画像に、点を CSV に保存するメニューが開きます。"));
    // Beside the window the class watches, which keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);

    refresh_ = new QTimer(this);
    refresh_->setSingleShot(true);
    refresh_->setInterval(refreshMs);
    connect(refresh_, &QTimer::timeout, this, &LessonController::refresh);
    readings_ = new QTimer(this);
    readings_->setSingleShot(true);
    readings_->setInterval(readingsMs);
    connect(readings_, &QTimer::timeout, this, &LessonController::updateReadings);

    if (view_.trace)
        view_.trace->offerSaving(std::make_unique<Handout>(reading_, view_));
    if (view_.views)
        connect(view_.views, &QButtonGroup::idClicked, this, &LessonController::updateReadings);
    connect(view_.tempi, &QButtonGroup::idClicked, this, [this](int id) { pace_.setTempo(Tempo(id)); });
    connect(view_.pause, &QPushButton::clicked, this, [this](bool checked) { keys_.setPaused(checked, this); });
    connect(view_.step, &QPushButton::clicked, this, [this] { keys_.stepOnce(this); });
    connect(view_.mute, &QPushButton::toggled, this, [](bool on) { platform::MMControl::setMuted(on); });
    connect(&pace_, &Pace::changed, this, &LessonController::showState);
    connect(follower_, &Follower::followedAnew, this, [this] {
        if (!pace_.runningForm())
            clearValue();
        showClassSession();
    });
    connect(view_.classSession, &QPushButton::clicked, this, [this] {
        if (platform::Form* form = follower_->followed())
            emit classSessionRequested(*form);
    });
    // The controller may be all that is left on screen of a minimised window.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::pressed, this, &platform::Form::restoreMinimised);

    qApp->installEventFilter(this);
    clearValue();
    showState();
    // Said once, where the keyboard is, when the first window has settled:
    // nothing else tells a pupil who cannot see it that the controller is there.
    QTimer::singleShot(hintDelayMs, this, [] {
        if (QWidget* active = QApplication::activeWindow())
            platform::narrator::announce(active, LessonKeys::hint());
    });
}

LessonController::~LessonController()
{
    qApp->removeEventFilter(this);
    platform::MMControl::setMuted(false);
}

QRadioButton* LessonController::tempoButton(Tempo tempo) const
{
    return static_cast<QRadioButton*>(view_.tempi->button(int(tempo)));
}

QString LessonController::traceDescription() const { return reading_.traceDescription(view_.viewName()); }

bool LessonController::eventFilter(QObject* watched, QEvent* event)
{
    return event->type() == QEvent::KeyPress && watched->isWidgetType()
           && keys_.key(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
}

void LessonController::closeEvent(QCloseEvent* event)
{
    // Lesson mode keeps its control for as long as the program runs.
    event->ignore();
}

void LessonController::runOpened(platform::Run& run)
{
    follower_->follow(run.form());
    const bool sameWindow = lastRun_ == &run.form();
    lastRun_ = &run.form();
    if (reading_.open(run.method(), sameWindow))
        view_.clearTrace();
    refresh();
}

void LessonController::runStepped(platform::Run& run)
{
    if (&run.form() != follower_->followed())
        return;
    keys_.stepped(run.form());
    if (reading_.step(run.n(), run.value(), run.singlePrecision(), run.tally()))
        view_.clearTrace();
    // At a tempo the eye follows, or held, the controller shows each step
    // with the window; only at full speed are redraws coalesced.
    if (pace_.tempo() != Tempo::Full || pace_.paused()) {
        refresh_->stop();
        refresh();
    } else if (!refresh_->isActive()) {
        refresh_->start();
    }
}

void LessonController::runClosed(platform::Run& run)
{
    if (&run.form() != follower_->followed())
        return;
    reading_.close();
    refresh_->stop();
    refresh();
    updateReadings();
}

void LessonController::setClassSessionOffered(std::function<bool(const platform::Form&)> offered)
{
    classOffered_ = std::move(offered);
    showClassSession();
}

void LessonController::showClassSession()
{
    const platform::Form* followed = follower_->followed();
    view_.classSession->setVisible(classOffered_ && followed && classOffered_(*followed));
}

void LessonController::showState()
{
    view_.showPace(pace_.tempo(), pace_.paused(), pace_.runningForm() != nullptr);
}

void LessonController::clearValue()
{
    reading_.clearValue();
    view_.showValue(reading_);
    if (!pace_.runningForm()) {
        reading_.clear();
        view_.clearRun();
    }
    updateReadings();
}

void LessonController::refresh()
{
    view_.showValue(reading_);
    view_.showStep(reading_, pace_.runningForm() == follower_->followed() || !reading_.points().isEmpty());
    if (!readings_->isActive())
        readings_->start();
}

void LessonController::updateReadings()
{
    readings_->stop();
    view_.showReadings(reading_);
}

} // namespace lesson

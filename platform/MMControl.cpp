// SPDX-License-Identifier: GPL-3.0-or-later
#include "MMControl.h"
#include "Modules.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <set>

// Where the sound files are installed, relative to the installed program.
#ifndef SORVENA_DATA_FROM_BIN
#define SORVENA_DATA_FROM_BIN "../share/sorvena"
#endif

namespace platform {

namespace {

MMControl::Observer& observerSlot()
{
    static MMControl::Observer observer;
    return observer;
}

MMControl::DeviceFactory& factorySlot()
{
    static MMControl::DeviceFactory factory;
    return factory;
}

// Every live player, for shutdownSound. Never destroyed, so players that
// outlive static destruction can still unregister.
std::set<MMControl*>& players()
{
    static auto* all = new std::set<MMControl*>;
    return *all;
}

bool mutedFlag = false;

bool is(const QString& command, QLatin1String name)
{
    return command.compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

// Stands for the real device until it exists: keeps what the player was
// last asked for and replays it then, so that the tune asked for before the
// first paint still starts with the window.
class MMControl::StandIn final : public SoundDevice {
public:
    bool attached() const { return real_ != nullptr; }

    void attach(std::unique_ptr<SoundDevice> real)
    {
        real_ = std::move(real);
        if (!real_)
            return;
        if (open_)
            real_->open(path_);
        if (asked_ == Asked::Sound)
            real_->sound();
        else if (asked_ == Asked::Play)
            real_->play();
    }

    void open(const QString& path) override
    {
        if (real_)
            return real_->open(path);
        open_ = true;
        path_ = path;
        asked_ = Asked::Nothing;
    }

    void close() override
    {
        if (real_)
            return real_->close();
        open_ = false;
        path_.clear();
        asked_ = Asked::Nothing;
    }

    void stop() override
    {
        if (real_)
            return real_->stop();
        asked_ = Asked::Nothing;
    }

    void sound() override
    {
        if (real_)
            return real_->sound();
        asked_ = Asked::Sound;
    }

    void play() override
    {
        if (real_)
            return real_->play();
        asked_ = Asked::Play;
    }

private:
    enum class Asked { Nothing, Sound, Play };

    std::unique_ptr<SoundDevice> real_;
    bool open_ = false;
    QString path_;
    Asked asked_ = Asked::Nothing;
};

// Qt Multimedia, FluidSynth and the fifty-odd libraries under them live in
// the audio module. Loading it only once the first window has been painted
// keeps the dynamic loader's work for them off the start-up.
class AudioModule : public QObject {
public:
    static AudioModule& instance()
    {
        static auto* module = new AudioModule; // never destroyed, like the module itself
        return *module;
    }

    // The module's device, or none: without the module the program is silent.
    std::unique_ptr<SoundDevice> makeDevice() const
    {
        return std::unique_ptr<SoundDevice>(entry_ ? entry_() : nullptr);
    }

    // The first ask starts waiting for a painted window; without a GUI
    // there is never one, and so never sound.
    void request()
    {
        if (state_ != State::Idle || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        state_ = State::Waiting;
        const QWindowList windows = QGuiApplication::topLevelWindows();
        if (std::any_of(windows.begin(), windows.end(), [](QWindow* w) { return w->isExposed(); }))
            QTimer::singleShot(0, this, &AudioModule::load);
        else
            QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            // Queued, so the window is painted before the module loads.
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, &AudioModule::load);
        }
        return false;
    }

private:
    enum class State { Idle, Waiting, Loaded };

    void load()
    {
        if (state_ != State::Waiting)
            return;
        state_ = State::Loaded;
        entry_ = reinterpret_cast<SoundDeviceEntry>(moduleEntry(QStringLiteral("sorvena-audio.so"), kSoundDeviceEntry));
        MMControl::attachWaiting();
    }

    State state_ = State::Idle;
    SoundDeviceEntry entry_ = nullptr;
};

namespace {

std::unique_ptr<SoundDevice> makeDevice()
{
    const MMControl::DeviceFactory& factory = factorySlot();
    return factory ? factory() : AudioModule::instance().makeDevice();
}

} // namespace

MMControl::MMControl(QObject* owner, const char* name)
    : QObject(owner)
    , device_(std::make_unique<StandIn>())
{
    setObjectName(QString::fromLatin1(name));
    if (!factorySlot())
        AudioModule::instance().request();
    // Null until the module is loaded; the stand-in then waits.
    device_->attach(makeDevice());
    players().insert(this);
}

MMControl::~MMControl()
{
    players().erase(this);
}

void MMControl::setCommand(const QString& command)
{
    // A copy, so that an observer may replace itself.
    if (const Observer observer = observerSlot())
        observer(*this, command);
    const QString c = command.trimmed();
    if (is(c, QLatin1String("Open")))
        device_->open(locateSoundFile(fileName_));
    else if (is(c, QLatin1String("Close")))
        device_->close();
    else if (is(c, QLatin1String("Stop")))
        device_->stop();
    else if (mutedFlag)
        return;
    else if (is(c, QLatin1String("Sound")))
        device_->sound();
    else if (is(c, QLatin1String("Play")))
        device_->play();
}

void MMControl::attachWaiting()
{
    const std::set<MMControl*> all = players();
    for (MMControl* player : all)
        if (players().count(player) && !player->device_->attached())
            player->device_->attach(makeDevice());
}

void MMControl::setObserver(Observer observer)
{
    observerSlot() = std::move(observer);
}

void MMControl::setMuted(bool muted)
{
    mutedFlag = muted;
    if (muted)
        shutdownSound();
}

bool MMControl::muted() { return mutedFlag; }

void MMControl::setDeviceFactory(DeviceFactory factory)
{
    factorySlot() = std::move(factory);
    if (factorySlot())
        attachWaiting();
}

QString locateSoundFile(const QString& bareName)
{
    return locateSoundFile(bareName, QDir::currentPath(),
                           QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

QString locateSoundFile(const QString& bareName, const QString& currentDir, const QString& programDir)
{
    if (bareName.isEmpty())
        return {};
    QStringList dirs{currentDir};
    if (!programDir.isEmpty()) {
        dirs.append(programDir);
        // Relative to the program, so that the same binary works under any
        // install prefix and inside a DESTDIR staging tree.
        dirs.append(QDir(programDir).filePath(QStringLiteral(SORVENA_DATA_FROM_BIN)));
    }
    for (const QString& dir : dirs) {
        const QFileInfo candidate(QDir(dir), bareName);
        if (candidate.isFile())
            return QDir::cleanPath(candidate.absoluteFilePath());
    }
    return {};
}

void shutdownSound()
{
    const std::set<MMControl*> all = players();
    for (MMControl* player : all)
        if (players().count(player))
            player->device_->stop();
}

} // namespace platform

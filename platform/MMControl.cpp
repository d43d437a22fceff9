#include "MMControl.h"

#include "AudioDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

bool is(const QString& command, QLatin1String name)
{
    return command.compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

MMControl::MMControl(QObject* owner, const char* name)
    : QObject(owner)
{
    setObjectName(QString::fromLatin1(name));
    const DeviceFactory& factory = factorySlot();
    device_ = factory ? factory() : makeAudioDevice();
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
    if (!device_)
        return;
    const QString c = command.trimmed();
    if (is(c, QLatin1String("Open")))
        device_->open(locateSoundFile(fileName_));
    else if (is(c, QLatin1String("Close")))
        device_->close();
    else if (is(c, QLatin1String("Stop")))
        device_->stop();
    else if (is(c, QLatin1String("Sound")))
        device_->sound();
    else if (is(c, QLatin1String("Play")))
        device_->play();
}

void MMControl::setObserver(Observer observer)
{
    observerSlot() = std::move(observer);
}

void MMControl::setDeviceFactory(DeviceFactory factory)
{
    factorySlot() = std::move(factory);
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
        if (players().count(player) && player->device_)
            player->device_->stop();
}

} // namespace platform

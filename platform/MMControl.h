// SPDX-License-Identifier: GPL-3.0-or-later
// The invisible multimedia player of a window, driven only through its
// file name and command, as the window code expects of it.
#pragma once

#include "audio/SoundDevice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

class MMControl : public QObject {
    Q_OBJECT
public:
    explicit MMControl(QObject* owner, const char* name = "MMControl1");
    ~MMControl() override;

    void setFileName(const QString& bareName) { fileName_ = bareName; }
    QString fileName() const { return fileName_; }

    // "Open", "Close", "Stop", "Sound" or "Play"; anything else is ignored.
    void setCommand(const QString& command);

    // Tests watch the command stream of every player through this.
    using Observer = std::function<void(const MMControl& player, const QString& command)>;
    static void setObserver(Observer observer);

    // Lesson mode's mute: while set, no player sounds or plays, and setting
    // it stops whatever sounds. The commands still reach the observer.
    static void setMuted(bool muted);
    static bool muted();

    // Makes the devices of players from now on, and of the live players
    // still waiting for theirs. Null restores the real audio output, whose
    // devices come from the audio module once the first window has been
    // painted; until then each player keeps what it was asked for.
    using DeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;
    static void setDeviceFactory(DeviceFactory factory);

private:
    class StandIn;
    friend void shutdownSound();
    friend class AudioModule;
    static void attachWaiting();

    QString fileName_;
    std::unique_ptr<StandIn> device_;
};

// A bare sound file name resolved against the current directory first, then
// the directory of the executable, then the installed data directory beside
// it (<prefix>/share/sorvena for <prefix>/bin); empty when none has it.
QString locateSoundFile(const QString& bareName);
QString locateSoundFile(const QString& bareName, const QString& currentDir, const QString& programDir);

// Silences every player; the program calls it on the way out.
void shutdownSound();

} // namespace platform

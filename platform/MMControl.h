// The invisible multimedia player of a window, driven only through its
// file name and command, as the window code expects of it.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

// What actually makes the sound of one player. Every call must return at
// once and never fail loudly: a missing file or device means silence.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void open(const QString& path) = 0; // kind follows the extension
    virtual void close() = 0;
    virtual void stop() = 0;
    virtual void sound() = 0; // wave file once from the start
    virtual void play() = 0;  // MIDI file once from the start
};

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

    // Makes the devices of players created from now on; null restores the
    // real audio output.
    using DeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;
    static void setDeviceFactory(DeviceFactory factory);

private:
    friend void shutdownSound();

    QString fileName_;
    std::unique_ptr<SoundDevice> device_;
};

// A bare sound file name resolved against the current directory first, then
// the directory of the executable, then the installed data directory beside
// it (<prefix>/share/sorvena for <prefix>/bin); empty when none has it.
QString locateSoundFile(const QString& bareName);
QString locateSoundFile(const QString& bareName, const QString& currentDir, const QString& programDir);

// Silences every player; the program calls it on the way out.
void shutdownSound();

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioDevice.h"

#include <QAudioSink>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QTimer>

#include <fluidsynth.h>

#include <map>

namespace platform {

// Debug notes stay hidden unless asked for with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcSound, "sorvena.sound", QtInfoMsg)

namespace {

std::vector<char> readFile(const QString& path, qint64 largest)
{
    QFile file(path);
    if (file.size() > largest || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

// Every player sounds through this one stream, which stays open: on
// PulseAudio a stream per cue, started right after another was torn down,
// could stall until some other stream started.
//
// Workaround(Qt 6.4): pull mode stalls PulseAudio below its pre-buffer mark, so the stream is fed.
// The stream is fed rather than pulled: Qt 6.4's pull mode hands PulseAudio
// whole 20 ms periods only, and with a buffer short enough for a prompt
// click cue it stalls for good below the server's pre-buffer mark. Each
// tick renders exactly what the stream has room for.
class Output : public QObject {
public:
    static Output& instance()
    {
        static Output* output = new Output; // never destroyed: the stream lives as long as the program
        return *output;
    }

    SoundMixer& mixer() { return mixer_; }
    SoundOutput state() const { return state_; }

    // Whether a player should bother: the first ask starts bringing the
    // stream up.
    bool wanted()
    {
        if (state_ == SoundOutput::Idle)
            schedule();
        return state_ != SoundOutput::Absent;
    }

    // A voice has started: feed the stream again if it had run dry.
    void wake()
    {
        if (state_ == SoundOutput::Running && !feed_.isActive()) {
            pull();
            feed_.start(kTickMs);
        }
    }

private:
    Output()
        : mixer_(defaultSoundFonts())
    {
        feed_.setTimerType(Qt::PreciseTimer);
        connect(&feed_, &QTimer::timeout, this, &Output::pull);
    }

    // Queued, so that no command waits for the sound server; the program
    // loads this code only once its first window has been painted.
    void schedule()
    {
        state_ = SoundOutput::Waiting;
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            state_ = SoundOutput::Absent;
            return;
        }
        QTimer::singleShot(0, this, &Output::bringUp);
    }

    void bringUp()
    {
        if (state_ != SoundOutput::Waiting)
            return;
        state_ = SoundOutput::Absent;
        // Without a sound server Qt warns once while looking for one; the
        // program is then simply silent.
        QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QLoggingCategory::setFilterRules(QString());
        QAudioFormat format;
        format.setSampleRate(kMixRate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        if (device.isNull() || !device.isFormatSupported(format)) {
            qCDebug(lcSound) << "no audio output; the program stays silent";
            mixer_.stopAll();
            return;
        }
        sink_ = new QAudioSink(device, format, this);
        // A short buffer keeps a click cue close to its click.
        sink_->setBufferSize(format.bytesForDuration(kBufferUs));
        stream_ = sink_->start();
        if (!stream_ || sink_->error() != QAudio::NoError) {
            qCDebug(lcSound) << "the audio output did not start" << sink_->error();
            mixer_.stopAll();
            return;
        }
        state_ = SoundOutput::Running;
        mixer_.loadSoundFont();
        wake();
    }

    // Fills what the stream has room for. With nothing left to sound the
    // feeding stops, and the stream runs dry instead of taking silence.
    void pull()
    {
        const qint64 frames = sink_->bytesFree() / 4;
        if (frames > 0) {
            buffer_.resize(std::size_t(2 * frames));
            mixer_.render(buffer_.data(), std::size_t(frames));
            stream_->write(reinterpret_cast<const char*>(buffer_.data()), frames * 4);
        }
        if (mixer_.voiceCount() == 0)
            feed_.stop();
    }

    static constexpr qint64 kBufferUs = 40000;
    static constexpr int kTickMs = 10;

    SoundMixer mixer_;
    SoundOutput state_ = SoundOutput::Idle;
    QAudioSink* sink_ = nullptr;
    QIODevice* stream_ = nullptr;
    QTimer feed_;
    std::vector<std::int16_t> buffer_;
};

class AudioDevice final : public SoundDevice {
public:
    ~AudioDevice() override { stop(); }

    void open(const QString& path) override
    {
        close();
        if (path.isEmpty() || !Output::instance().wanted())
            return;
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == QLatin1String("wav")) {
            clip_ = waveCue(path);
        } else if ((suffix == QLatin1String("mid") || suffix == QLatin1String("midi"))
                   && fluid_is_midifile(QFile::encodeName(path).constData())) {
            midi_ = readFile(path, 4 << 20);
        }
    }

    void close() override
    {
        stop();
        clip_.reset();
        midi_.clear();
    }

    void stop() override
    {
        if (voice_)
            Output::instance().mixer().stop(voice_);
        voice_ = 0;
    }

    void sound() override
    {
        stop();
        voice_ = Output::instance().mixer().play(clip_);
        Output::instance().wake();
    }

    void play() override
    {
        if (midi_.empty())
            return sound();
        stop();
        voice_ = Output::instance().mixer().playTune(midi_);
        Output::instance().wake();
    }

private:
    std::shared_ptr<const Clip> clip_; // the open wave
    std::vector<char> midi_;           // the open tune
    SoundMixer::Voice voice_ = 0;      // what this player has sounding
};

} // namespace

std::shared_ptr<const Clip> waveCue(const QString& path)
{
    // A handful of cues, all of them small.
    static std::map<QString, std::shared_ptr<const Clip>> decoded;
    auto& clip = decoded[path];
    if (!clip) {
        const std::vector<char> bytes = readFile(path, 32 << 20);
        clip = decodeWave(bytes.data(), bytes.size());
    }
    return clip;
}

std::unique_ptr<SoundDevice> makeAudioDevice()
{
    return std::make_unique<AudioDevice>();
}

SoundMixer& soundMixer()
{
    return Output::instance().mixer();
}

SoundOutput soundOutput()
{
    return Output::instance().state();
}

} // namespace platform

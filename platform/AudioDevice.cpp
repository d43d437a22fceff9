#include "AudioDevice.h"

#include "MidiRender.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QThread>

#include <atomic>
#include <cstring>
#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

namespace platform {

// Debug notes stay hidden unless asked for with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcSound, "sorvena.sound", QtInfoMsg)

namespace {

constexpr int kMusicRate = 44100;

std::uint32_t le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 | std::uint32_t(u[3]) << 24;
}

std::uint16_t le16(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint16_t(u[0] | u[1] << 8);
}

QAudioFormat pcmFormat(int sampleRate, int channels)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// --------------------------------------------------------- output probe

QtMessageHandler previousHandler = nullptr;
std::atomic<QThread*> probingThread{nullptr};
QStringList* probeMessages = nullptr;

// Qt's audio backend warns once when it finds no sound server. With no
// output the program is simply silent, so keep that note at debug level.
void probeFilter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (probingThread.load() == QThread::currentThread() && type != QtCriticalMsg && type != QtFatalMsg) {
        probeMessages->append(message);
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

bool probeOutput()
{
    if (!QCoreApplication::instance())
        return false;
    QStringList messages;
    probeMessages = &messages;
    probingThread.store(QThread::currentThread());
    previousHandler = qInstallMessageHandler(probeFilter);
    const bool available = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(previousHandler);
    probingThread.store(nullptr);
    probeMessages = nullptr;
    for (const QString& m : messages)
        qCDebug(lcSound) << "audio probe:" << m;
    if (!available)
        qCDebug(lcSound) << "no audio output; the program stays silent";
    return available;
}

// ---------------------------------------------------------- music cache

class AudioDevice;

struct Render {
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    std::shared_ptr<const std::vector<std::int16_t>> pcm; // set before `finished`
    std::thread thread;
};

// Renders each tune once, on its own thread, and tells the waiting devices
// on the main thread when it is done. Never destroyed, so that devices and
// queued notifications may outlive static destruction safely.
class MusicStore {
public:
    static MusicStore& instance()
    {
        static MusicStore* store = new MusicStore;
        // Stops and joins what still renders when the program returns from
        // main instead of leaving through shutdownSound.
        static struct JoinAtExit {
            ~JoinAtExit() { store->cancelAll(); }
        } joinAtExit;
        return *store;
    }

    std::shared_ptr<Render> prepare(const QString& path)
    {
        auto& slot = renders_[path];
        if (slot)
            return slot;
        auto render = std::make_shared<Render>();
        slot = render;
        const std::string file = QFile::encodeName(path).toStdString();
        Render* const id = render.get();
        try {
            render->thread = std::thread([this, render, file, path, id] {
                auto pcm = renderMidi(file, defaultSoundFonts(), kMusicRate, &render->cancel);
                render->pcm = std::make_shared<const std::vector<std::int16_t>>(std::move(pcm));
                render->finished.store(true, std::memory_order_release);
                QMetaObject::invokeMethod(&context_, [this, path, id] { ready(path, id); }, Qt::QueuedConnection);
            });
        } catch (const std::system_error&) {
            // No thread to be had: the tune stays silent.
            render->pcm = std::make_shared<const std::vector<std::int16_t>>();
            render->finished.store(true);
        }
        return render;
    }

    std::shared_ptr<Render> find(const QString& path) const
    {
        const auto it = renders_.find(path);
        return it == renders_.end() ? nullptr : it->second;
    }

    void cancelAll()
    {
        for (auto it = renders_.begin(); it != renders_.end();) {
            Render& r = *it->second;
            r.cancel.store(true);
            if (r.thread.joinable())
                r.thread.join();
            // A cancelled render is incomplete; a later request starts anew.
            const bool complete = r.pcm && !r.pcm->empty();
            it = complete ? std::next(it) : renders_.erase(it);
        }
    }

    void add(AudioDevice* d) { devices_.insert(d); }
    void remove(AudioDevice* d) { devices_.erase(d); }

private:
    MusicStore() = default;
    void ready(const QString& path, const Render* id);

    QObject context_; // made on the main thread by the first caller; ready() runs there
    std::map<QString, std::shared_ptr<Render>> renders_;
    std::set<AudioDevice*> devices_;
};

// ----------------------------------------------------------------- mixer

// Every player sounds through one output stream that stays open: opening
// and tearing down a stream per cue costs latency, and on PulseAudio a
// stream started right after another was torn down can stall until some
// other stream starts. Players are voices; a voice ends by itself when its
// samples run out, or when its player stops it.
class Mixer : public QIODevice {
public:
    static Mixer& instance()
    {
        static Mixer* mixer = new Mixer; // never destroyed: the stream lives as long as the program
        return *mixer;
    }

    quint64 add(std::shared_ptr<const std::vector<std::int16_t>> pcm, int channels, int rate)
    {
        if (!ensureStream())
            return 0;
        std::lock_guard lock(mutex_);
        const quint64 id = ++lastId_;
        voices_.push_back({id, std::move(pcm), channels, double(rate) / kMusicRate, 0.0});
        return id;
    }

    void remove(quint64 id)
    {
        std::lock_guard lock(mutex_);
        std::erase_if(voices_, [id](const Voice& v) { return v.id == id; });
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return chunkBytes + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 frames = std::min(maxSize, chunkBytes) / 4;
        std::vector<std::int32_t> mix(std::size_t(frames) * 2, 0);
        {
            std::lock_guard lock(mutex_);
            for (Voice& v : voices_) {
                const std::size_t total = v.pcm->size() / std::size_t(v.channels);
                for (qint64 f = 0; f < frames; ++f, v.position += v.step) {
                    const auto at = std::size_t(v.position);
                    if (at >= total)
                        break;
                    const std::int16_t* frame = v.pcm->data() + at * std::size_t(v.channels);
                    mix[std::size_t(2 * f)] += frame[0];
                    mix[std::size_t(2 * f + 1)] += frame[v.channels > 1 ? 1 : 0];
                }
            }
            std::erase_if(voices_, [](const Voice& v) {
                return std::size_t(v.position) >= v.pcm->size() / std::size_t(v.channels);
            });
        }
        auto* out = reinterpret_cast<std::int16_t*>(data);
        for (std::size_t i = 0; i < mix.size(); ++i)
            out[i] = std::int16_t(std::clamp(mix[i], -32768, 32767));
        return frames * 4;
    }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr qint64 chunkBytes = 4096;

    struct Voice {
        quint64 id;
        std::shared_ptr<const std::vector<std::int16_t>> pcm;
        int channels;
        double step;     // source frames per output frame
        double position; // in source frames
    };

    bool ensureStream()
    {
        if (sink_)
            return sink_->error() == QAudio::NoError || sink_->state() != QAudio::StoppedState;
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        const QAudioFormat format = pcmFormat(kMusicRate, 2);
        if (output.isNull() || !output.isFormatSupported(format))
            return false;
        open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(output, format);
        // A short buffer keeps a click cue close to its click.
        sink_->setBufferSize(qsizetype(format.bytesForDuration(80000)));
        sink_->start(this);
        qCDebug(lcSound) << "mixer stream" << sink_->state() << sink_->error();
        return true;
    }

    std::mutex mutex_;
    std::vector<Voice> voices_;
    quint64 lastId_ = 0;
    std::unique_ptr<QAudioSink> sink_;
};

// ---------------------------------------------------------------- device

class AudioDevice final : public SoundDevice {
public:
    AudioDevice() { MusicStore::instance().add(this); }
    ~AudioDevice() override
    {
        releaseOutput();
        MusicStore::instance().remove(this);
    }

    void open(const QString& path) override
    {
        close();
        if (path.isEmpty() || !audioOutputAvailable())
            return;
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == QLatin1String("wav")) {
            QFile file(path);
            constexpr qint64 largest = 32 << 20;
            if (file.size() > largest || !file.open(QIODevice::ReadOnly))
                return;
            auto wave = decodeWave(file.readAll());
            if (!wave || wave->samples.empty())
                return;
            format_ = pcmFormat(wave->sampleRate, wave->channels);
            pcm_ = std::make_shared<const std::vector<std::int16_t>>(std::move(wave->samples));
            kind_ = Kind::Wave;
        } else if (suffix == QLatin1String("mid") || suffix == QLatin1String("midi")) {
            MusicStore::instance().prepare(path);
            format_ = pcmFormat(kMusicRate, 2);
            kind_ = Kind::Midi;
        } else {
            return;
        }
        path_ = path;
    }

    void close() override
    {
        stop();
        kind_ = Kind::None;
        path_.clear();
        pcm_.reset();
    }

    void stop() override
    {
        waitingForMusic_ = false;
        releaseOutput();
    }

    void sound() override
    {
        if (kind_ == Kind::Wave)
            start(pcm_);
    }

    void play() override
    {
        if (kind_ == Kind::Wave) {
            start(pcm_);
        } else if (kind_ == Kind::Midi) {
            // After shutdownSound a cancelled render is gone; ask again.
            auto render = MusicStore::instance().prepare(path_);
            releaseOutput();
            if (render->finished.load(std::memory_order_acquire))
                start(render->pcm);
            else
                waitingForMusic_ = true;
        }
    }

    void musicReady(const QString& path, const std::shared_ptr<Render>& render)
    {
        if (!waitingForMusic_ || kind_ != Kind::Midi || path != path_)
            return;
        waitingForMusic_ = false;
        start(render->pcm);
    }

private:
    enum class Kind { None, Wave, Midi };

    void start(const std::shared_ptr<const std::vector<std::int16_t>>& pcm)
    {
        releaseOutput();
        if (pcm && !pcm->empty())
            voice_ = Mixer::instance().add(pcm, format_.channelCount(), format_.sampleRate());
    }

    void releaseOutput()
    {
        if (voice_)
            Mixer::instance().remove(voice_);
        voice_ = 0;
    }

    Kind kind_ = Kind::None;
    QString path_;
    QAudioFormat format_;
    std::shared_ptr<const std::vector<std::int16_t>> pcm_; // the open wave
    bool waitingForMusic_ = false;

    quint64 voice_ = 0; // what this player has sounding in the mixer
};

void MusicStore::ready(const QString& path, const Render* id)
{
    // The render may have been cancelled and replaced since it posted this.
    const auto render = find(path);
    if (render.get() != id || !render->finished.load(std::memory_order_acquire))
        return;
    if (render->thread.joinable())
        render->thread.join(); // it has posted its last word already
    const std::set<AudioDevice*> devices = devices_;
    for (AudioDevice* d : devices)
        if (devices_.count(d))
            d->musicReady(path, render);
}

} // namespace

std::optional<WaveData> decodeWave(const QByteArray& bytes)
{
    const char* p = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveData wave;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= size;) {
        const char* id = p + at;
        const qsizetype length = le32(p + at + 4);
        const qsizetype body = at + 8;
        if (length > size - body)
            return std::nullopt; // truncated
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (length < 16)
                return std::nullopt;
            const int tag = le16(p + body), channels = le16(p + body + 2), bits = le16(p + body + 14);
            const int rate = int(le32(p + body + 4)), align = le16(p + body + 12);
            if (tag != 1 || bits != 16 || channels < 1 || channels > 2 || align != 2 * channels
                || rate < 8000 || rate > 192000)
                return std::nullopt;
            wave.sampleRate = rate;
            wave.channels = channels;
            haveFormat = true;
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (!haveFormat)
                return std::nullopt;
            const qsizetype frames = length / (2 * wave.channels);
            wave.samples.resize(std::size_t(frames * wave.channels));
            for (std::size_t i = 0; i < wave.samples.size(); ++i)
                wave.samples[i] = std::int16_t(le16(p + body + 2 * qsizetype(i)));
            return wave;
        }
        at = body + length + (length & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

bool audioOutputAvailable()
{
    static const bool available = probeOutput();
    return available;
}

std::unique_ptr<SoundDevice> makeAudioDevice()
{
    return std::make_unique<AudioDevice>();
}

void prepareMusicAt(const QString& path)
{
    if (!path.isEmpty() && audioOutputAvailable())
        MusicStore::instance().prepare(path);
}

void cancelMusicRenders()
{
    MusicStore::instance().cancelAll();
}

} // namespace platform

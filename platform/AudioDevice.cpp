#include "AudioDevice.h"

#include "MidiRender.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
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
        if (!pcm || pcm->empty())
            return;
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull() || !output.isFormatSupported(format_))
            return;
        sounding_ = pcm;
        bytes_ = QByteArray::fromRawData(reinterpret_cast<const char*>(pcm->data()),
                                         qsizetype(pcm->size() * sizeof(std::int16_t)));
        buffer_ = std::make_unique<QBuffer>(&bytes_);
        buffer_->open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(output, format_);
        const quint64 generation = ++generation_;
        QAudioSink* sink = sink_.get();
        QObject::connect(sink, &QAudioSink::stateChanged, &context_, [this, sink, generation](QAudio::State state) {
            qCDebug(lcSound) << "output of" << path_ << "now" << state;
            // Idle also means a passing underrun while the main thread was
            // busy; only the end of the data ends the sound.
            const bool drained = state == QAudio::IdleState && generation == generation_ && buffer_->atEnd();
            const bool failed = state == QAudio::StoppedState && sink->error() != QAudio::NoError;
            if (!drained && !failed)
                return;
            // Not from inside the sink's own signal: release on the next turn.
            QMetaObject::invokeMethod(&context_, [this, generation] {
                if (generation == generation_)
                    releaseOutput();
            }, Qt::QueuedConnection);
        });
        sink->start(buffer_.get());
        qCDebug(lcSound) << "playing" << path_ << "state" << sink->state() << "error" << sink->error();
        // Some backends never report the drained stream as idle; free the
        // output a little after the sound must have ended in any case.
        const auto ms = qint64(pcm->size()) * 1000 / (qint64(format_.sampleRate()) * format_.channelCount());
        QTimer::singleShot(std::chrono::milliseconds(ms + 2000), &context_, [this, generation] {
            if (generation == generation_)
                releaseOutput();
        });
    }

    void releaseOutput()
    {
        ++generation_;
        if (sink_) {
            qCDebug(lcSound) << "releasing output of" << path_;
            sink_->disconnect();
            sink_->stop();
        }
        sink_.reset();
        buffer_.reset();
        bytes_.clear();
        sounding_.reset();
    }

    Kind kind_ = Kind::None;
    QString path_;
    QAudioFormat format_;
    std::shared_ptr<const std::vector<std::int16_t>> pcm_; // the open wave
    bool waitingForMusic_ = false;

    std::shared_ptr<const std::vector<std::int16_t>> sounding_; // keeps bytes_ valid
    QByteArray bytes_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;
    quint64 generation_ = 0;
    QObject context_; // drops queued calls once the device is gone
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

// The generated sound files, the off-line MIDI render, and the players'
// command handling on a machine without audio output.

#include "platform/AudioDevice.h"
#include "platform/MMControl.h"
#include "platform/MidiRender.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <fluidsynth.h>

#include <cmath>
#include <map>
#include <set>

using namespace platform;

namespace {

const std::string kTimGM = "/usr/share/sounds/sf2/TimGM6mb.sf2";

double rms(const std::int16_t* s, std::size_t n)
{
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += double(s[i]) * s[i];
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 be(const QByteArray& b, qsizetype at, int n)
{
    quint32 v = 0;
    for (int i = 0; i < n; ++i)
        v = v << 8 | quint8(b[at + i]);
    return v;
}

// What the test needs to know of a Standard MIDI File; `error` says why
// it is malformed.
struct Tune {
    QString error;
    int format = -1, division = 0;
    bool tempo = false;
    std::set<int> channelsWithNotes, channelsWithProgram;
    double seconds = 0;
};

Tune readTune(const QByteArray& b)
{
    Tune t;
    if (b.size() < 14 || !b.startsWith("MThd") || be(b, 4, 4) != 6)
        return t.error = "header", t;
    t.format = int(be(b, 8, 2));
    const int tracks = int(be(b, 10, 2));
    t.division = int(be(b, 12, 2));
    if (t.division <= 0 || t.division >= 0x8000 || tracks < 1)
        return t.error = "division or track count", t;
    std::map<quint32, quint32> tempos{{0, 500000}}; // tick -> microseconds per quarter
    quint32 endTick = 0;
    qsizetype at = 14;
    for (int n = 0; n < tracks; ++n) {
        if (at + 8 > b.size() || b.mid(at, 4) != "MTrk")
            return t.error = "track chunk", t;
        const qsizetype end = at + 8 + be(b, at + 4, 4);
        if (end > b.size())
            return t.error = "track length", t;
        at += 8;
        quint32 tick = 0;
        int status = 0;
        bool ended = false;
        std::map<int, int> sounding; // channel * 128 + note -> open notes
        auto varLen = [&] {
            quint32 v = 0;
            while (at < end) {
                const quint8 byte = quint8(b[at++]);
                v = v << 7 | (byte & 0x7F);
                if (!(byte & 0x80))
                    break;
            }
            return v;
        };
        while (at + 3 <= end && !ended) {
            tick += varLen();
            if (quint8(b[at]) & 0x80)
                status = quint8(b[at++]);
            if (status == 0xFF) {
                const int type = quint8(b[at++]);
                const quint32 length = varLen();
                if (type == 0x51 && length == 3)
                    t.tempo = true, tempos[tick] = be(b, at, 3);
                ended = type == 0x2F;
                at += length;
                continue;
            }
            const int kind = status & 0xF0, channel = status & 0x0F;
            if (kind < 0x80 || status >= 0xF0)
                return t.error = "event status", t;
            if (kind == 0xC0)
                t.channelsWithProgram.insert(channel);
            if (kind == 0x90 && quint8(b[at + 1]) > 0) {
                t.channelsWithNotes.insert(channel);
                ++sounding[channel * 128 + quint8(b[at])];
            } else if (kind == 0x80 || kind == 0x90) {
                --sounding[channel * 128 + quint8(b[at])];
            }
            at += kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        }
        if (!ended || at != end)
            return t.error = "end of track", t;
        for (const auto& [key, open] : sounding)
            if (open != 0)
                return t.error = QString("unbalanced note %1").arg(key), t;
        endTick = std::max(endTick, tick);
    }
    for (auto it = tempos.begin(); it != tempos.end(); ++it) {
        const auto next = std::next(it);
        const quint32 until = next == tempos.end() ? endTick : std::min(next->first, endTick);
        if (until > it->first)
            t.seconds += double(until - it->first) / t.division * it->second / 1e6;
    }
    return t;
}

// A wave file with the given format fields, optionally with an odd-sized
// chunk before the data or a data chunk that claims more than there is.
QByteArray wave(int tag, int channels, int bits, bool oddChunk = false, bool truncated = false)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint32 frames = 100, rate = 22050, align = quint32(channels * bits / 8);
    s.writeRawData("RIFF", 4);
    s << quint32(0);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(tag) << quint16(channels) << rate << rate * align << quint16(align) << quint16(bits);
    if (oddChunk) {
        s.writeRawData("LIST", 4);
        s << quint32(3) << quint8(1) << quint8(2) << quint8(3) << quint8(0);
    }
    s.writeRawData("data", 4);
    s << quint32(frames * align + (truncated ? 64 : 0));
    for (quint32 i = 0; i < frames * align / 2; ++i)
        s << qint16(i * 97);
    return out;
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void generatedWave_data();
    void generatedWave();
    void tuneIsWellFormed();
    void tuneRenders();
    void renderFailsQuietly_data();
    void renderFailsQuietly();
    void waveDecoding_data();
    void waveDecoding();
    void locate_data();
    void locate();
    void commandSequence_data();
    void commandSequence();
    void dispatch_data();
    void dispatch();
    void playersAreIndependent();

private:
    QTemporaryDir scratch_;
    QString buildDir_;
};

void TestSound::initTestCase()
{
    QVERIFY(scratch_.isValid());
    buildDir_ = QDir::currentPath();
    for (const char* name : {"pinpon.wav", "endpinpon.wav", "logoff.wav", "passport.mid"})
        QVERIFY2(QFileInfo::exists(name), name);
    const QByteArray tune = readAll("passport.mid");
    const std::map<QString, QByteArray> files = {
        {"broken.wav", QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 20)},
        {"short.wav", wave(1, 1, 16).left(44)},
        {"broken.mid", QByteArray("MThd\0\0\0\6\0\1\0\1\1\xE0MTrk\0\0\1\0garbage", 30)},
        {"truncated.mid", tune.left(tune.size() / 3)},
        {"empty.mid", {}},
        {"bad.sf2", QByteArray("RIFF\4\0\0\0sfbk", 12)},
    };
    for (const auto& [name, bytes] : files) {
        QFile f(scratch_.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
}

void TestSound::cleanup()
{
    MMControl::setObserver(nullptr);
    MMControl::setDeviceFactory(nullptr);
    QDir::setCurrent(buildDir_);
}

void TestSound::generatedWave_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("seconds");
    QTest::newRow("chime") << "pinpon.wav" << 0.6;
    QTest::newRow("falling cue") << "endpinpon.wav" << 0.8;
    QTest::newRow("end of run") << "logoff.wav" << 1.0;
}

void TestSound::generatedWave()
{
    QFETCH(QString, file);
    QFETCH(double, seconds);
    const QByteArray bytes = readAll(file);
    // Plain PCM with a 16-byte format chunk: what QSoundEffect and every
    // simple reader accept.
    QVERIFY(bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt ");
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8));
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 16), 16u);
    QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 20), quint16(1));
    QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 34), quint16(16));

    const auto decoded = decodeWave(bytes);
    QVERIFY(decoded);
    QVERIFY(decoded->sampleRate == 44100 || decoded->sampleRate == 22050);
    const auto& s = decoded->samples;
    const std::size_t frames = s.size() / std::size_t(decoded->channels);
    QVERIFY(std::abs(double(frames) / decoded->sampleRate - seconds) < 0.1);

    int peak = 0;
    for (std::int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    // Around -6 dBFS, far from clipping, far from silence.
    QVERIFY2(peak > 32768 * 0.35 && peak < 32768 * 0.75, qPrintable(QString::number(peak)));
    QVERIFY(rms(s.data(), s.size()) > 32768 * 0.02);
    // Both ends near zero: no click when the sound starts or stops.
    QVERIFY(std::abs(s.front()) < 100 && std::abs(s.back()) < 100);
}

void TestSound::tuneIsWellFormed()
{
    QVERIFY(fluid_is_midifile("passport.mid"));
    const Tune t = readTune(readAll("passport.mid"));
    QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
    QVERIFY(t.format == 0 || t.format == 1);
    QVERIFY(t.tempo);
    QVERIFY2(t.channelsWithNotes.size() >= 2, "melody and accompaniment");
    for (int channel : t.channelsWithNotes)
        QVERIFY(t.channelsWithProgram.count(channel));
    QVERIFY2(t.seconds >= 20 && t.seconds <= 40, qPrintable(QString::number(t.seconds)));
}

void TestSound::tuneRenders()
{
    if (!QFileInfo::exists(QString::fromStdString(kTimGM)))
        QSKIP("TimGM6mb is not installed");
    const double tuneSeconds = readTune(readAll("passport.mid")).seconds;
    QElapsedTimer clock;
    clock.start();
    const auto pcm = renderMidi("passport.mid", {kTimGM}, 44100);
    const qint64 ms = clock.elapsed();
    const double seconds = double(pcm.size()) / 2 / 44100;
    qInfo("passport.mid: %.2f s of sound rendered in %lld ms", seconds, ms);
    QVERIFY2(seconds >= tuneSeconds && seconds <= tuneSeconds + 6, qPrintable(QString::number(seconds)));
    QVERIFY(rms(pcm.data(), pcm.size()) > 300);
    // Music all the way through: no silent stretch before the last note.
    const std::size_t window = 2 * 44100;
    for (std::size_t at = 0; at + window <= std::size_t(tuneSeconds * 44100) * 2; at += window)
        QVERIFY2(rms(pcm.data() + at, window) > 50, qPrintable(QString("quiet at %1 s").arg(at / 2 / 44100)));
}

void TestSound::renderFailsQuietly_data()
{
    QTest::addColumn<QString>("midi");
    QTest::addColumn<QStringList>("soundFonts");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("sounds");
    const QString tune = QDir(buildDir_).filePath("passport.mid");
    const QString tim = QString::fromStdString(kTimGM);
    const QString bad = scratch_.filePath("bad.sf2");
    QTest::newRow("no SoundFont") << tune << QStringList() << false << false;
    QTest::newRow("SoundFont missing") << tune << QStringList{"/nonexistent/gm.sf2"} << false << false;
    QTest::newRow("SoundFont corrupt") << tune << QStringList{bad} << false << false;
    QTest::newRow("falls back to the next SoundFont") << tune << QStringList{"/nonexistent/gm.sf2", bad, tim} << false << true;
    QTest::newRow("MIDI missing") << scratch_.filePath("nosuch.mid") << QStringList{tim} << false << false;
    QTest::newRow("MIDI empty") << scratch_.filePath("empty.mid") << QStringList{tim} << false << false;
    QTest::newRow("MIDI garbage") << scratch_.filePath("broken.mid") << QStringList{tim} << false << false;
    QTest::newRow("MIDI truncated") << scratch_.filePath("truncated.mid") << QStringList{tim} << false << false;
    QTest::newRow("wave file") << QDir(buildDir_).filePath("pinpon.wav") << QStringList{tim} << false << false;
    QTest::newRow("cancelled") << tune << QStringList{tim} << true << false;
}

void TestSound::renderFailsQuietly()
{
    QFETCH(QString, midi);
    QFETCH(QStringList, soundFonts);
    QFETCH(bool, cancelled);
    QFETCH(bool, sounds);
    if (sounds && !QFileInfo::exists(QString::fromStdString(kTimGM)))
        QSKIP("TimGM6mb is not installed");
    std::vector<std::string> candidates;
    for (const QString& s : soundFonts)
        candidates.push_back(s.toStdString());
    const std::atomic<bool> cancel{cancelled};
    const auto pcm = renderMidi(midi.toStdString(), candidates, 44100, &cancel);
    QCOMPARE(!pcm.empty(), sounds);
}

void TestSound::waveDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("channels"); // 0: rejected
    QTest::newRow("mono") << wave(1, 1, 16) << 1;
    QTest::newRow("stereo after an odd chunk") << wave(1, 2, 16, true) << 2;
    QTest::newRow("float") << wave(3, 1, 32) << 0;
    QTest::newRow("extensible") << wave(0xFFFE, 2, 16) << 0;
    QTest::newRow("8-bit") << wave(1, 1, 8) << 0;
    QTest::newRow("six channels") << wave(1, 6, 16) << 0;
    QTest::newRow("data cut short") << wave(1, 1, 16, false, true) << 0;
    QTest::newRow("no data chunk") << wave(1, 1, 16).left(36) << 0;
    QTest::newRow("not RIFF") << QByteArray("MThd\0\0\0\6", 8) << 0;
}

void TestSound::waveDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, channels);
    const auto decoded = platform::decodeWave(bytes);
    QCOMPARE(decoded.has_value(), channels != 0);
    if (decoded) {
        QCOMPARE(decoded->channels, channels);
        QCOMPARE(decoded->sampleRate, 22050);
        QCOMPARE(decoded->samples.size(), std::size_t(100 * channels));
        QCOMPARE(decoded->samples[3], std::int16_t(3 * 97)); // little-endian order kept
    }
}

void TestSound::locate_data()
{
    QTest::addColumn<bool>("inCurrent");
    QTest::addColumn<bool>("inProgramDir");
    QTest::newRow("both: current wins") << true << true;
    QTest::newRow("current only") << true << false;
    QTest::newRow("program directory only") << false << true;
    QTest::newRow("nowhere") << false << false;
}

void TestSound::locate()
{
    QFETCH(bool, inCurrent);
    QFETCH(bool, inProgramDir);
    const QString name = QString("tst_sound_locate_%1.wav").arg(QCoreApplication::applicationPid());
    QTemporaryDir current;
    const QString here = current.filePath(name);
    const QString there = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    const auto removeThere = qScopeGuard([&] { QFile::remove(there); });
    for (const auto& [wanted, path] : {std::pair{inCurrent, here}, std::pair{inProgramDir, there}}) {
        QFile f(path);
        QVERIFY(!wanted || f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir::setCurrent(current.path()));
    const QString found = locateSoundFile(name);
    const QString expected = inCurrent ? here : inProgramDir ? there : QString();
    QCOMPARE(QFileInfo(found).canonicalFilePath(), QFileInfo(expected).canonicalFilePath());
    QCOMPARE(found.isEmpty(), expected.isEmpty());
}

void TestSound::commandSequence_data()
{
    // "=name" sets the file name; everything else is a command.
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("cue, missing file") << QStringList{"Stop", "Close", "=nosuch.wav", "Open", "Sound"};
    QTest::newRow("cue, corrupt wave") << QStringList{"Stop", "Close", "=broken.wav", "Open", "Sound", "Sound", "Close"};
    QTest::newRow("cue, header only") << QStringList{"=short.wav", "Open", "Sound", "Stop"};
    QTest::newRow("cue from the program directory") << QStringList{"=pinpon.wav", "Open", "Sound", "Stop", "Close"};
    QTest::newRow("music, missing") << QStringList{"Close", "=nosuch.mid", "Open", "Play", "Stop"};
    QTest::newRow("music, corrupt") << QStringList{"Close", "=broken.mid", "Open", "Play", "Play", "Close"};
    QTest::newRow("music, then cue") << QStringList{"=passport.mid", "Open", "Play", "Stop", "Close", "=logoff.wav", "Open", "Sound"};
    QTest::newRow("nothing open") << QStringList{"Sound", "Play", "Stop", "Close", "Open"};
    QTest::newRow("odd spellings") << QStringList{"=endpinpon.wav", "oPeN", "SOUND", "Pause", "", " stop ", "close"};
}

void TestSound::commandSequence()
{
    QFETCH(QStringList, steps);
    // The scratch files are in the current directory; the generated ones
    // only beside the program.
    QVERIFY(QDir::setCurrent(scratch_.path()));
    QStringList seen, expected;
    MMControl::setObserver([&](const MMControl& p, const QString& c) { seen << p.fileName() + "|" + c; });
    QElapsedTimer clock;
    clock.start();
    {
        MMControl player(nullptr);
        for (const QString& step : steps) {
            if (step.startsWith('=')) {
                player.setFileName(step.mid(1));
            } else {
                expected << player.fileName() + "|" + step;
                player.setCommand(step);
            }
        }
        shutdownSound();
    }
    QCOMPARE(seen, expected);
    QVERIFY2(clock.elapsed() < 2000, "no command may wait on the device or the synthesizer");
}

namespace {

// Logs what the player asks of its device.
class RecordingDevice : public SoundDevice {
public:
    RecordingDevice(QStringList& log, QString tag) : log_(log), tag_(std::move(tag)) {}
    void open(const QString& path) override { log_ << tag_ + "open " + path; }
    void close() override { log_ << tag_ + "close"; }
    void stop() override { log_ << tag_ + "stop"; }
    void sound() override { log_ << tag_ + "sound"; }
    void play() override { log_ << tag_ + "play"; }

private:
    QStringList& log_;
    QString tag_;
};

} // namespace

void TestSound::dispatch_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("call"); // empty: the device is left alone
    const QString chime = QFileInfo("pinpon.wav").absoluteFilePath();
    QTest::newRow("Open") << "pinpon.wav" << "Open" << "open " + chime;
    QTest::newRow("open, lower case") << "pinpon.wav" << "open" << "open " + chime;
    QTest::newRow("Open, missing file") << "nosuch.wav" << "Open" << "open ";
    QTest::newRow("Close") << "pinpon.wav" << "CLOSE" << "close";
    QTest::newRow("Stop") << "pinpon.wav" << "Stop" << "stop";
    QTest::newRow("Sound") << "pinpon.wav" << "sound" << "sound";
    QTest::newRow("Play") << "passport.mid" << "Play" << "play";
    QTest::newRow("unknown") << "pinpon.wav" << "Eject" << "";
    QTest::newRow("empty") << "pinpon.wav" << "" << "";
}

void TestSound::dispatch()
{
    QFETCH(QString, file);
    QFETCH(QString, command);
    QFETCH(QString, call);
    QStringList log;
    MMControl::setDeviceFactory([&] { return std::make_unique<RecordingDevice>(log, ""); });
    MMControl::setObserver([&](const MMControl& p, const QString& c) { log << "observed " + p.fileName() + " " + c; });
    MMControl player(nullptr);
    player.setFileName(file);
    player.setCommand(command);
    QStringList expected{"observed " + file + " " + command};
    if (!call.isEmpty())
        expected << call;
    QCOMPARE(log, expected);
}

void TestSound::playersAreIndependent()
{
    QStringList log;
    int made = 0;
    MMControl::setDeviceFactory([&] { return std::make_unique<RecordingDevice>(log, QString("%1:").arg(made++)); });
    MMControl first(nullptr), second(nullptr);
    {
        MMControl gone(nullptr);
    }
    first.setCommand("Stop");
    second.setCommand("Sound");
    QCOMPARE(log, (QStringList{"0:stop", "1:sound"}));
    log.clear();
    shutdownSound();
    log.sort();
    QCOMPARE(log, (QStringList{"0:stop", "1:stop"}));
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"

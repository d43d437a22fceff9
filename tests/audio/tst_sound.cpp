// SPDX-License-Identifier: GPL-3.0-or-later
// The generated sound files, wave decoding, the mixer pulled by a fake
// sink, and the players' command handling on a machine without audio
// output.

#include "audio/AudioDevice.h"
#include "platform/MMControl.h"
#include "audio/SoundMixer.h"
#include "support/Missing.h"

#include <QDataStream>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <fluidsynth.h>
#include <sndfile.h>

#include <cmath>
#include <map>
#include <numeric>
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
QByteArray wave(int tag, int channels, int bits, bool oddChunk = false, bool truncated = false, quint32 rate = 22050)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint32 frames = 100, align = quint32(channels * bits / 8);
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

// A one-second mono sine as a 16-bit wave file.
QByteArray sine(double hz, int rate)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    QTemporaryFile file;
    if (!file.open())
        return {};
    SNDFILE* out = sf_open(qPrintable(file.fileName()), SFM_WRITE, &info);
    for (int i = 0; i < rate; ++i) {
        const short v = short(std::lround(16000 * std::sin(2 * M_PI * hz * i / rate)));
        sf_write_short(out, &v, 1);
    }
    sf_close(out);
    return file.readAll();
}

// A cue of constant level, the easiest signal to see summed.
std::shared_ptr<const Clip> level(float value, std::size_t frames)
{
    auto clip = std::make_shared<Clip>();
    clip->samples.assign(2 * frames, value);
    return clip;
}

// Stands in for the output stream: pulls the mix in buffers of the size a
// sound server asks for.
struct FakeSink {
    SoundMixer& mixer;
    std::vector<std::int16_t> heard;

    void pull(std::size_t frames, std::size_t buffer = 882)
    {
        for (std::size_t done = 0; done < frames; done += buffer) {
            const std::size_t n = std::min(buffer, frames - done);
            const std::size_t at = heard.size();
            heard.resize(at + 2 * n);
            mixer.render(heard.data() + at, n);
        }
    }
    // The left samples of the frames [from, to).
    std::vector<int> left(std::size_t from, std::size_t to) const
    {
        std::vector<int> out;
        for (std::size_t f = from; f < to; ++f)
            out.push_back(heard[2 * f]);
        return out;
    }
    bool silentFrom(std::size_t frame) const
    {
        return std::all_of(heard.begin() + std::ptrdiff_t(2 * frame), heard.end(), [](std::int16_t v) { return v == 0; });
    }
};

std::vector<char> bytesOf(const QByteArray& b)
{
    return {b.begin(), b.end()};
}

std::shared_ptr<const Clip> decode(const QByteArray& b)
{
    return decodeWave(b.constData(), std::size_t(b.size()));
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
    void tunePlays();
    void tuneFailsQuietly_data();
    void tuneFailsQuietly();
    void waveDecoding_data();
    void waveDecoding();
    void conversionKeepsPitch_data();
    void conversionKeepsPitch();
    void voices_data();
    void voices();
    void tuneAndCueOverlap_data();
    void tuneAndCueOverlap();
    void silentWithoutDevice();
    void cueDecodedOnce();
    void locate_data();
    void locate();
    void commandSequence_data();
    void commandSequence();
    void dispatch_data();
    void dispatch();
    void playersAreIndependent();
    void replayOnceDeviceExists_data();
    void replayOnceDeviceExists();

private:
    bool haveSoundFont() const { return QFileInfo::exists(QString::fromStdString(kTimGM)); }

    QTemporaryDir scratch_;
    QString buildDir_;
};

void TestSound::initTestCase()
{
    // No sound server for the players of this test, wherever it runs.
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
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
    SF_INFO info{};
    SNDFILE* f = sf_open(qPrintable(file), SFM_READ, &info);
    QVERIFY(f);
    sf_close(f);
    QCOMPARE(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    // Written at the mixing rate, so that playing them converts nothing.
    QCOMPARE(info.samplerate, kMixRate);
    QCOMPARE(info.channels, 1);

    const auto clip = decode(readAll(file));
    QVERIFY(clip);
    QCOMPARE(sf_count_t(clip->frames()), info.frames);
    QVERIFY(std::abs(double(clip->frames()) / kMixRate - seconds) < 0.1);
    const auto& s = clip->samples;
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::abs(v));
    // Around -6 dBFS, far from clipping, far from silence.
    QVERIFY2(peak > 0.35f && peak < 0.75f, qPrintable(QString::number(peak)));
    const double power = std::inner_product(s.begin(), s.end(), s.begin(), 0.0) / double(s.size());
    QVERIFY(std::sqrt(power) > 0.02);
    // Both ends near zero: no click when the sound starts or stops.
    QVERIFY(std::abs(s.front()) < 0.003f && std::abs(s.back()) < 0.003f);
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

void TestSound::tunePlays()
{
    if (!haveSoundFont())
        SKIP_MISSING("the SoundFont TimGM6mb is not installed (timgm6mb-soundfont)");
    const double tuneSeconds = readTune(readAll("passport.mid")).seconds;
    SoundMixer mixer({kTimGM});
    FakeSink sink{mixer, {}};
    const auto tune = mixer.playTune(bytesOf(readAll("passport.mid")));
    QVERIFY(tune);
    while (mixer.sounding(tune) && sink.heard.size() < std::size_t(2 * kMixRate * (tuneSeconds + 10)))
        sink.pull(kMixRate / 10);
    QVERIFY(!mixer.sounding(tune));
    const double seconds = double(sink.heard.size()) / 2 / kMixRate;
    QVERIFY2(seconds >= tuneSeconds && seconds <= tuneSeconds + 6, qPrintable(QString::number(seconds)));
    // Synthesised as it is pulled: the first buffer already sounds.
    QVERIFY(rms(sink.heard.data(), 2 * 882) > 30);
    QVERIFY(rms(sink.heard.data(), sink.heard.size()) > 300);
    // Music all the way through: no silent stretch before the last note.
    const std::size_t window = 2 * kMixRate;
    for (std::size_t at = 0; at + window <= std::size_t(tuneSeconds * kMixRate) * 2; at += window)
        QVERIFY2(rms(sink.heard.data() + at, window) > 50, qPrintable(QString("quiet at %1 s").arg(at / 2 / kMixRate)));
}

void TestSound::tuneFailsQuietly_data()
{
    QTest::addColumn<QString>("midi");
    QTest::addColumn<QStringList>("soundFonts");
    QTest::addColumn<bool>("sounds");
    const QString tune = QDir(buildDir_).filePath("passport.mid");
    const QString tim = QString::fromStdString(kTimGM);
    const QString bad = scratch_.filePath("bad.sf2");
    QTest::newRow("no SoundFont") << tune << QStringList() << false;
    QTest::newRow("SoundFont missing") << tune << QStringList{"/nonexistent/gm.sf2"} << false;
    QTest::newRow("SoundFont corrupt") << tune << QStringList{bad} << false;
    QTest::newRow("SoundFont is a tune") << tune << QStringList{tune} << false;
    QTest::newRow("falls back to the next SoundFont") << tune << QStringList{"/nonexistent/gm.sf2", bad, tim} << true;
    QTest::newRow("MIDI empty") << scratch_.filePath("empty.mid") << QStringList{tim} << false;
    QTest::newRow("MIDI garbage") << scratch_.filePath("broken.mid") << QStringList{tim} << false;
    QTest::newRow("wave file") << QDir(buildDir_).filePath("pinpon.wav") << QStringList{tim} << false;
}

void TestSound::tuneFailsQuietly()
{
    QFETCH(QString, midi);
    QFETCH(QStringList, soundFonts);
    QFETCH(bool, sounds);
    if (soundFonts.contains(QString::fromStdString(kTimGM)) && !haveSoundFont())
        SKIP_MISSING("the SoundFont TimGM6mb is not installed (timgm6mb-soundfont)");
    std::vector<std::string> candidates;
    for (const QString& s : soundFonts)
        candidates.push_back(s.toStdString());
    SoundMixer mixer(candidates);
    FakeSink sink{mixer, {}};
    const auto tune = mixer.playTune(bytesOf(readAll(midi)));
    sink.pull(kMixRate / 2);
    QCOMPARE(!sink.silentFrom(0), sounds);
    if (sounds)
        return;
    // A tune that cannot sound is over at once, and the cues go on.
    QVERIFY(!mixer.sounding(tune));
    QCOMPARE(mixer.voiceCount(), std::size_t(0));
    mixer.play(level(0.25f, 1000));
    sink.pull(1000);
    QCOMPARE(sink.left(kMixRate / 2, kMixRate / 2 + 1000), std::vector<int>(1000, 8192));
}

void TestSound::waveDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("frames"); // at the mixing rate; 0: rejected
    QTest::newRow("mono") << wave(1, 1, 16) << 200;
    QTest::newRow("stereo after an odd chunk") << wave(1, 2, 16, true) << 200;
    QTest::newRow("float") << wave(3, 1, 32) << 200;
    QTest::newRow("8-bit") << wave(1, 1, 8) << 200;
    QTest::newRow("six channels") << wave(1, 6, 16) << 200;
    QTest::newRow("at the mixing rate") << wave(1, 2, 16, false, false, kMixRate) << 100;
    QTest::newRow("no data chunk") << wave(1, 1, 16).left(36) << 0;
    QTest::newRow("header only") << wave(1, 1, 16).left(44) << 0;
    QTest::newRow("not RIFF") << QByteArray("MThd\0\0\0\6", 8) << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("junk") << QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 20) << 0;
}

void TestSound::waveDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, frames);
    const auto clip = decode(bytes);
    QCOMPARE(clip != nullptr, frames != 0);
    if (!clip)
        return;
    // The converter may give or take a frame at the ends.
    QVERIFY2(std::abs(int(clip->frames()) - frames) <= 2, qPrintable(QString::number(clip->frames())));
    // The fixtures jump between full-scale values, which a converter
    // overshoots unless the result is kept in range.
    QVERIFY(std::all_of(clip->samples.begin(), clip->samples.end(), [](float v) { return v >= -1.0f && v <= 1.0f; }));
}

void TestSound::conversionKeepsPitch_data()
{
    QTest::addColumn<int>("rate");
    QTest::newRow("22050 Hz") << 22050;
    QTest::newRow("48000 Hz") << 48000;
    QTest::newRow("44100 Hz") << 44100;
}

void TestSound::conversionKeepsPitch()
{
    QFETCH(int, rate);
    const auto clip = decode(sine(1000, rate));
    QVERIFY(clip);
    QVERIFY(std::abs(int(clip->frames()) - kMixRate) <= 2);
    // A 1 kHz tone crosses zero 2000 times a second, at any rate.
    int crossings = 0;
    for (std::size_t f = 1; f < clip->frames(); ++f)
        crossings += (clip->samples[2 * f - 2] < 0) != (clip->samples[2 * f] < 0);
    QVERIFY2(std::abs(crossings - 2000) <= 2, qPrintable(QString::number(crossings)));
    for (std::size_t f = 0; f < clip->frames(); ++f)
        QCOMPARE(clip->samples[2 * f], clip->samples[2 * f + 1]);
}

void TestSound::voices_data()
{
    // Cue a is 0.25 for 2000 frames, cue b 0.125 for 4000; after the first
    // buffer of 882 frames one of them may be stopped.
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QList<QPoint>>("heard"); // runs of (until frame, left sample)
    QTest::newRow("two voices add up") << "" << QList<QPoint>{{2000, 12288}, {4000, 4096}, {5000, 0}};
    QTest::newRow("cutting off one leaves the other") << "a" << QList<QPoint>{{882, 12288}, {4000, 4096}, {5000, 0}};
    QTest::newRow("cutting off the other") << "b" << QList<QPoint>{{882, 12288}, {2000, 8192}, {5000, 0}};
    QTest::newRow("stopping an ended voice") << "gone" << QList<QPoint>{{2000, 12288}, {4000, 4096}, {5000, 0}};
}

void TestSound::voices()
{
    QFETCH(QString, stop);
    QFETCH(QList<QPoint>, heard);
    SoundMixer mixer({});
    FakeSink sink{mixer, {}};
    const auto gone = mixer.play(level(0.5f, 10));
    sink.pull(882);
    sink.heard.clear();
    QVERIFY(!mixer.sounding(gone));
    const auto a = mixer.play(level(0.25f, 2000));
    const auto b = mixer.play(level(0.125f, 4000));
    QVERIFY(a && b && a != b);
    sink.pull(882);
    mixer.stop(stop == "a" ? a : stop == "b" ? b : stop == "gone" ? gone : 0);
    sink.pull(5000 - 882);
    int from = 0;
    for (const QPoint& run : heard) {
        QCOMPARE(sink.left(std::size_t(from), std::size_t(run.x())), std::vector<int>(std::size_t(run.x() - from), run.y()));
        from = run.x();
    }
    QCOMPARE(mixer.voiceCount(), std::size_t(0));
}

void TestSound::tuneAndCueOverlap_data()
{
    QTest::addColumn<QString>("stop"); // after half of the cue
    QTest::addColumn<bool>("tuneAfter");
    QTest::addColumn<bool>("cueAfter");
    QTest::newRow("both sound") << "" << true << true;
    QTest::newRow("tune cut off under the cue") << "tune" << false << true;
    QTest::newRow("cue cut off over the tune") << "cue" << true << false;
}

void TestSound::tuneAndCueOverlap()
{
    QFETCH(QString, stop);
    QFETCH(bool, tuneAfter);
    QFETCH(bool, cueAfter);
    if (!haveSoundFont())
        SKIP_MISSING("the SoundFont TimGM6mb is not installed (timgm6mb-soundfont)");
    // Two mixers play the same tune; one of them gets a cue over it as
    // well, so their difference is what the cue adds.
    SoundMixer tuneOnly({kTimGM}), both({kTimGM});
    FakeSink reference{tuneOnly, {}}, sink{both, {}};
    const std::vector<char> midi = bytesOf(readAll("passport.mid"));
    tuneOnly.playTune(midi);
    const auto tune = both.playTune(midi);
    const std::size_t half = kMixRate / 2;
    for (FakeSink* s : {&reference, &sink})
        s->pull(half);
    QCOMPARE(sink.heard, reference.heard);
    const auto cue = both.play(level(0.125f, half));
    for (FakeSink* s : {&reference, &sink})
        s->pull(half / 2);
    both.stop(stop == "tune" ? tune : stop == "cue" ? cue : 0);
    for (FakeSink* s : {&reference, &sink})
        s->pull(half);

    QVERIFY(rms(reference.heard.data() + 2 * half, 2 * half) > 300);
    const std::size_t cut = half + half / 2, cueEnd = 2 * half, end = cueEnd + half / 2;
    for (std::size_t i = 2 * half; i < 2 * end; ++i) {
        const std::size_t frame = i / 2;
        const bool withTune = frame < cut || tuneAfter;
        const bool withCue = frame < cueEnd && (frame < cut || cueAfter);
        const int expected = (withTune ? reference.heard[i] : 0) + (withCue ? 4096 : 0);
        // Mixed in floating point and rounded once: off by one at most.
        if (std::abs(expected) < 32000 && std::abs(sink.heard[i] - expected) > 1)
            QFAIL(qPrintable(QString("frame %1: %2, wanted %3").arg(frame).arg(sink.heard[i]).arg(expected)));
    }
}

void TestSound::silentWithoutDevice()
{
    // Real players with no sound server: every command is taken, nothing
    // is mixed, and the SoundFont is never needed.
    MMControl::setDeviceFactory(makeAudioDevice);
    MMControl cue(nullptr), music(nullptr);
    cue.setFileName("pinpon.wav");
    music.setFileName("passport.mid");
    for (int round = 0; round < 2; ++round) {
        cue.setCommand("Open");
        cue.setCommand("Sound");
        music.setCommand("Open");
        music.setCommand("Play");
        QTRY_COMPARE(soundOutput(), SoundOutput::Absent);
        QCOMPARE(soundMixer().voiceCount(), std::size_t(0));
    }
}

void TestSound::cueDecodedOnce()
{
    const QString path = scratch_.filePath("kept.wav");
    const auto write = [&](const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    QVERIFY(write(wave(1, 2, 16, false, false, kMixRate)));
    const auto first = waveCue(path);
    QVERIFY(first);
    // A cue read and decoded again would now fail.
    QVERIFY(write(QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 20)));
    QCOMPARE(waveCue(path).get(), first.get());
    QVERIFY(!waveCue(scratch_.filePath("broken.wav")));
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

void TestSound::replayOnceDeviceExists_data()
{
    // "=name" sets the file name; "open name" is a call with that file's path.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("replayed");
    QTest::newRow("the title tune") << QStringList{"=passport.mid", "Stop", "Close", "Open", "Play"}
                                    << QStringList{"open passport.mid", "play"};
    QTest::newRow("a cue") << QStringList{"=pinpon.wav", "Open", "Sound"} << QStringList{"open pinpon.wav", "sound"};
    QTest::newRow("the last ask wins") << QStringList{"=passport.mid", "Open", "Sound", "Play"}
                                       << QStringList{"open passport.mid", "play"};
    QTest::newRow("stopped: open, silent") << QStringList{"=passport.mid", "Open", "Play", "Stop"}
                                           << QStringList{"open passport.mid"};
    QTest::newRow("closed: nothing") << QStringList{"=passport.mid", "Open", "Play", "Close"} << QStringList{};
    QTest::newRow("closed, then another opened")
        << QStringList{"=passport.mid", "Open", "Play", "Close", "=pinpon.wav", "Open"} << QStringList{"open pinpon.wav"};
    QTest::newRow("reopened after a sound") << QStringList{"=pinpon.wav", "Open", "Sound", "Open"}
                                            << QStringList{"open pinpon.wav"};
    QTest::newRow("asked with nothing open") << QStringList{"Play"} << QStringList{"play"};
    QTest::newRow("missing file") << QStringList{"=nosuch.wav", "Open", "Sound"} << QStringList{"open ", "sound"};
    QTest::newRow("never asked") << QStringList{"Stop", "Eject"} << QStringList{};
}

void TestSound::replayOnceDeviceExists()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, replayed);
    for (QString& call : replayed)
        if (call.startsWith("open "))
            call = "open " + locateSoundFile(call.mid(5));
    // No factory: the player waits for the audio module, which loads only
    // after a window has been painted, and there is none here.
    MMControl::setDeviceFactory(nullptr);
    MMControl player(nullptr);
    for (const QString& step : steps)
        step.startsWith('=') ? player.setFileName(step.mid(1)) : player.setCommand(step);
    QStringList log;
    MMControl::setDeviceFactory([&] { return std::make_unique<RecordingDevice>(log, ""); });
    QCOMPARE(log, replayed);
    // From then on the player drives its device directly, and a later
    // backend does not replay again.
    log.clear();
    player.setCommand("Stop");
    MMControl::setDeviceFactory([&] { return std::make_unique<RecordingDevice>(log, "again:"); });
    QCOMPARE(log, QStringList{"stop"});
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"

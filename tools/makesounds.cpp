// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's sound files: three short chimes as 16-bit PCM WAV at
// the rate the program mixes at, and a music-box tune as a Standard MIDI
// File. Everything is computed here, so the same bytes come out on every
// run.
//
//   makesounds <outdir>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <system_error>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<short>;

void putTag(Bytes& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

// Big-endian, as the MIDI file format wants.
void putBE(Bytes& out, std::uint32_t v, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(std::uint8_t((v >> shift) & 0xFF));
}

// Writes beside the target first so that a failed run never leaves a
// half-written file that the build would take as up to date.
template <typename Write>
bool writeFile(const std::filesystem::path& path, Write write)
{
    const std::filesystem::path temp = path.string() + ".part";
    if (!write(temp)) {
        std::fprintf(stderr, "makesounds: cannot write %s\n", temp.string().c_str());
        std::filesystem::remove(temp);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::fprintf(stderr, "makesounds: cannot rename to %s: %s\n", path.string().c_str(),
                     error.message().c_str());
        std::filesystem::remove(temp);
        return false;
    }
    return true;
}

bool writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    return writeFile(path, [&](const std::filesystem::path& temp) {
        std::FILE* file = std::fopen(temp.string().c_str(), "wb");
        if (!file)
            return false;
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written;
    });
}

// ---------------------------------------------------------------- chimes

constexpr int kRate = 44100; // the program's mixing rate: no conversion when it plays them

double noteHz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

struct Strike {
    double start;  // seconds
    int note;      // MIDI note number
    double level;  // relative loudness
    double decay;  // time constant of the fundamental, seconds
};

// A soft bell: a few partials, the upper (slightly inharmonic) ones dying
// faster, so the tone starts bright and settles into a round hum.
void addStrike(std::vector<double>& mix, const Strike& s)
{
    struct Partial {
        double ratio, level, decayScale;
    };
    static constexpr Partial partials[] = {
        {1.0, 1.0, 1.0}, {2.0, 0.32, 0.55}, {3.0, 0.10, 0.35}, {4.17, 0.05, 0.2}};
    constexpr double attack = 0.006; // long enough to avoid a click
    const double f0 = noteHz(s.note);
    const auto first = std::size_t(std::lround(s.start * kRate));
    for (std::size_t i = first; i < mix.size(); ++i) {
        const double t = double(i - first) / kRate;
        const double rise = t < attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack) : 1.0;
        double v = 0;
        for (const Partial& p : partials) {
            const double f = f0 * p.ratio;
            if (f > kRate * 0.45)
                continue;
            v += p.level * std::exp(-t / (s.decay * p.decayScale)) * std::sin(2 * std::numbers::pi * f * t);
        }
        mix[i] += s.level * rise * v;
    }
}

Samples chime(double seconds, const std::vector<Strike>& strikes)
{
    std::vector<double> mix(std::size_t(std::lround(seconds * kRate)), 0.0);
    for (const Strike& s : strikes)
        addStrike(mix, s);

    // Fade the last stretch to zero so the file ends without a click.
    const std::size_t release = std::min<std::size_t>(mix.size(), kRate * 60 / 1000);
    for (std::size_t k = 0; k < release; ++k) {
        const double x = double(k) / double(release);
        mix[mix.size() - 1 - k] *= 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    }

    // Peaks at -6 dBFS.
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::fabs(v));
    const double scale = peak > 0 ? 0.5 / peak : 0.0;

    Samples out;
    for (double v : mix)
        out.push_back(short(std::lround(std::clamp(v * scale, -1.0, 1.0) * 32767.0)));
    return out;
}

// Mono, 16-bit PCM.
bool writeWave(const std::filesystem::path& path, const Samples& samples)
{
    return writeFile(path, [&](const std::filesystem::path& temp) {
        SF_INFO info{};
        info.samplerate = kRate;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(temp.string().c_str(), SFM_WRITE, &info);
        if (!file)
            return false;
        const bool written = sf_write_short(file, samples.data(), sf_count_t(samples.size())) == sf_count_t(samples.size());
        return sf_close(file) == 0 && written;
    });
}

// Note numbers of the pitches used below.
enum : int {
    G2 = 43, A2 = 45, C3 = 48, D3 = 50, E3 = 52,
    F2 = 41, A3 = 57, B3 = 59, G4 = 67,
    C4 = 60, D4 = 62, E4 = 64, F4 = 65,
    B4 = 71, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83,
    C6 = 84, D6 = 86, E6 = 88, F6 = 89,
    Rest = -1
};

// Door-chime fall of a major third.
Samples pinpon()
{
    return chime(0.6, {{0.00, A5, 1.0, 0.30}, {0.20, F5, 1.0, 0.45}});
}

// Three soft steps down an F major triad.
Samples endpinpon()
{
    return chime(0.8, {{0.00, C6, 0.8, 0.22}, {0.20, A5, 0.85, 0.24}, {0.40, F5, 0.9, 0.40}});
}

// Dominant arpeggio settling on a tonic chord.
Samples logoff()
{
    return chime(1.0, {{0.00, G4, 0.8, 0.25},
                       {0.10, B4, 0.8, 0.25},
                       {0.20, D5, 0.8, 0.25},
                       {0.36, C5, 0.9, 0.50},
                       {0.36, E5, 0.6, 0.50},
                       {0.36, C6, 0.35, 0.40}});
}

// ----------------------------------------------------------------- tune

constexpr int kDivision = 480;          // ticks per quarter note
constexpr int kEighth = kDivision / 2;
constexpr int kBar = 4 * kDivision;     // 4/4

struct Event {
    std::uint32_t tick;
    int order; // at one tick: setup, then note-offs, then note-ons
    Bytes bytes;
};

void addNote(std::vector<Event>& track, int channel, std::uint32_t tick, std::uint32_t length, int note,
             int velocity)
{
    track.push_back({tick, 2, {std::uint8_t(0x90 | channel), std::uint8_t(note), std::uint8_t(velocity)}});
    track.push_back({tick + length, 1, {std::uint8_t(0x80 | channel), std::uint8_t(note), 64}});
}

void putVarLen(Bytes& out, std::uint32_t v)
{
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = std::uint8_t(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n > 1)
        out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

Bytes trackChunk(std::vector<Event> events, std::uint32_t endTick)
{
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes body;
    std::uint32_t now = 0;
    for (const Event& e : events) {
        putVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    Bytes chunk;
    putTag(chunk, "MTrk");
    putBE(chunk, std::uint32_t(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Event metaText(int type, const std::string& text)
{
    Event e{0, 0, {0xFF, std::uint8_t(type), std::uint8_t(text.size())}};
    e.bytes.insert(e.bytes.end(), text.begin(), text.end());
    return e;
}

Event tempo(std::uint32_t tick, double bpm)
{
    const auto usPerQuarter = std::uint32_t(std::lround(60'000'000.0 / bpm));
    Event e{tick, 0, {0xFF, 0x51, 0x03}};
    putBE(e.bytes, usPerQuarter, 3);
    return e;
}

struct Chord {
    int root, fifth;       // bass notes
    int voicing[3];        // close position around middle C
};

constexpr Chord kC{C3, G2, {C4, E4, G4}};
constexpr Chord kAm{A2, E3, {A3, C4, E4}};
constexpr Chord kF{F2, C3, {A3, C4, F4}};
constexpr Chord kG7{G2, D3, {B3, F4, G4}};
constexpr Chord kG{G2, D3, {B3, D4, G4}};
constexpr Chord kDm{D3, A2, {A3, D4, F4}};

// One bar holds one chord, or two chords of two beats each.
struct Bar {
    std::vector<std::pair<int, int>> melody; // note, length in eighths
    const Chord* first;
    const Chord* second;
};

// A sixteen-bar song form: a four-bar question ending on the dominant, its
// answer closing on the tonic, a brighter middle phrase rising to the top
// of the range, and the opening returning to a held final tonic.
const std::vector<Bar>& song()
{
    static const std::vector<Bar> bars = {
        {{{E5, 3}, {D5, 1}, {C5, 2}, {G5, 2}}, &kC, nullptr},
        {{{A5, 3}, {G5, 1}, {E5, 2}, {C5, 2}}, &kAm, nullptr},
        {{{F5, 2}, {A5, 2}, {C6, 2}, {A5, 2}}, &kF, nullptr},
        {{{G5, 3}, {F5, 1}, {D5, 4}}, &kG7, nullptr},

        {{{E5, 3}, {D5, 1}, {C5, 2}, {G5, 2}}, &kC, nullptr},
        {{{A5, 3}, {G5, 1}, {E5, 2}, {C6, 2}}, &kAm, nullptr},
        {{{D6, 2}, {C6, 1}, {A5, 1}, {G5, 2}, {B5, 2}}, &kDm, &kG},
        {{{C6, 6}, {Rest, 2}}, &kC, nullptr},

        {{{A5, 2}, {C6, 2}, {F6, 2}, {E6, 1}, {D6, 1}}, &kF, nullptr},
        {{{E6, 3}, {D6, 1}, {C6, 2}, {G5, 2}}, &kC, nullptr},
        {{{F5, 2}, {A5, 2}, {D6, 3}, {C6, 1}}, &kDm, nullptr},
        {{{B5, 3}, {A5, 1}, {G5, 4}}, &kG7, nullptr},

        {{{E5, 3}, {D5, 1}, {C5, 2}, {G5, 2}}, &kC, nullptr},
        {{{A5, 3}, {G5, 1}, {E5, 2}, {C6, 2}}, &kAm, nullptr},
        {{{F5, 2}, {A5, 1}, {C6, 1}, {B5, 2}, {D6, 2}}, &kF, &kG},
        {{{C6, 8}}, &kC, nullptr},
    };
    return bars;
}

Bytes passport()
{
    constexpr int melodyChannel = 0, accompanimentChannel = 1;
    constexpr int musicBox = 10, piano = 0;
    const auto& bars = song();
    const auto endTick = std::uint32_t(bars.size() * kBar);

    std::vector<Event> conductor{metaText(0x03, "Passport"),
                                 {0, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}}, // 4/4
                                 {0, 0, {0xFF, 0x59, 0x02, 0, 0}},         // C major
                                 tempo(0, 120)};
    // A gentle ritardando over the last two bars.
    conductor.push_back(tempo(std::uint32_t(bars.size() - 2) * kBar, 108));
    conductor.push_back(tempo(std::uint32_t(bars.size() - 1) * kBar, 92));

    auto setup = [](int channel, int program, int volume, const char* name) {
        std::vector<Event> t{metaText(0x03, name)};
        const auto status = std::uint8_t(0xB0 | channel);
        t.push_back({0, 0, {status, 121, 0}});                          // reset controllers
        t.push_back({0, 0, {status, 7, std::uint8_t(volume)}});        // volume
        t.push_back({0, 0, {status, 91, 40}});                         // a little reverb
        t.push_back({0, 0, {std::uint8_t(0xC0 | channel), std::uint8_t(program)}});
        return t;
    };
    std::vector<Event> melody = setup(melodyChannel, musicBox, 127, "Melody");
    std::vector<Event> accompaniment = setup(accompanimentChannel, piano, 112, "Accompaniment");

    for (std::size_t b = 0; b < bars.size(); ++b) {
        const Bar& bar = bars[b];
        const auto barStart = std::uint32_t(b * kBar);
        const bool last = b + 1 == bars.size();

        std::uint32_t at = barStart;
        bool downbeat = true;
        for (const auto& [note, eighths] : bar.melody) {
            const auto length = std::uint32_t(eighths * kEighth);
            if (note != Rest) {
                const int velocity = last ? 96 : downbeat ? 110 : 100;
                // Slightly detached, like a plucked comb.
                addNote(melody, melodyChannel, at, last ? length : length - length / 10, note, velocity);
            }
            at += length;
            downbeat = false;
        }

        if (last) {
            addNote(accompaniment, accompanimentChannel, barStart, kBar, bar.first->root, 76);
            for (int n : bar.first->voicing)
                addNote(accompaniment, accompanimentChannel, barStart, kBar, n, 60);
            continue;
        }
        // Bass on the strong beats, the chord after each: oom-pah, oom-pah.
        const Chord& a = *bar.first;
        const Chord& c = bar.second ? *bar.second : *bar.first;
        const int bassThird = bar.second ? c.root : a.fifth;
        addNote(accompaniment, accompanimentChannel, barStart, 2 * kDivision - 20, a.root, 80);
        addNote(accompaniment, accompanimentChannel, barStart + 2 * kDivision, 2 * kDivision - 20, bassThird, 72);
        for (int beat : {1, 3}) {
            const Chord& chord = beat == 1 ? a : c;
            for (int n : chord.voicing)
                addNote(accompaniment, accompanimentChannel, barStart + beat * kDivision, kDivision - 60, n, 58);
        }
    }

    Bytes out;
    putTag(out, "MThd");
    putBE(out, 6, 4);
    putBE(out, 1, 2); // format 1: conductor track plus one track per part
    putBE(out, 3, 2);
    putBE(out, kDivision, 2);
    for (auto* track : {&conductor, &melody, &accompaniment}) {
        const Bytes chunk = trackChunk(*track, endTick);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds <outdir>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "makesounds: cannot create %s: %s\n", dir.string().c_str(), error.message().c_str());
        return 1;
    }
    const bool ok = writeWave(dir / "pinpon.wav", pinpon()) && writeWave(dir / "endpinpon.wav", endpinpon())
        && writeWave(dir / "logoff.wav", logoff()) && writeBytes(dir / "passport.mid", passport());
    return ok ? 0 : 1;
}

#include "MidiRender.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>

namespace platform {

namespace {

void quiet(int, const char*, void*) {}

// FluidSynth reports every missing file and odd MIDI event on stderr; the
// program treats all of those as plain silence.
void silenceFluidLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, quiet, nullptr);
    });
}

struct SettingsDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct PlayerDeleter {
    void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};

std::vector<char> readMidiFile(const std::string& path)
{
    constexpr std::uintmax_t largest = 4 << 20; // far beyond any tune of ours
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    const auto size = std::filesystem::file_size(path, error);
    if (error || size < 14 || size > largest)
        return {};
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        return {};
    if (bytes.size() < 14 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd"))
        return {};
    return bytes;
}

// FluidSynth hands a file its SoundFont loader rejects to its DLS loader,
// which complains on stderr; a broken header is caught here first.
bool looksLikeSoundFont(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const auto size = std::filesystem::file_size(path, error);
    char head[16] = {};
    std::ifstream in(path, std::ios::binary);
    if (error || !in.read(head, sizeof head))
        return false;
    const auto* u = reinterpret_cast<const unsigned char*>(head);
    const std::uintmax_t riffSize = u[4] | u[5] << 8 | u[6] << 16 | std::uintmax_t(u[7]) << 24;
    // A real one holds at least its INFO, sdta and pdta lists.
    return std::equal(head, head + 4, "RIFF") && std::equal(head + 8, head + 12, "sfbk")
        && std::equal(head + 12, head + 16, "LIST") && riffSize >= 256 && riffSize + 8 <= size;
}

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

} // namespace

const std::vector<std::string>& defaultSoundFonts()
{
    static const std::vector<std::string> paths = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/soundfonts/default.sf2",
    };
    return paths;
}

std::vector<std::int16_t> renderMidi(const std::string& midiPath,
                                     const std::vector<std::string>& soundFontCandidates,
                                     int sampleRate,
                                     const std::atomic<bool>* cancel)
{
    if (sampleRate < 8000 || sampleRate > 192000)
        return {};
    const std::vector<char> midi = readMidiFile(midiPath);
    if (midi.empty())
        return {};
    silenceFluidLog();

    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
    if (!settings)
        return {};
    fluid_settings_setnum(settings.get(), "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings.get(), "synth.gain", 0.6); // the default 0.2 is very quiet
    fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
    fluid_settings_setint(settings.get(), "synth.threadsafe-api", 0); // one thread owns it all
    // Let the player's clock follow the rendered samples instead of the wall
    // clock, so rendering runs as fast as the CPU allows.
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");

    std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
    if (!synth)
        return {};
    bool loaded = false;
    for (const std::string& candidate : soundFontCandidates) {
        if (cancelled(cancel))
            return {};
        if (looksLikeSoundFont(candidate) && fluid_synth_sfload(synth.get(), candidate.c_str(), 1) != FLUID_FAILED) {
            loaded = true;
            break;
        }
    }
    if (!loaded)
        return {};

    std::unique_ptr<fluid_player_t, PlayerDeleter> player(new_fluid_player(synth.get()));
    if (!player || fluid_player_add_mem(player.get(), midi.data(), midi.size()) != FLUID_OK
        || fluid_player_play(player.get()) != FLUID_OK)
        return {};

    constexpr int block = 512;
    const std::size_t longest = std::size_t(sampleRate) * 600; // frames; guards against endless files
    std::vector<std::int16_t> pcm;
    pcm.reserve(std::size_t(sampleRate) * 2 * 40);
    auto renderBlock = [&] {
        const std::size_t at = pcm.size();
        pcm.resize(at + 2 * block);
        std::int16_t* out = pcm.data() + at;
        return fluid_synth_write_s16(synth.get(), block, out, 0, 2, out, 1, 2) == FLUID_OK;
    };
    while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING) {
        if (cancelled(cancel) || pcm.size() / 2 >= longest || !renderBlock())
            return {};
    }
    // The player already waits for the voices to die away; a little more
    // lets the reverb ring out.
    const std::size_t tailFrames = std::size_t(sampleRate) / 2;
    for (std::size_t done = 0; done < tailFrames; done += block) {
        if (cancelled(cancel) || !renderBlock())
            return {};
    }

    // Trim what is inaudible at the end and fade the rest out, so playback
    // neither clicks nor lingers in silence.
    std::size_t frames = pcm.size() / 2;
    while (frames > 0 && std::abs(pcm[2 * frames - 2]) <= 4 && std::abs(pcm[2 * frames - 1]) <= 4)
        --frames;
    if (frames == 0)
        return {}; // nothing sounded: not a tune we can play
    pcm.resize(2 * frames);
    const std::size_t fade = std::min<std::size_t>(frames, std::size_t(sampleRate) / 20);
    for (std::size_t k = 0; k < fade; ++k) {
        const double gain = double(k) / double(fade);
        for (int c = 0; c < 2; ++c) {
            auto& s = pcm[2 * (frames - 1 - k) + c];
            s = std::int16_t(s * gain);
        }
    }
    pcm.shrink_to_fit();
    return pcm;
}

} // namespace platform

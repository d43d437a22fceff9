// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundMixer.h"

#include <fluidsynth.h>
#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace platform {

namespace {

// Longer than any cue; a file claiming more is cut there.
constexpr std::size_t kLongestCueSamples = std::size_t(kMixRate) * 2 * 30;

struct Memory {
    const unsigned char* bytes;
    sf_count_t size;
    sf_count_t at;
};

sf_count_t memoryLength(void* user) { return static_cast<Memory*>(user)->size; }

sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    auto* m = static_cast<Memory*>(user);
    const sf_count_t base = whence == SEEK_CUR ? m->at : whence == SEEK_END ? m->size : 0;
    if (offset < -base || offset > m->size - base)
        return -1;
    return m->at = base + offset;
}

sf_count_t memoryRead(void* out, sf_count_t count, void* user)
{
    auto* m = static_cast<Memory*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(m->size - m->at, 0, std::max<sf_count_t>(count, 0));
    std::memcpy(out, m->bytes + m->at, std::size_t(n));
    m->at += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }
sf_count_t memoryTell(void* user) { return static_cast<Memory*>(user)->at; }

void quiet(int, const char*, void*) {}

} // namespace

std::shared_ptr<const Clip> decodeWave(const void* bytes, std::size_t size)
{
    // Only the RIFF family: other containers would take the file to
    // libsndfile's decoders for FLAC, Ogg and MPEG, which no cue needs.
    const auto* head = static_cast<const unsigned char*>(bytes);
    if (size < 12 || (std::memcmp(head, "RIFF", 4) != 0 && std::memcmp(head, "RF64", 4) != 0))
        return nullptr;
    Memory memory{head, sf_count_t(size), 0};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file)
        return nullptr;
    std::vector<float> in;
    const bool usable = info.channels >= 1 && info.channels <= 8 && info.samplerate >= 1000
        && info.samplerate <= 384000 && info.frames > 0;
    if (usable) {
        const auto frames = std::min<std::size_t>(std::size_t(info.frames), kLongestCueSamples / 2);
        in.resize(frames * std::size_t(info.channels));
        const sf_count_t read = sf_readf_float(file, in.data(), sf_count_t(frames));
        in.resize(std::size_t(std::max<sf_count_t>(read, 0)) * std::size_t(info.channels));
    }
    sf_close(file);
    if (in.empty())
        return nullptr;

    // Mono plays on both sides; beyond two channels the first two are kept.
    // A float file may hold anything, so its samples are brought into range.
    auto sample = [](float v) { return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f; };
    const std::size_t frames = in.size() / std::size_t(info.channels);
    std::vector<float> stereo(2 * frames);
    for (std::size_t f = 0; f < frames; ++f) {
        const float* frame = in.data() + f * std::size_t(info.channels);
        stereo[2 * f] = sample(frame[0]);
        stereo[2 * f + 1] = sample(frame[info.channels > 1 ? 1 : 0]);
    }
    auto clip = std::make_shared<Clip>();
    if (info.samplerate == kMixRate) {
        clip->samples = std::move(stereo);
        return clip;
    }
    const double ratio = double(kMixRate) / info.samplerate;
    clip->samples.resize(2 * (std::size_t(std::ceil(double(frames) * ratio)) + 16));
    SRC_DATA convert{};
    convert.data_in = stereo.data();
    convert.input_frames = long(frames);
    convert.data_out = clip->samples.data();
    convert.output_frames = long(clip->frames());
    convert.src_ratio = ratio;
    if (src_simple(&convert, SRC_SINC_MEDIUM_QUALITY, 2) != 0 || convert.output_frames_gen <= 0)
        return nullptr;
    clip->samples.resize(2 * std::size_t(convert.output_frames_gen));
    // The converter's ripple can overshoot a full-scale wave a little.
    for (float& v : clip->samples)
        v = std::clamp(v, -1.0f, 1.0f);
    return clip;
}

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

SoundMixer::SoundMixer(std::vector<std::string> soundFonts)
    : soundFonts_(std::move(soundFonts))
{
}

SoundMixer::~SoundMixer()
{
    endTune();
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

SoundMixer::Voice SoundMixer::play(std::shared_ptr<const Clip> clip)
{
    if (!clip || clip->frames() == 0)
        return 0;
    cues_.push_back({++lastId_, std::move(clip), 0});
    return lastId_;
}

SoundMixer::Voice SoundMixer::playTune(std::vector<char> midi)
{
    if (midi.empty())
        return 0;
    endTune();
    tuneMidi_ = std::move(midi);
    return tune_ = ++lastId_;
}

void SoundMixer::stop(Voice voice)
{
    if (voice != 0 && voice == tune_)
        endTune();
    std::erase_if(cues_, [voice](const Cue& c) { return c.id == voice; });
}

void SoundMixer::stopAll()
{
    endTune();
    cues_.clear();
}

bool SoundMixer::sounding(Voice voice) const
{
    return voice != 0
        && (voice == tune_ || std::any_of(cues_.begin(), cues_.end(), [voice](const Cue& c) { return c.id == voice; }));
}

std::size_t SoundMixer::voiceCount() const
{
    return cues_.size() + (tune_ ? 1 : 0);
}

void SoundMixer::endTune()
{
    tune_ = 0;
    tailFrames_ = 0;
    tuneMidi_.clear();
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
        fluid_synth_system_reset(synth_); // silences what still rings
    }
}

bool SoundMixer::loadSoundFont()
{
    if (synth_ || synthFailed_)
        return synth_ != nullptr;
    synthFailed_ = true;
    // FluidSynth reports every missing file and odd MIDI event on stderr;
    // to the program all of those are plain silence.
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, quiet, nullptr);
    settings_ = new_fluid_settings();
    if (!settings_)
        return false;
    fluid_settings_setnum(settings_, "synth.sample-rate", kMixRate);
    fluid_settings_setnum(settings_, "synth.gain", 0.6); // the default 0.2 is very quiet
    fluid_settings_setint(settings_, "synth.threadsafe-api", 0); // one thread drives it all
    // Only the samples of the instruments a tune selects are read, and
    // they need not be locked into memory.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // The player's clock is the rendered samples: no timer thread.
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    synth_ = new_fluid_synth(settings_);
    if (!synth_)
        return false;
    for (const std::string& font : soundFonts_) {
        if (fluid_is_soundfont(font.c_str()) && fluid_synth_sfload(synth_, font.c_str(), 1) != FLUID_FAILED) {
            synthFailed_ = false;
            return true;
        }
    }
    delete_fluid_synth(synth_);
    synth_ = nullptr;
    return false;
}

bool SoundMixer::startTune()
{
    if (!loadSoundFont())
        return false;
    player_ = new_fluid_player(synth_);
    if (!player_)
        return false;
    const bool started = fluid_player_add_mem(player_, tuneMidi_.data(), tuneMidi_.size()) == FLUID_OK
        && fluid_player_play(player_) == FLUID_OK;
    tuneMidi_.clear();
    tuneMidi_.shrink_to_fit();
    return started;
}

bool SoundMixer::tuneOver() const
{
    // The player waits for the voices to die away, which for some
    // instruments takes seconds of near silence; the last tick ends it.
    const int last = fluid_player_get_total_ticks(player_);
    return fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING
        || (last > 0 && fluid_player_get_current_tick(player_) >= last);
}

void SoundMixer::render(std::int16_t* out, std::size_t frames)
{
    mix_.assign(2 * frames, 0.0f);

    if (tune_ && !player_ && !startTune())
        endTune();
    if (player_) {
        synthOut_.resize(2 * frames);
        float* s = synthOut_.data();
        if (fluid_synth_write_float(synth_, int(frames), s, 0, 2, s, 1, 2) == FLUID_OK) {
            // Once the last note is over, what still rings fades out within
            // a second instead of the long release of some instruments.
            const bool over = tuneOver();
            for (std::size_t i = 0; i < 2 * frames; ++i) {
                const float fade = over ? std::max(0.0f, 1.0f - float(tailFrames_ + i / 2) / kMixRate) : 1.0f;
                mix_[i] += fade * s[i];
            }
            if (over)
                tailFrames_ += frames;
        }
        if (tailFrames_ >= std::size_t(kMixRate) || (tuneOver() && fluid_synth_get_active_voice_count(synth_) == 0))
            endTune();
    }

    for (Cue& c : cues_) {
        const std::size_t n = std::min(frames, c.clip->frames() - c.at);
        const float* from = c.clip->samples.data() + 2 * c.at;
        std::transform(mix_.begin(), mix_.begin() + std::ptrdiff_t(2 * n), from, mix_.begin(), std::plus<>());
        c.at += n;
    }
    std::erase_if(cues_, [](const Cue& c) { return c.at >= c.clip->frames(); });

    for (std::size_t i = 0; i < mix_.size(); ++i)
        out[i] = std::int16_t(std::lround(std::clamp(mix_[i], -1.0f, 1.0f) * 32767.0f));
}

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
// Everything that makes sound, without Qt: wave cues decoded with
// libsndfile, the tune synthesised by FluidSynth as it plays, and the mix of
// all of them that an output stream pulls.
#pragma once

#include <fluidsynth/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The one rate of the mix; our own cue files are written at it, so only a
// foreign file needs converting.
constexpr int kMixRate = 44100;

// A cue ready to mix: interleaved stereo at kMixRate.
struct Clip {
    std::vector<float> samples;
    std::size_t frames() const { return samples.size() / 2; }
};

// Decodes a wave file held in memory; null for anything libsndfile cannot
// read as a wave file, and for one without frames.
std::shared_ptr<const Clip> decodeWave(const void* bytes, std::size_t size);

// General MIDI SoundFonts in the places distributions install them, best
// first.
const std::vector<std::string>& defaultSoundFonts();

// Not thread-safe: the program feeds its stream from the GUI thread.
class SoundMixer {
public:
    using Voice = std::uint64_t; // 0: nothing sounds

    // The first of `soundFonts` that loads voices the tunes. The program's
    // output loads it (loadSoundFont) once its stream runs, so that the
    // first tune does not wait; a mixer left alone loads it when a tune is
    // first rendered.
    explicit SoundMixer(std::vector<std::string> soundFonts);
    ~SoundMixer();
    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;

    // Loads the SoundFont now rather than at a tune's first render; false
    // when none loads.
    bool loadSoundFont();

    Voice play(std::shared_ptr<const Clip> clip);
    // The bytes of a Standard MIDI File. Only one tune sounds at a time: the
    // synthesizer is shared, and a new tune takes it over (the program
    // never wants two at once).
    Voice playTune(std::vector<char> midi);
    void stop(Voice voice);
    void stopAll();
    bool sounding(Voice voice) const;
    std::size_t voiceCount() const;

    // Fills `frames` interleaved stereo frames with the mix and moves every
    // voice on; voices that have run out end.
    void render(std::int16_t* out, std::size_t frames);

private:
    struct Cue {
        Voice id;
        std::shared_ptr<const Clip> clip;
        std::size_t at; // frames played
    };
    bool startTune();
    void endTune();
    bool tuneOver() const;

    std::vector<std::string> soundFonts_;
    std::vector<Cue> cues_;
    std::vector<float> mix_, synthOut_;
    Voice lastId_ = 0;

    Voice tune_ = 0;
    std::vector<char> tuneMidi_; // until the tune's first render
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    std::size_t tailFrames_ = 0; // rendered since the tune's last note
    bool synthFailed_ = false;
};

} // namespace platform

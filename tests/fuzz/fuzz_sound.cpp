// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the sound files beside the program, which can hold
// anything. Every input is read as a wave file through libsndfile into the
// mixer, and as a MIDI file into the tune player, whose SoundFont is loaded
// once. Properties: nothing crashes; a decoded cue is finite, in range and
// at most 30 s long; the mix of a cue alone is the cue; every voice ends
// once stopped.
#include "audio/SoundMixer.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace platform;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

constexpr std::size_t kBlock = 512;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static SoundMixer mixer(defaultSoundFonts());
    static const bool soundFont = mixer.loadSoundFont();
    (void)soundFont;
    std::vector<std::int16_t> out(2 * kBlock);

    if (const auto clip = decodeWave(data, size)) {
        check(clip->frames() > 0 && clip->frames() <= std::size_t(kMixRate) * 30);
        for (float v : clip->samples)
            check(std::isfinite(v) && v >= -1.0f && v <= 1.0f);
        const auto cue = mixer.play(clip);
        check(cue != 0);
        mixer.render(out.data(), kBlock);
        for (std::size_t i = 0; i < 2 * std::min(kBlock, clip->frames()); ++i)
            check(std::abs(out[i] - std::lround(clip->samples[i] * 32767.0f)) <= 1);
        mixer.stop(cue);
        check(!mixer.sounding(cue));
    }

    // A tune for a quarter of a second: long enough to parse the file and
    // play its first events.
    const auto tune = mixer.playTune(std::vector<char>(data, data + size));
    for (int block = 0; block < 22 && mixer.sounding(tune); ++block)
        mixer.render(out.data(), kBlock);
    mixer.stop(tune);
    check(mixer.voiceCount() == 0);
    return 0;
}

// Off-line synthesis of a MIDI file to PCM with FluidSynth. Plain C++, no
// Qt, so that it can run on any thread and be tested without audio.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// General MIDI SoundFonts in the places distributions install them, best
// first.
const std::vector<std::string>& defaultSoundFonts();

// Renders the whole tune, plus a short release tail, as interleaved 16-bit
// stereo samples. The first candidate that loads is used. Gives an empty
// result when no SoundFont loads, the file is not a playable MIDI file, the
// tune is silent, or `cancel` becomes true while rendering.
std::vector<std::int16_t> renderMidi(const std::string& midiPath,
                                     const std::vector<std::string>& soundFontCandidates,
                                     int sampleRate,
                                     const std::atomic<bool>* cancel = nullptr);

} // namespace platform

// The real sound of a player: wave files and pre-rendered MIDI tunes played
// through Qt Multimedia. Without an audio output all of it is silent.
#pragma once

#include "MMControl.h"

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// The samples of a plain 16-bit PCM wave file.
struct WaveData {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples; // interleaved
};

// Reads RIFF/WAVE with a 16-bit PCM format chunk, one or two channels;
// anything else, including a truncated file, gives nothing.
std::optional<WaveData> decodeWave(const QByteArray& bytes);

// Whether the machine has an audio output at all. Asked once; call it on the
// main thread.
bool audioOutputAvailable();

std::unique_ptr<SoundDevice> makeAudioDevice();

// Starts rendering the MIDI file at `path` in the background unless it is
// rendered or rendering already. Does nothing without an audio output.
void prepareMusicAt(const QString& path);

// Cancels the renders still running and waits for their threads; finished
// renders stay cached.
void cancelMusicRenders();

} // namespace platform

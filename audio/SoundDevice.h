// SPDX-License-Identifier: GPL-3.0-or-later
// What actually makes the sound of one player, and how the program reaches
// the audio module that makes the real ones.
#pragma once

#include <QString>

namespace platform {

// Every call must return at once and never fail loudly: a missing file or
// device means silence.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void open(const QString& path) = 0; // kind follows the extension
    virtual void close() = 0;
    virtual void stop() = 0;
    virtual void sound() = 0; // wave file once from the start
    virtual void play() = 0;  // MIDI file once from the start
};

// The audio module's one entry point: a new device, owned by the caller.
using SoundDeviceEntry = SoundDevice* (*)();
inline constexpr char kSoundDeviceEntry[] = "sorvena_make_sound_device";

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
// The real sound of the players: one Qt output stream pulling the mix of
// SoundMixer. Without an audio output all of it is silent.
#pragma once

#include "SoundDevice.h"
#include "SoundMixer.h"

#include <memory>

namespace platform {

std::unique_ptr<SoundDevice> makeAudioDevice();

// The mix every real player sounds into.
SoundMixer& soundMixer();

// Idle until a player first wants sound; Waiting for the queued start of
// the stream; then Running, or Absent without an output.
enum class SoundOutput { Idle, Waiting, Running, Absent };
SoundOutput soundOutput();

} // namespace platform

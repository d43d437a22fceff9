// SPDX-License-Identifier: GPL-3.0-or-later
// The real sound of the players: one Qt output stream pulling the mix of
// SoundMixer. Without an audio output all of it is silent.
#pragma once

#include "SoundDevice.h"
#include "SoundMixer.h"

#include <memory>

namespace platform {

std::unique_ptr<SoundDevice> makeAudioDevice();

// The wave file at `path`, decoded at its first use and kept for the
// program's life, so that a click does not read and decode its cue again;
// null when it cannot be read.
std::shared_ptr<const Clip> waveCue(const QString& path);

// The mix every real player sounds into.
SoundMixer& soundMixer();

// Idle until a player first wants sound; Waiting for the queued start of
// the stream; then Running, or Absent without an output.
enum class SoundOutput { Idle, Waiting, Running, Absent };
SoundOutput soundOutput();

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
// The audio module's entry point. The program loads the module only after
// its first window has been painted, so that the sound libraries cost the
// start-up nothing.
#include "AudioDevice.h"

extern "C" __attribute__((visibility("default"))) platform::SoundDevice* sorvena_make_sound_device()
{
    return platform::makeAudioDevice().release();
}


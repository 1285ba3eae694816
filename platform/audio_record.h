#pragma once
// Sound for a back end without a sound card (the headless runner and the
// tests): the record of every sound started (a cued channel resumed for the
// first time) with the volume it started at, and a way to let sound time
// pass. Not for the game.
#include <cstdint>
#include <string>
#include <vector>

namespace pf {

struct StartedSound {
  std::string name;  // the file's base name without extension: "expld", "music"
  float volume = 0;  // the channel's volume when it started
};

// Recording is off until switched on, so a long real game keeps nothing.
void record_started_sounds(bool on);
// The sounds started since the previous call, oldest first; clears them.
std::vector<StartedSound> take_started_sounds();

// Mixes and throws away this many output frames (44100 a second), as a
// sound card would have played them: effects run to their end and stop
// counting as playing, the music moves on. Without it, nothing ever
// finishes when no device pulls the mixer.
void run_sound_without_device(int64_t frames);

}  // namespace pf

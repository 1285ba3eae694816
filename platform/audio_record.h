#pragma once
// What the headless runner and the tests learn about sounds: every sound
// started (a cued channel resumed for the first time), with the volume it
// started at. Not for the game.
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

}  // namespace pf

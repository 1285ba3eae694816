#pragma once
// A decoded sound as the mixer plays it.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace pf {

struct Sound {
  std::string name;  // base name of its file, for the record of started sounds
  int rate = 0;      // frames a second, the file's own
  int channels = 0;  // 1 (mono) or 2 (stereo, left first)
  bool loop = false;
  std::vector<int16_t> samples;  // interleaved frames

  int64_t frames() const { return channels ? static_cast<int64_t>(samples.size()) / channels : 0; }
};

}  // namespace pf

#pragma once
// Ogg Vorbis in memory to 16-bit samples.
#include <cstddef>
#include <string>

#include "platform/audio.h"

namespace pf {

// Decodes a whole Ogg Vorbis file. Anything that is not a complete, intact
// Ogg Vorbis stream (empty, cut short, damaged, another format) gives
// nullptr and a short reason in *error. The sound has the file's rate; one
// channel stays mono, two or more become stereo. Name and loop are left to
// the caller.
SoundRef decode_vorbis(const unsigned char* data, size_t size, std::string* error);

}  // namespace pf

#pragma once
// The sound card: SDL's audio thread pulls the mixer 1024 frames at a time
// (44100 Hz, 16-bit, stereo). With no device the game simply stays silent.
#include <cstdint>

namespace pf {

class Mixer;

class SdlAudio {
 public:
  SdlAudio();                        // plays the mixer behind the pf:: calls
  explicit SdlAudio(Mixer& source);  // plays another one (tests)
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;
  ~SdlAudio() { close(); }

  // Starts the output; false, quietly, when there is no usable device.
  // Harmless to call twice.
  bool open();
  void close();
  bool is_open() const { return device_ != 0; }

 private:
  Mixer& source_;
  uint32_t device_ = 0;  // SDL_AudioDeviceID
};

}  // namespace pf

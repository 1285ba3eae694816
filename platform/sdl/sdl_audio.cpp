#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include "platform/audio/mixer.h"

namespace pf {

namespace {

void pull(void* source, Uint8* stream, int bytes) {
  static_cast<Mixer*>(source)->mix(reinterpret_cast<int16_t*>(stream),
                                   bytes / static_cast<int>(2 * sizeof(int16_t)));
}

}  // namespace

SdlAudio::SdlAudio() : source_(mixer()) {}
SdlAudio::SdlAudio(Mixer& source) : source_(source) {}

bool SdlAudio::open() {
  if (device_ != 0) return true;
  // Failing to open says nothing: a missing sound card is no fault of the
  // game, and the one line a start-up failure gets belongs to the display.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = Mixer::default_rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = Mixer::max_block;
  want.callback = pull;
  want.userdata = &source_;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the card really takes, so
  // the callback always receives exactly this format.
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (id == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  device_ = id;
  source_.set_output_rate(have.freq);
  SDL_PauseAudioDevice(id, 0);
  return true;
}

void SdlAudio::close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);  // waits for the callback to return
  device_ = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace pf

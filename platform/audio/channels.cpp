// The game's channel calls, served by the one mixer the output device pulls.
#include <algorithm>

#include "platform/audio.h"
#include "platform/audio/mixer.h"
#include "platform/audio_record.h"

namespace pf {

Channel cue_sound(const SoundRef& sound) {
  return mixer().cue(sound);
}
Channel allocate_channel() {
  return mixer().allocate();
}
void set_channel_volume(Channel ch, float volume) {
  mixer().set_volume(ch, volume);
}
float channel_volume(Channel ch) {
  return mixer().volume(ch);
}
void pause_channel(Channel ch) {
  mixer().pause(ch);
}
void resume_channel(Channel ch) {
  mixer().resume(ch);
}
void stop_channel(Channel ch) {
  mixer().stop(ch);
}
bool channel_playing(Channel ch) {
  return mixer().playing(ch);
}

void record_started_sounds(bool on) {
  mixer().set_recording(on);
}
std::vector<StartedSound> take_started_sounds() {
  return mixer().take_started();
}

void run_sound_without_device(int64_t frames) {
  int16_t block[2 * Mixer::max_block];
  while (frames > 0) {
    const int n = static_cast<int>(std::min<int64_t>(frames, Mixer::max_block));
    mixer().mix(block, n);
    frames -= n;
  }
}

}  // namespace pf

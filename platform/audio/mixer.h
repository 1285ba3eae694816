#pragma once
// The channel table and the mixing of its voices into the output. The game
// thread changes channels; the output device's thread pulls mixed frames.
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/audio.h"
#include "platform/audio_record.h"

namespace pf {

class Mixer {
 public:
  static constexpr int default_rate = 44100;
  static constexpr int max_block = 1024;  // frames mixed per pass, the device's block

  explicit Mixer(int output_rate = default_rate);
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // The rate the device really runs at; voices keep their place.
  void set_output_rate(int rate);

  // Channel operations, as the pf:: audio calls describe them. Ids are never
  // reused, so a stale id can only ever name nothing.
  Channel cue(const SoundRef& sound);
  Channel allocate();
  void set_volume(Channel ch, float volume);
  float volume(Channel ch);
  void pause(Channel ch);
  void resume(Channel ch);
  void stop(Channel ch);
  bool playing(Channel ch);

  // Writes `frames` stereo frames (left, right interleaved) at the output
  // rate: every unpaused voice summed and clipped to 16 bits. Voices that
  // reach their end are finished here. Allocates nothing; safe to call from
  // the device's thread.
  void mix(int16_t* out, int frames);

  void set_recording(bool on);
  std::vector<StartedSound> take_started();

 private:
  struct Voice {
    Channel id = 0;
    SoundRef sound;
    // Place in the sound, in its own frames, as 32.32 fixed point: the whole
    // part is the frame, the fraction the way to the next one.
    uint64_t pos = 0;
    float volume = 1.0f;
    bool paused = true;
    bool started = false;  // resumed at least once
    bool finished = false;
  };

  Voice* find(Channel ch);  // under lock_
  // Finished voices leave the table on the game thread, so that freeing a
  // sound never happens on the device's thread.
  void sweep(std::vector<SoundRef>& dropped);  // under lock_
  void mix_voice(Voice& v, int frames);        // adds into acc_, under lock_

  std::mutex lock_;
  int rate_;
  Channel next_id_ = 1;
  std::vector<Voice> voices_;
  int32_t acc_[2 * max_block];

  std::mutex record_lock_;
  bool recording_ = false;
  std::vector<StartedSound> started_;
};

// The mixer behind the pf:: audio calls, pulled by the output device.
Mixer& mixer();

}  // namespace pf

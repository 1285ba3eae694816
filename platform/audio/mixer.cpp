#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/sound.h"

namespace pf {

namespace {

constexpr float max_volume = 16.0f;  // keeps any sum of voices inside 32 bits
constexpr double fraction_scale = 1.0 / 4294967296.0;

float clean_volume(float v) {
  if (!(v > 0.0f)) return 0.0f;  // negative and NaN alike
  return std::min(v, max_volume);
}

}  // namespace

Mixer::Mixer(int output_rate) : rate_(output_rate > 0 ? output_rate : default_rate) {
  voices_.reserve(64);
}

void Mixer::set_output_rate(int rate) {
  if (rate <= 0) return;
  std::lock_guard<std::mutex> hold(lock_);
  rate_ = rate;
}

Mixer::Voice* Mixer::find(Channel ch) {
  if (ch == 0) return nullptr;
  for (Voice& v : voices_)
    if (v.id == ch) return v.finished ? nullptr : &v;
  return nullptr;
}

void Mixer::sweep(std::vector<SoundRef>& dropped) {
  for (Voice& v : voices_)
    if (v.finished) dropped.push_back(std::move(v.sound));
  std::erase_if(voices_, [](const Voice& v) { return v.finished; });
}

Channel Mixer::cue(const SoundRef& sound) {
  std::vector<SoundRef> dropped;
  std::lock_guard<std::mutex> hold(lock_);
  sweep(dropped);
  const Channel id = next_id_++;
  // Cueing no sound, or one without a single frame, gives a channel that
  // plays nothing: no voice is needed for it.
  if (sound && sound->frames() > 0) {
    Voice v;
    v.id = id;
    v.sound = sound;
    voices_.push_back(std::move(v));
  }
  return id;
}

Channel Mixer::allocate() {
  std::vector<SoundRef> dropped;
  std::lock_guard<std::mutex> hold(lock_);
  sweep(dropped);
  return next_id_++;
}

void Mixer::set_volume(Channel ch, float volume) {
  std::lock_guard<std::mutex> hold(lock_);
  if (Voice* v = find(ch)) v->volume = clean_volume(volume);
}

float Mixer::volume(Channel ch) {
  std::lock_guard<std::mutex> hold(lock_);
  const Voice* v = find(ch);
  return v ? v->volume : 0.0f;
}

void Mixer::pause(Channel ch) {
  std::lock_guard<std::mutex> hold(lock_);
  if (Voice* v = find(ch)) v->paused = true;
}

void Mixer::resume(Channel ch) {
  StartedSound started;
  bool first = false;
  {
    std::lock_guard<std::mutex> hold(lock_);
    Voice* v = find(ch);
    if (!v) return;
    v->paused = false;
    if (!v->started) {
      v->started = true;
      first = true;
      started.volume = v->volume;
      started.name = v->sound->name;  // may allocate: the device waits a moment at most
    }
  }
  if (!first) return;
  std::lock_guard<std::mutex> hold(record_lock_);
  if (recording_) started_.push_back(std::move(started));
}

void Mixer::stop(Channel ch) {
  std::vector<SoundRef> dropped;
  std::lock_guard<std::mutex> hold(lock_);
  if (Voice* v = find(ch)) v->finished = true;
  sweep(dropped);
}  // `dropped` is freed after the lock is released

bool Mixer::playing(Channel ch) {
  std::lock_guard<std::mutex> hold(lock_);
  const Voice* v = find(ch);
  return v && !v->paused;
}

void Mixer::set_recording(bool on) {
  std::lock_guard<std::mutex> hold(record_lock_);
  recording_ = on;
  if (!on) started_.clear();
}

std::vector<StartedSound> Mixer::take_started() {
  std::lock_guard<std::mutex> hold(record_lock_);
  std::vector<StartedSound> taken;
  taken.swap(started_);
  return taken;
}

// Rate conversion is linear interpolation between neighbouring frames of the
// sound, stepping through it by (sound rate / output rate) frames per output
// frame in 32.32 fixed point. Past the last frame a looping sound continues
// with its first frame, so the seam is as smooth as any other step; a sound
// played once fades towards silence over its last step.
void Mixer::mix_voice(Voice& v, int frames) {
  const Sound& s = *v.sound;
  const int64_t count = s.frames();
  const int ch = s.channels;
  const int16_t* smp = s.samples.data();
  // Rounded up: a step a hair too short would leave a stray near-silent
  // frame after the last one.
  const uint64_t out_rate = static_cast<uint64_t>(rate_);
  const uint64_t step = ((static_cast<uint64_t>(s.rate) << 32) + out_rate - 1) / out_rate;
  const uint64_t length = static_cast<uint64_t>(count) << 32;
  const float vol = v.volume;
  uint64_t pos = v.pos;
  int32_t* acc = acc_;
  for (int i = 0; i < frames; ++i) {
    if (pos >= length) {
      if (!s.loop) break;
      pos %= length;
    }
    const int64_t at = static_cast<int64_t>(pos >> 32);
    const float frac = static_cast<float>(static_cast<uint32_t>(pos) * fraction_scale);
    int64_t next = at + 1;
    if (next == count) next = s.loop ? 0 : -1;
    const int16_t* a = smp + at * ch;
    const float al = a[0];
    const float ar = a[ch - 1];
    float bl = 0.0f, br = 0.0f;
    if (next >= 0) {
      bl = smp[next * ch];
      br = smp[next * ch + ch - 1];
    }
    acc[2 * i] += static_cast<int32_t>(std::lrintf((al + (bl - al) * frac) * vol));
    acc[2 * i + 1] += static_cast<int32_t>(std::lrintf((ar + (br - ar) * frac) * vol));
    pos += step;
  }
  if (pos >= length && !s.loop) v.finished = true;
  v.pos = pos;
}

void Mixer::mix(int16_t* out, int frames) {
  std::lock_guard<std::mutex> hold(lock_);
  while (frames > 0) {
    const int n = std::min(frames, max_block);
    std::fill(acc_, acc_ + 2 * n, 0);
    for (Voice& v : voices_)
      if (!v.paused && !v.finished) mix_voice(v, n);
    // Saturate: an overloaded sum flattens at full scale instead of
    // wrapping round into a loud crack of the opposite sign.
    for (int i = 0; i < 2 * n; ++i)
      out[i] = static_cast<int16_t>(std::clamp(acc_[i], -32768, 32767));
    out += 2 * n;
    frames -= n;
  }
}

Mixer& mixer() {
  static Mixer the_mixer;
  return the_mixer;
}

}  // namespace pf

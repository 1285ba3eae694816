#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstring>

#include "platform/audio_record.h"
#include "platform/draw.h"

namespace pf {

HeadlessBackend::HeadlessBackend() : frame_(static_cast<size_t>(screen_w) * screen_h, 0) {}

void HeadlessBackend::queue(const TimelineEvent& event) {
  // After every event of the same or an earlier frame, so same-frame events
  // keep their order; never in front of what was already delivered.
  const auto from = events_.begin() + static_cast<std::ptrdiff_t>(next_);
  const auto at = std::upper_bound(from, events_.end(), event.frame,
                                   [](int f, const TimelineEvent& e) { return f < e.frame; });
  events_.insert(at, event);
}

void HeadlessBackend::queue(const std::vector<TimelineEvent>& events) {
  for (const TimelineEvent& e : events) queue(e);
}

void HeadlessBackend::set_seed(int seed) {
  has_seed_ = true;
  seed_ = seed;
}

bool HeadlessBackend::open_display(const std::string& title, std::string*) {
  title_ = title;
  display_open_ = true;
  return true;
}

void HeadlessBackend::show_frame(const uint32_t* pixels) {
  std::memcpy(frame_.data(), pixels, frame_.size() * sizeof(uint32_t));
}

void HeadlessBackend::frame_presented() {
  ++presented_;
  if (hook_) hook_(presented_);
  due_frame_ = presented_ + 1;
  if (presented_ == close_after_) close_due_ = true;
}

void HeadlessBackend::sleep_ms(int64_t ms) {
  if (ms <= 0) return;
  clock_ms_ += ms;
  // No sound card pulls the mixer here: play out the same stretch of sound,
  // so effects end and stop counting as playing as they would on a card.
  const int64_t samples = ms * 44100 + sound_carry_;
  sound_carry_ = samples % 1000;
  run_sound_without_device(samples / 1000);
}

void HeadlessBackend::pump_events(InputState& in) {
  deliver(in, false);
}

void HeadlessBackend::await_activation(InputState& in) {
  deliver(in, true);
  if (in.suspended && next_ == events_.size()) in.set_suspended(false);
}

void HeadlessBackend::deliver(InputState& in, bool waiting) {
  while (next_ < events_.size()) {
    const TimelineEvent& e = events_[next_];
    if (e.frame > due_frame_ && !(waiting && in.suspended)) break;
    ++next_;
    apply(in, e);
  }
  const bool frame_done = next_ == events_.size() || events_[next_].frame > due_frame_;
  if (close_due_ && frame_done) {
    close_due_ = false;
    in.close_requested = true;
  }
}

void HeadlessBackend::apply(InputState& in, const TimelineEvent& e) {
  using K = TimelineEvent::Kind;
  switch (e.kind) {
    case K::key:
      in.key_pressed(e.a);
      in.key_released(e.a);
      break;
    case K::mouse:
      in.mouse_pressed(e.a);
      in.mouse_released(e.a);
      break;
    case K::move:
      in.pointer_x = e.a;
      in.pointer_y = e.b;
      break;
    case K::joy:
      // No pad, no press: a button of an unplugged joystick is lost.
      if (JoyState* j = in.joy(0); j && e.a >= 0 && e.a < static_cast<int>(j->hits.size())) {
        ++j->hits[static_cast<size_t>(e.a)];
      }
      break;
    case K::axis:
      if (JoyState* j = in.joy(0)) (e.a == 0 ? j->x : j->y) = e.value;
      break;
    case K::plug:
      // The only pad there is: plugging it twice changes nothing.
      if (in.joys.empty()) in.joy_added(headless_joystick_id);
      break;
    case K::unplug:
      in.joy_removed(headless_joystick_id);
      break;
    case K::close:
      in.close_requested = true;
      break;
    case K::suspend:
      in.set_suspended(true);
      break;
    case K::resume:
      in.set_suspended(false);
      break;
  }
}

}  // namespace pf

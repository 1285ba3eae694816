#pragma once
// A back end without a window, a sound card or a wall clock, for the tests and
// the headless runner: time is a virtual millisecond counter that only
// sleeping moves, the frame shown last is kept in memory, and input comes
// from a timeline of events by frame number.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace pf {

// One scripted input. Presses (key, mouse, joy) are single presses: counted
// as a hit and let go at once.
struct TimelineEvent {
  enum class Kind { key, mouse, move, joy, axis, plug, unplug, close, suspend, resume };
  int frame = 1;  // delivered when presentation frame - 1 returns
  Kind kind = Kind::key;
  int a = 0;        // key code, mouse or joystick button, pointer x, axis (0 x, 1 y)
  int b = 0;        // pointer y
  float value = 0;  // axis position, -1..+1
};

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend();

  // --- Script ---
  // Events keep the order they were queued in within one frame. An event
  // for frame F reaches the input state with the first input query after
  // presentation F - 1 has returned (frame 1: before start-up).
  void queue(const TimelineEvent& event);
  void queue(const std::vector<TimelineEvent>& events);
  // A window-close request arrives when this presentation returns, after
  // the next frame's events.
  void close_after(int presentation) { close_after_ = presentation; }
  // The seed the game's generator gets, whatever the game asks for.
  void set_seed(int seed);
  // Called when each presentation returns (numbered from 1), before that
  // presentation's following events are delivered.
  void on_present(std::function<void(int presentation)> hook) { hook_ = std::move(hook); }

  // --- What happened ---
  int presentations() const { return presented_; }
  // The frame shown last: 640 x 480 pixels 0x00RRGGBB, rows top first.
  const std::vector<uint32_t>& last_frame() const { return frame_; }
  bool display_open() const { return display_open_; }
  const std::string& title() const { return title_; }
  bool pointer_hidden() const { return pointer_hidden_; }
  // Events not yet delivered.
  size_t pending_events() const { return events_.size() - next_; }
  // Moves the virtual clock as a slow frame would.
  void advance_clock(int64_t ms) { clock_ms_ += ms; }

  // --- Backend ---
  bool open_display(const std::string& title, std::string* error) override;
  void show_frame(const uint32_t* pixels) override;
  bool set_vsync(bool on) override { return !on; }
  bool can_vsync() override { return false; }
  void frame_presented() override;
  void pump_events(InputState& in) override;
  // While the game waits for activation no frame comes, so frame numbers
  // mean nothing: the timeline runs on up to and including the next resume.
  // A timeline with no resume left ends the suspension, so a run always ends.
  void await_activation(InputState& in) override;
  void move_pointer(int, int) override {}
  void hide_pointer() override { pointer_hidden_ = true; }
  int64_t now_ms() override { return clock_ms_; }
  double now_precise_ms() override { return static_cast<double>(clock_ms_); }
  void sleep_ms(int64_t ms) override;
  int seed_for(int requested) override { return has_seed_ ? seed_ : requested; }

 private:
  void deliver(InputState& in, bool waiting);
  void apply(InputState& in, const TimelineEvent& e);

  std::vector<TimelineEvent> events_;
  size_t next_ = 0;    // first event not yet delivered
  int due_frame_ = 1;  // events up to this frame may be delivered
  int presented_ = 0;
  int close_after_ = -1;
  bool close_due_ = false;
  std::function<void(int)> hook_;
  std::vector<uint32_t> frame_;
  int64_t clock_ms_ = 0;
  int64_t sound_carry_ = 0;  // thousandths of a sample not yet played out
  bool has_seed_ = false;
  int seed_ = 0;
  bool display_open_ = false;
  bool pointer_hidden_ = false;
  std::string title_;
};

// The joystick that "plug" attaches; there is only ever this one, at port 0.
constexpr int headless_joystick_id = 0;

}  // namespace pf

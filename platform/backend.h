#pragma once
// What a back end (the real SDL one, or the headless one of the tests and
// the runner) provides to the platform layer. The game never sees this.
#include <cstdint>
#include <string>

#include "platform/input_state.h"

namespace pf {

class Backend {
 public:
  virtual ~Backend() = default;

  // Opens the display; false with a one-line reason when there is none.
  virtual bool open_display(const std::string& title, std::string* error) = 0;
  // Shows a 640x480 frame of 0x00RRGGBB pixels; with vsync on, returns after
  // the display's next refresh.
  virtual void show_frame(const uint32_t* pixels) = 0;
  // Turns waiting for vertical sync on or off; false when it cannot.
  virtual bool set_vsync(bool on) = 0;
  virtual bool can_vsync() = 0;
  // Called after each presentation returns (the headless runner's hook).
  virtual void frame_presented() {}

  // Processes pending system events into the input state.
  virtual void pump_events(InputState& in) = 0;
  // Used in place of pump_events while the game waits for activation (it was
  // already told it is suspended and asks again); a back end may block here.
  virtual void await_activation(InputState& in) { pump_events(in); }
  virtual void move_pointer(int x, int y) = 0;  // 640x480 coordinates
  virtual void hide_pointer() = 0;

  virtual int64_t now_ms() = 0;           // millisecond counter
  virtual double now_precise_ms() = 0;    // for timing presentations
  virtual void sleep_ms(int64_t ms) = 0;

  // The seed the game's generator really gets (the runner fixes it).
  virtual int seed_for(int requested) { return requested; }
};

// Installed by the program's entry point before the game starts; not owned.
void set_backend(Backend* backend);
Backend& backend();
InputState& input_state();

}  // namespace pf

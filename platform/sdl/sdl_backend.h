#pragma once
// The real back end: a full-screen SDL window, SDL's keyboard, mouse and
// joysticks, and the system clock.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/backend.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_input.h"

namespace pf {

class SdlBackend : public Backend {
 public:
  SdlBackend() = default;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;
  ~SdlBackend() override;

  // Starts SDL's events, timer and joysticks (not the display: open_display
  // does that); false with a one-line reason if SDL cannot start.
  bool start(std::string* error);

  // Runs once the window has opened (the sound device waits for it).
  void after_display_opens(std::function<void()> then) { after_open_ = std::move(then); }

  bool open_display(const std::string& title, std::string* error) override;
  void show_frame(const uint32_t* pixels) override;
  bool set_vsync(bool on) override;
  bool can_vsync() override;

  void pump_events(InputState& in) override;
  void await_activation(InputState& in) override;  // sleeps until an event comes
  void move_pointer(int x, int y) override;
  void hide_pointer() override;

  int64_t now_ms() override;
  double now_precise_ms() override;
  void sleep_ms(int64_t ms) override;

  SdlDisplay& display() { return display_; }

 private:
  bool started_ = false;
  uint64_t start_ticks_ = 0;
  uint64_t start_counter_ = 0;
  double counter_ms_ = 0;  // milliseconds per performance-counter tick
  std::function<void()> after_open_;
  SdlInput input_;
  SdlDisplay display_;
};

}  // namespace pf

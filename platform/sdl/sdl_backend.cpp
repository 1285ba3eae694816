#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include "platform/sdl/sdl_signals.h"

namespace pf {

SdlBackend::~SdlBackend() {
  if (!started_) return;
  // The devices go before the subsystem that owns them.
  InputState unused;
  input_.joysticks().close_all(unused);
  display_.close();
  release_close_signals();
  SDL_Quit();
}

bool SdlBackend::start(std::string* error) {
  // SDL's own handlers would turn SIGINT and SIGTERM into a quit event only
  // while nothing else holds them; the game's handlers do it in every case.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    *error = std::string("cannot start SDL: ") + SDL_GetError();
    return false;
  }
  started_ = true;
  // Joysticks are a bonus: without them the keyboard and mouse still play.
  SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
  catch_close_signals();
  start_ticks_ = SDL_GetTicks64();
  start_counter_ = SDL_GetPerformanceCounter();
  counter_ms_ = 1000.0 / static_cast<double>(SDL_GetPerformanceFrequency());
  return true;
}

bool SdlBackend::open_display(const std::string& title, std::string* error) {
  if (!display_.open(title, error)) return false;
  move_pointer(320, 240);
  if (after_open_) after_open_();
  return true;
}

void SdlBackend::show_frame(const uint32_t* pixels) {
  display_.show(pixels);
}
bool SdlBackend::set_vsync(bool on) {
  return display_.set_vsync(on);
}
bool SdlBackend::can_vsync() {
  return display_.can_vsync();
}

void SdlBackend::pump_events(InputState& in) {
  if (take_close_signal()) in.close_requested = true;
  SDL_Event e;
  while (SDL_PollEvent(&e)) input_.handle(e, in);
}

void SdlBackend::await_activation(InputState& in) {
  // Nothing to draw while another application is active: sleep until
  // something happens, waking now and then to notice a close signal.
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, 100)) input_.handle(e, in);
  pump_events(in);
}

void SdlBackend::move_pointer(int x, int y) {
  display_.warp_pointer(x, y);
  input_.pointer_warped(x, y);
  InputState& in = input_state();
  in.pointer_x = x;
  in.pointer_y = y;
}

void SdlBackend::hide_pointer() {
  display_.hide_pointer();
}

int64_t SdlBackend::now_ms() {
  return static_cast<int64_t>(SDL_GetTicks64() - start_ticks_);
}

double SdlBackend::now_precise_ms() {
  return static_cast<double>(SDL_GetPerformanceCounter() - start_counter_) * counter_ms_;
}

void SdlBackend::sleep_ms(int64_t ms) {
  if (ms <= 0) return;
  // The system's sleep may overshoot by up to a millisecond: sleep all but
  // the last one and spin through that.
  const double until = now_precise_ms() + static_cast<double>(ms);
  if (ms > 1) SDL_Delay(static_cast<Uint32>(ms - 1));
  while (now_precise_ms() < until) {
  }
}

}  // namespace pf

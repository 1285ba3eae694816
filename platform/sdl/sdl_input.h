#pragma once
// Turns SDL's events into the game's input state: keys, mouse, joysticks,
// the suspended state and close requests.
#include <SDL.h>

#include "platform/input_state.h"
#include "platform/sdl/sdl_joysticks.h"

namespace pf {

class SdlInput {
 public:
  void handle(const SDL_Event& e, InputState& in);

  // The pointer was just warped to (x, y) in 640x480 coordinates. The motion
  // event the warp causes can come back one pixel off after the trip through
  // window coordinates; it is read as exactly (x, y).
  void pointer_warped(int x, int y);

  SdlJoysticks& joysticks() { return joysticks_; }

 private:
  void window_event(const SDL_WindowEvent& w, InputState& in);
  void pointer_at(int x, int y, InputState& in);
  bool held_through_focus_change(const SDL_KeyboardEvent& k);

  SdlJoysticks joysticks_;
  bool focused_ = true;
  Uint32 focus_gained_at_ = 0;  // SDL ticks
  bool just_focused_ = false;
  bool minimised_ = false;
  bool warp_pending_ = false;
  int warp_x_ = 0, warp_y_ = 0;
};

// The game's mouse button (1 left, 2 right, 3 middle) for SDL's, or -1.
int game_mouse_button(Uint8 sdl_button);

}  // namespace pf

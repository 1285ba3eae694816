#include "platform/sdl/sdl_input.h"

#include <cstdlib>

#include "platform/sdl/sdl_keys.h"

namespace pf {

int game_mouse_button(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    case SDL_BUTTON_X1:
      return 4;
    case SDL_BUTTON_X2:
      return 5;
    default:
      return -1;
  }
}

void SdlInput::pointer_warped(int x, int y) {
  warp_pending_ = true;
  warp_x_ = x;
  warp_y_ = y;
}

void SdlInput::pointer_at(int x, int y, InputState& in) {
  if (warp_pending_ && std::abs(x - warp_x_) <= 1 && std::abs(y - warp_y_) <= 1) {
    x = warp_x_;
    y = warp_y_;
  }
  warp_pending_ = false;
  in.pointer_x = x;
  in.pointer_y = y;
}

bool SdlInput::held_through_focus_change(const SDL_KeyboardEvent& k) {
  if (!just_focused_) return false;
  // Coming back, the desktop reports modifiers still held (left Control with
  // the rest) as going down then. They went down in another application:
  // held, but no press of ours, or Control would drop a bomb on return.
  if (k.timestamp - focus_gained_at_ > 50) {
    just_focused_ = false;
    return false;
  }
  switch (k.keysym.sym) {
    case SDLK_LCTRL:
    case SDLK_RCTRL:
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
    case SDLK_LALT:
    case SDLK_RALT:
    case SDLK_LGUI:
    case SDLK_RGUI:
      return true;
    default:
      return false;
  }
}

void SdlInput::window_event(const SDL_WindowEvent& w, InputState& in) {
  switch (w.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      focused_ = false;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      focused_ = true;
      just_focused_ = true;
      focus_gained_at_ = w.timestamp;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      minimised_ = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      minimised_ = false;
      break;
    case SDL_WINDOWEVENT_CLOSE:
      in.close_requested = true;
      return;
    default:
      return;
  }
  // Another application active, or the window minimised: the game waits.
  const bool suspended = !focused_ || minimised_;
  if (suspended != in.suspended) in.set_suspended(suspended);
}

void SdlInput::handle(const SDL_Event& e, InputState& in) {
  switch (e.type) {
    case SDL_KEYDOWN: {
      // Auto-repeat is not a press.
      const int code = game_key_code(e.key.keysym.sym);
      if (e.key.repeat != 0 || code < 0) break;
      if (held_through_focus_change(e.key)) {
        in.key_held[code] = true;
      } else {
        in.key_pressed(code);
      }
      break;
    }
    case SDL_KEYUP: {
      const int code = game_key_code(e.key.keysym.sym);
      if (code >= 0) in.key_released(code);
      break;
    }
    // With a logical size set, SDL hands mouse events over in 640x480
    // coordinates; clicks on the letterbox bars fall outside that range.
    case SDL_MOUSEMOTION:
      pointer_at(e.motion.x, e.motion.y, in);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      pointer_at(e.button.x, e.button.y, in);
      const int button = game_mouse_button(e.button.button);
      if (button < 0) break;
      if (e.type == SDL_MOUSEBUTTONDOWN)
        in.mouse_pressed(button);
      else
        in.mouse_released(button);
      break;
    }
    case SDL_MOUSEWHEEL:
      in.wheel += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      break;
    case SDL_WINDOWEVENT:
      window_event(e.window, in);
      break;
    case SDL_QUIT:
      in.close_requested = true;
      break;
    default:
      joysticks_.handle(e, in);
      break;
  }
}

}  // namespace pf

#pragma once
// Joysticks and game pads as the game's ports. A device SDL knows as a game
// controller is read through SDL's controller mapping, so button 0 is the
// south face button and button 1 the east one on every make of pad; any other
// device is read raw (buttons by number, axes 0 and 1, hat 0 as the D-pad).
#include <SDL.h>

#include <vector>

#include "platform/input_state.h"

namespace pf {

class SdlJoysticks {
 public:
  SdlJoysticks() = default;
  SdlJoysticks(const SdlJoysticks&) = delete;
  SdlJoysticks& operator=(const SdlJoysticks&) = delete;
  ~SdlJoysticks();

  // Handles device, button, axis and hat events; false for any other event.
  bool handle(const SDL_Event& e, InputState& in);
  // Lets go of every device (before SDL's joystick subsystem stops).
  void close_all(InputState& in);

  // An axis position as the game reads it: the ends are exactly -1 and +1.
  static float axis_value(Sint16 v) { return v < 0 ? v / 32768.0f : v / 32767.0f; }

 private:
  struct Device {
    SDL_JoystickID id = -1;
    SDL_GameController* pad = nullptr;  // set when read through the mapping
    SDL_Joystick* stick = nullptr;      // set when read raw
    float stick_x = 0, stick_y = 0;
    // D-pad directions held: it overrides the stick at full deflection.
    bool left = false, right = false, up = false, down = false;
  };

  void add(int device_index, InputState& in);
  void remove(SDL_JoystickID id, InputState& in);
  Device* find(SDL_JoystickID id);
  static void press(InputState& in, SDL_JoystickID id, int button);
  static void update_axes(const Device& d, InputState& in);

  std::vector<Device> devices_;
};

}  // namespace pf

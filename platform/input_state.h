#pragma once
// What the back ends know about input, kept in one place: back ends write
// events into it, the input queries of input.h read and clear it.
#include <array>
#include <vector>

namespace pf {

struct JoyState {
  int id = -1;                   // the back end's own device id
  std::array<int, 32> hits{};    // presses not yet queried, by button
  float x = 0, y = 0;            // -1..+1
};

struct InputState {
  std::array<int, 256> key_hits{};
  std::array<bool, 256> key_held{};
  std::array<int, 8> mouse_hits{};
  std::array<bool, 8> mouse_held{};
  int wheel = 0;
  int pointer_x = 0, pointer_y = 0;
  std::vector<JoyState> joys;  // port order: port 0 is the first device found
  bool suspended = false;
  // True once the game has been answered "suspended": its next question
  // means it is waiting for activation.
  bool suspension_reported = false;
  bool close_requested = false;

  void key_pressed(int code);  // counts a press unless the key is already held
  void key_released(int code);
  void mouse_pressed(int button);
  void mouse_released(int button);
  void flush_keys();
  void flush_mouse();
  // Suspension changes flush keys and mouse, whichever way they go.
  void set_suspended(bool on);
  JoyState* joy(int port);  // nullptr when no device is at the port
  void joy_added(int id);    // appended as the last port
  void joy_removed(int id);  // later ports move down one
};

}  // namespace pf

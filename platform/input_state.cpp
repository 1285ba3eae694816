#include "platform/input_state.h"

#include <algorithm>

namespace pf {

namespace {
bool key_ok(int code) {
  return code >= 0 && code < 256;
}
bool button_ok(int button) {
  return button >= 0 && button < 8;
}
}  // namespace

void InputState::key_pressed(int code) {
  if (!key_ok(code)) return;
  // A key already down is the system's auto-repeat, not a new press.
  if (!key_held[code]) ++key_hits[code];
  key_held[code] = true;
}

void InputState::key_released(int code) {
  if (key_ok(code)) key_held[code] = false;
}

void InputState::mouse_pressed(int button) {
  if (!button_ok(button)) return;
  if (!mouse_held[button]) ++mouse_hits[button];
  mouse_held[button] = true;
}

void InputState::mouse_released(int button) {
  if (button_ok(button)) mouse_held[button] = false;
}

void InputState::flush_keys() {
  key_hits.fill(0);
  key_held.fill(false);
}

void InputState::flush_mouse() {
  mouse_hits.fill(0);
  mouse_held.fill(false);
  wheel = 0;
}

void InputState::set_suspended(bool on) {
  if (on == suspended) return;
  suspended = on;
  // Keys let go in another application never reach us: forget them both ways.
  flush_keys();
  flush_mouse();
}

JoyState* InputState::joy(int port) {
  if (port < 0 || port >= static_cast<int>(joys.size())) return nullptr;
  return &joys[static_cast<size_t>(port)];
}

void InputState::joy_added(int id) {
  JoyState j;
  j.id = id;
  joys.push_back(j);
}

void InputState::joy_removed(int id) {
  auto it = std::find_if(joys.begin(), joys.end(), [id](const JoyState& j) { return j.id == id; });
  if (it != joys.end()) joys.erase(it);
}

}  // namespace pf

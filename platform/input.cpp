#include "platform/input.h"

#include "platform/backend.h"

namespace pf {

namespace {

InputState& pumped() {
  InputState& in = input_state();
  backend().pump_events(in);
  return in;
}

int take(int& count) {
  const int n = count;
  count = 0;
  return n;
}

}  // namespace

int key_hit(int code) {
  InputState& in = pumped();
  if (code < 0 || code >= static_cast<int>(in.key_hits.size())) return 0;
  return take(in.key_hits[static_cast<size_t>(code)]);
}

int mouse_hit(int button) {
  InputState& in = pumped();
  if (button < 0 || button >= static_cast<int>(in.mouse_hits.size())) return 0;
  return take(in.mouse_hits[static_cast<size_t>(button)]);
}

int mouse_x() {
  return pumped().pointer_x;
}
int mouse_y() {
  return pumped().pointer_y;
}

void move_mouse(int x, int y) {
  InputState& in = input_state();
  in.pointer_x = x;
  in.pointer_y = y;
  backend().move_pointer(x, y);
}

void hide_mouse() {
  backend().hide_pointer();
}

void flush_keys() {
  pumped().flush_keys();
}
void flush_mouse() {
  pumped().flush_mouse();
}

int joy_count() {
  return static_cast<int>(pumped().joys.size());
}

int joy_hit(int button, int port) {
  JoyState* j = pumped().joy(port);
  if (!j || button < 0 || button >= static_cast<int>(j->hits.size())) return 0;
  return take(j->hits[static_cast<size_t>(button)]);
}

float joy_x(int port) {
  const JoyState* j = pumped().joy(port);
  return j ? j->x : 0.0f;
}

float joy_y(int port) {
  const JoyState* j = pumped().joy(port);
  return j ? j->y : 0.0f;
}

bool app_suspended() {
  InputState& in = input_state();
  if (in.suspended && in.suspension_reported) {
    backend().await_activation(in);
  } else {
    backend().pump_events(in);
  }
  in.suspension_reported = in.suspended;
  return in.suspended;
}

bool app_terminate() {
  InputState& in = pumped();
  const bool asked = in.close_requested;
  in.close_requested = false;
  return asked;
}

}  // namespace pf

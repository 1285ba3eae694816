#pragma once
// Polled keyboard, mouse and joystick. A "hit" query returns the presses
// counted since the previous query of that input (or the last flush) and
// clears them. Every query first processes the system's pending events.

namespace pf {

// Key codes the game uses (the same physical keys on every system).
constexpr int key_enter = 13, key_escape = 27, key_space = 32, key_down = 40, key_lcontrol = 162;

int key_hit(int code);  // auto-repeat adds nothing
int mouse_hit(int button);  // 1 left, 2 right, 3 middle
int mouse_x();  // pointer position in 640x480 coordinates
int mouse_y();
void move_mouse(int x, int y);
void hide_mouse();
void flush_keys();   // pending presses and held state of every key
void flush_mouse();  // pending presses and held state of the buttons, wheel

// Joysticks: port 0 is the first device found; devices may come and go.
// Button presses are counted like keys and are never cleared by the flushes.
int joy_count();
int joy_hit(int button, int port = 0);  // 0 south face button, 1 east face button
float joy_x(int port = 0);  // -1.0 full left .. +1.0 full right, exact at the ends
float joy_y(int port = 0);  // -1.0 full up .. +1.0 full down

// Application state. Suspended while another application has the activation
// or the window is minimised; both changes flush keys and mouse. A close
// request (window close, SIGINT, SIGTERM) is reported once and then cleared.
bool app_suspended();
bool app_terminate();

}  // namespace pf

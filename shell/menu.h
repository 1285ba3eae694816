#pragma once
// The title menu and the pause menu: one menu of five rows picked with the
// pointer (mouse or joystick) and chosen with a click or joystick button 0.
#include <cstdint>

extern int32_t ptr_x;  // the pointer as the joystick last read and moved it
extern int32_t ptr_y;

// The row under a pointer at height y: 0..4, or -1 / 5+ for none.
int32_t hovered_row(int32_t y);

int32_t menu_step();
int32_t joy_pointer();

#pragma once
// The backdrop of each mode: the play field's sky, ground, mountain and
// clouds, or a tinted snapshot of it behind the pause and title menus.
#include <cstdint>

extern float cloud1_x;  // drifts only while the mountain scrolls; y 90
extern float cloud2_x;  // y 170

// Clears the frame first. Every call in mode 2 advances the mountain and
// the clouds by one frame, whoever makes it.
int32_t draw_backdrop(int32_t mode);
int32_t draw_cloud(float x, float y);

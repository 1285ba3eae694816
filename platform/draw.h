#pragma once
// Immediate-mode drawing into the 640x480 frame. One current state (colour,
// alpha, blend mode, rotation, scale, font) persists until changed.
#include <string>

#include "platform/image.h"

namespace pf {

constexpr int screen_w = 640;
constexpr int screen_h = 480;

// Blend modes: 1 masked (no blending; fragments with texel alpha x alpha below
// 0.5 are dropped), 2 solid (source replaces destination, alpha ignored),
// 3 alpha, 4 additive, 5 multiply.
constexpr int blend_masked = 1, blend_solid = 2, blend_alpha = 3, blend_light = 4,
              blend_shade = 5;

void set_color(int r, int g, int b);  // stored as given, used clamped to 0..255
void get_color(int& r, int& g, int& b);
void set_alpha(float alpha);  // stored as given, used clamped to 0..1
float get_alpha();
void set_blend(int mode);
int get_blend();
void set_rotation(float degrees);  // positive turns clockwise on screen
float get_rotation();
void set_scale(float sx, float sy);
void get_scale(float& sx, float& sy);
void set_transform(float degrees, float sx, float sy);  // rotation and scale at once

// Rotation and scale apply about the point each call names: the rectangle's
// and the text's top-left corner, the image's handle.
void cls();  // whole frame to black
void draw_rect(float x, float y, float w, float h);
void draw_line(float x1, float y1, float x2, float y2, bool last_pixel = true);
void draw_image(const Image& img, float x, float y, int frame = 0);
void draw_text(const std::string& text, float x, float y);

// The frame being drawn (and, right after flip(), the frame just shown):
// 640 x 480 pixels 0x00RRGGBB, rows top first.
const uint32_t* frame_pixels();

}  // namespace pf

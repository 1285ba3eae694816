// The game's drawing calls, all on the one frame that the back ends show.
#include "platform/draw.h"

#include "platform/font.h"
#include "platform/render/canvas.h"
#include "platform/render/frame_canvas.h"

namespace pf {

render::Canvas& frame_canvas() {
  static render::Canvas canvas;
  return canvas;
}

void set_color(int r, int g, int b) { frame_canvas().set_color(r, g, b); }
void get_color(int& r, int& g, int& b) { frame_canvas().get_color(r, g, b); }
void set_alpha(float alpha) { frame_canvas().set_alpha(alpha); }
float get_alpha() { return frame_canvas().alpha(); }
void set_blend(int mode) { frame_canvas().set_blend(mode); }
int get_blend() { return frame_canvas().blend(); }

void set_rotation(float degrees) {
  render::Canvas& c = frame_canvas();
  c.set_transform(degrees, c.scale_x(), c.scale_y());
}
float get_rotation() { return frame_canvas().rotation(); }

void set_scale(float sx, float sy) {
  render::Canvas& c = frame_canvas();
  c.set_transform(c.rotation(), sx, sy);
}
void get_scale(float& sx, float& sy) {
  sx = frame_canvas().scale_x();
  sy = frame_canvas().scale_y();
}
void set_transform(float degrees, float sx, float sy) {
  frame_canvas().set_transform(degrees, sx, sy);
}

void cls() { frame_canvas().cls(); }
void draw_rect(float x, float y, float w, float h) { frame_canvas().draw_rect(x, y, w, h); }
void draw_line(float x1, float y1, float x2, float y2, bool last_pixel) {
  frame_canvas().draw_line(x1, y1, x2, y2, last_pixel);
}
void draw_image(const Image& img, float x, float y, int frame) {
  frame_canvas().draw_image(img, x, y, frame);
}
void draw_text(const std::string& text, float x, float y) { frame_canvas().draw_text(text, x, y); }

const uint32_t* frame_pixels() { return frame_canvas().pixels(); }

void set_font(FontRef font) { frame_canvas().set_font(std::move(font)); }
FontRef current_font() { return frame_canvas().font(); }
int text_width(const std::string& text) { return frame_canvas().text_width(text); }
int text_height(const std::string& text) { return frame_canvas().text_height(text); }

}  // namespace pf

#pragma once
// The software frame: 640x480 pixels 0x00RRGGBB, the current drawing state
// and the drawing operations. The game draws into one global Canvas through
// draw.h; tests make their own, draw, and read pixels back.
//
// Pixel rules, the same on every machine:
// - A pixel is covered when its centre (px + 0.5, py + 0.5), mapped back
//   through the transform into the shape's own space, lies inside the shape:
//   left and top edges inclusive, right and bottom exclusive.
// - Images are sampled nearest (texel floor(u), floor(v)) unless filtered;
//   glyphs and filtered images are sampled bilinearly (see sampler.h).
// - Texels are multiplied by the colour, (t * c + 127) / 255 per channel;
//   alpha a = texel alpha / 255 * alpha, ai = (int)(a * 255 + 0.5), with
//   a * 255 worked out as the float product texel alpha * alpha.
// - Blends: masked drops a < 0.5 and replaces; solid replaces; alpha
//   (src * ai + dst * (255 - ai) + 127) / 255; additive
//   min(255, dst + (src * ai + 127) / 255); multiply (src * dst + 127) / 255.
//   Any other mode number draws as solid.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/font.h"
#include "platform/image.h"
#include "platform/render/linear_rows.h"
#include "platform/render/transform.h"

namespace pf::render {

class Canvas {
 public:
  static constexpr int width = 640;
  static constexpr int height = 480;

  Canvas();

  // Rows top first, width * height pixels.
  const uint32_t* pixels() const {
    settle_rows(0, height);
    return px_.data();
  }
  uint32_t pixel(int x, int y) const {
    settle_rows(y, y + 1);
    return px_[static_cast<size_t>(y) * width + x];
  }

  void set_color(int r, int g, int b);  // stored as given, used clamped to 0..255
  void get_color(int& r, int& g, int& b) const;
  void set_alpha(float alpha);  // stored as given, used clamped to 0..1
  float alpha() const { return alpha_; }
  void set_blend(int mode) {
    blend_ = mode;
    update_plain_fill();
  }
  int blend() const { return blend_; }
  void set_transform(float degrees, float sx, float sy) {
    tf_.set(degrees, sx, sy);
    update_plain_fill();
  }
  float rotation() const { return tf_.degrees; }
  float scale_x() const { return tf_.sx; }
  float scale_y() const { return tf_.sy; }
  void set_font(FontRef font) { font_ = std::move(font); }
  const FontRef& font() const { return font_; }

  void cls();
  void draw_rect(float x, float y, float w, float h);
  // One pixel wide, Bresenham between the pixels holding the two (transformed)
  // end points; the end pixel only when last_pixel.
  void draw_line(float x1, float y1, float x2, float y2, bool last_pixel);
  void draw_image(const Image& img, float x, float y, int frame);
  void draw_text(std::string_view text, float x, float y);
  int text_width(std::string_view text) const;
  int text_height(std::string_view text) const;

  // Copies the frame rectangle at (x, y), the image's size, into a frame of
  // img. Pixels outside the screen read as black. On a masked image texels of
  // the mask colour (0x00RRGGBB) become transparent, all others opaque.
  void grab(Image& img, int x, int y, int frame, uint32_t mask_rgb) const;

 private:
  // A picture to draw: texel (u, v) of the picture lies at offset
  // (u - tx0, v - ty0) from the anchor in the shape's own space.
  struct Texture {
    const uint32_t* texels;
    int w, h;
    bool filtered;
    const Image* source;  // the picture the texels are frame `frame` of
    int frame;
  };
  void draw_texture(const Texture& tex, float ax, float ay, float tx0, float ty0);
  void plot(int x, int y);

  // cls only marks rows as black; a row is really cleared when something
  // first reads it or draws into part of it, and not at all when a drawing
  // covers it whole (the sky's bands). settle_rows clears the marked rows of
  // [y0, y1); cover_rows forgets the marks of rows about to be overwritten.
  void settle_rows(int y0, int y1) const {
    if (cleared_rows_ != 0) settle_marked(y0, y1);
  }
  void settle_marked(int y0, int y1) const;
  void cover_rows(int y0, int y1);
  // The rows a one-colour run in the current mode writes without reading.
  bool run_is_opaque() const;
  // Whether rectangles now simply write the colour over the screen's own
  // space (see draw_plain_block); worked out when the state changes, not
  // per rectangle.
  void update_plain_fill();
  bool draw_plain_block(float x, float y, float w, float h);

  // Mutable: reading a frame whose clear is still pending does the clear.
  mutable std::vector<uint32_t> px_;
  mutable std::vector<uint8_t> cleared_;  // per row: marked black by cls
  mutable int cleared_rows_ = 0;
  int r_ = 255, g_ = 255, b_ = 255;  // as given
  uint32_t src_ = 0xffffff;          // clamped, 0x00RRGGBB
  float alpha_ = 1;                  // as given
  float alpha_used_ = 1;             // clamped
  uint32_t ai_ = 255;                // clamped alpha as 0..255
  bool masked_pass_ = true;          // clamped alpha >= 0.5
  int blend_ = 1;
  Transform tf_;
  bool plain_fill_ = true;
  FontRef font_;
  std::vector<ColumnSums> sums_;  // scratch for linear sampling

};

}  // namespace pf::render

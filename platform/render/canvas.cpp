#include "platform/render/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/render/blend.h"
#include "platform/render/bounds.h"

namespace pf::render {

namespace {

int clamp_byte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

}  // namespace

Canvas::Canvas() : px_(static_cast<size_t>(width) * height, 0) {}

void Canvas::set_color(int r, int g, int b) {
  r_ = r, g_ = g, b_ = b;
  src_ = rgb(clamp_byte(r), clamp_byte(g), clamp_byte(b));
}

void Canvas::get_color(int& r, int& g, int& b) const { r = r_, g = g_, b = b_; }

void Canvas::set_alpha(float alpha) {
  alpha_ = alpha;
  const float a = alpha > 1 ? 1.0f : alpha > 0 ? alpha : 0.0f;  // NaN counts as 0
  ai_ = static_cast<uint32_t>(a * 255.0f + 0.5f);
  masked_pass_ = a >= 0.5f;
  alpha_table_valid_ = false;
}

void Canvas::refresh_alpha_table() {
  if (alpha_table_valid_) return;
  const float a = alpha_ > 1 ? 1.0f : alpha_ > 0 ? alpha_ : 0.0f;
  for (int t = 0; t < 256; ++t) {
    const float fa = static_cast<float>(t) / 255.0f * a;
    texel_ai_[t] = static_cast<uint8_t>(static_cast<int>(fa * 255.0f + 0.5f));
    texel_pass_[t] = fa >= 0.5f;
  }
  alpha_table_valid_ = true;
}

void Canvas::cls() { std::fill(px_.begin(), px_.end(), 0u); }

void Canvas::draw_rect(float x, float y, float w, float h) {
  if (blend_ == kMasked && !masked_pass_) return;
  if (tf_.degenerate()) return;
  const Transform& t = tf_;
  const auto inside_x = [&](float lx) { return lx >= 0 && lx < w; };
  const auto inside_y = [&](float ly) { return ly >= 0 && ly < h; };

  const PixelBox box = candidate_box(t, x, y, 0, w, 0, h, width, height);
  if (box.empty()) return;
  int x0 = box.x0, x1 = box.x1, y0 = box.y0, y1 = box.y1;

  if (t.separable()) {
    // Coverage of a column depends on the column alone, of a row on the row
    // alone; each is a run because the mapping is monotonic.
    const auto col_in = [&](int px) { return inside_x(t.local_x((px + 0.5f) - x, 0.0f)); };
    const auto row_in = [&](int py) { return inside_y(t.local_y(0.0f, (py + 0.5f) - y)); };
    while (x0 < x1 && !col_in(x0)) ++x0;
    while (x1 > x0 && !col_in(x1 - 1)) --x1;
    while (y0 < y1 && !row_in(y0)) ++y0;
    while (y1 > y0 && !row_in(y1 - 1)) --y1;
    if (x0 >= x1) return;
    uint32_t* row = px_.data() + static_cast<size_t>(y0) * width + x0;
    for (int py = y0; py < y1; ++py, row += width) blend_span(row, x1 - x0, blend_, src_, ai_);
    return;
  }

  for (int py = y0; py < y1; ++py) {
    const float dy = (py + 0.5f) - y;
    int a = x0;
    while (a < x1) {
      const float dx = (a + 0.5f) - x;
      if (inside_x(t.local_x(dx, dy)) && inside_y(t.local_y(dx, dy))) break;
      ++a;
    }
    int b = a;
    while (b < x1) {
      const float dx = (b + 0.5f) - x;
      if (!(inside_x(t.local_x(dx, dy)) && inside_y(t.local_y(dx, dy)))) break;
      ++b;
    }
    if (a < b) blend_span(px_.data() + static_cast<size_t>(py) * width + a, b - a, blend_, src_, ai_);
  }
}

void Canvas::plot(int x, int y) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  blend_span(px_.data() + static_cast<size_t>(y) * width + x, 1, blend_, src_, ai_);
}

void Canvas::draw_line(float x1, float y1, float x2, float y2, bool last_pixel) {
  if (blend_ == kMasked && !masked_pass_) return;
  // The far end turns and scales about the start point.
  const float ex = x1 + tf_.screen_x(x2 - x1, y2 - y1);
  const float ey = y1 + tf_.screen_y(x2 - x1, y2 - y1);
  if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(ex) && std::isfinite(ey))) return;
  // Absurdly distant ends are pulled in to a million pixels, which keeps the
  // walk bounded; lines that matter lie well inside that.
  const auto pixel_of = [](float v) {
    return static_cast<long>(std::floor(std::clamp(v, -1.0e6f, 1.0e6f)));
  };
  long ax = pixel_of(x1), ay = pixel_of(y1);
  const long bx = pixel_of(ex), by = pixel_of(ey);
  const long dx = std::labs(bx - ax), dy = std::labs(by - ay);
  const long stepx = bx > ax ? 1 : -1, stepy = by > ay ? 1 : -1;
  const long n = std::max(dx, dy) + (last_pixel ? 1 : 0);  // pixels plotted

  if (dy == 0) {  // a row: one span (the scanlines)
    long lo = stepx > 0 ? ax : ax - n + 1, hi = lo + n;  // [lo, hi)
    if (ay < 0 || ay >= height || n <= 0) return;
    lo = std::max(lo, 0L);
    hi = std::min(hi, long(width));
    if (lo < hi) blend_span(px_.data() + ay * width + lo, int(hi - lo), blend_, src_, ai_);
    return;
  }
  // Bresenham along the major axis; the minor axis steps when the error
  // passes half a pixel (exactly half does not step).
  const bool x_major = dx >= dy;
  const long major = x_major ? dx : dy, minor = x_major ? dy : dx;
  long err = 2 * minor - major;
  for (long i = 0; i < n; ++i) {
    plot(int(ax), int(ay));
    if (err > 0) {
      if (x_major) ay += stepy; else ax += stepx;
      err -= 2 * major;
    }
    err += 2 * minor;
    if (x_major) ax += stepx; else ay += stepy;
  }
}

void Canvas::grab(Image& img, int x, int y, int frame, uint32_t mask_rgb) const {
  if (frame < 0 || frame >= static_cast<int>(img.frames.size()) || img.width <= 0 ||
      img.height <= 0)
    return;
  std::vector<uint32_t>& out = img.frames[frame];
  out.assign(static_cast<size_t>(img.width) * img.height, 0);
  const bool masked = (img.flags & img_masked) != 0;
  for (int v = 0; v < img.height; ++v) {
    const long sy = long(y) + v;
    for (int u = 0; u < img.width; ++u) {
      const long sx = long(x) + u;
      const bool on = sx >= 0 && sy >= 0 && sx < width && sy < height;
      const uint32_t p = on ? px_[size_t(sy) * width + size_t(sx)] : 0u;
      const bool clear = masked && p == mask_rgb;
      out[size_t(v) * img.width + u] = clear ? p : (0xff000000u | p);
    }
  }
}

}  // namespace pf::render

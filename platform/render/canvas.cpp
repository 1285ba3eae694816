#include "platform/render/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/render/blend.h"
#include "platform/render/bounds.h"
#include "platform/render/texel_span.h"

namespace pf::render {

namespace {

int clamp_byte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// The pixels p in 0..n-1 with 0 <= (p + 0.5) - o < len, as [lo, hi); false
// when there are none. The run's ends are estimated from the rounded real
// ends and then settled by the float test itself, so the result is what a
// pixel-by-pixel test would give.
[[gnu::always_inline]] inline bool plain_run(float o, float len, int n, int& lo, int& hi) {
  // Whole-pixel position and size (blocks, bands): the run is exactly
  // [o, o + len), as the test below would find.
  const int io = static_cast<int>(o), il = static_cast<int>(len);
  if (o > -1e6f && o < 1e6f && len > 0 && len < 2e6f && static_cast<float>(io) == o &&
      static_cast<float>(il) == len) {
    lo = std::max(io, 0);
    hi = std::min(io + il, n);
    return lo < hi;
  }
  const auto in = [&](int p) {
    const float d = (static_cast<float>(p) + 0.5f) - o;
    return d >= 0 && d < len;
  };
  if (!(len > 0)) return false;
  if (o > -1e6f && o < 1e6f && len < 2e6f) {
    // Within a million pixels the estimates are off by at most one pixel.
    const auto ceil_i = [](float v) {
      const int i = static_cast<int>(v);
      return i + (static_cast<float>(i) < v ? 1 : 0);
    };
    int a = ceil_i(o - 0.5f), b = ceil_i((o + len) - 0.5f);
    if (!in(a)) ++a;
    else if (in(a - 1)) --a;
    if (in(b)) ++b;
    else if (!in(b - 1)) --b;
    lo = std::max(a, 0);
    hi = std::min(b, n);
    return lo < hi;
  }
  if (!(std::isfinite(o) && std::isfinite(len))) return false;
  // Far away or huge: walk in from a pixel beyond the real ends.
  const double ra = std::clamp(std::floor(double(o)) - 1, -1.0, n + 1.0);
  const double rb = std::clamp(std::ceil(double(o) + double(len)) + 1, -1.0, n + 1.0);
  lo = std::max(0, static_cast<int>(ra));
  hi = std::min(n, static_cast<int>(rb));
  while (lo < hi && !in(lo)) ++lo;
  while (hi > lo && !in(hi - 1)) --hi;
  return lo < hi;
}

}  // namespace

Canvas::Canvas() : px_(static_cast<size_t>(width) * height, 0), cleared_(height, 0) {}

void Canvas::set_color(int r, int g, int b) {
  r_ = r, g_ = g, b_ = b;
  src_ = rgb(clamp_byte(r), clamp_byte(g), clamp_byte(b));
}

void Canvas::get_color(int& r, int& g, int& b) const { r = r_, g = g_, b = b_; }

void Canvas::set_alpha(float alpha) {
  alpha_ = alpha;
  const float a = alpha > 1 ? 1.0f : alpha > 0 ? alpha : 0.0f;  // NaN counts as 0
  alpha_used_ = a;
  ai_ = alpha_byte(alpha255(255, a));
  masked_pass_ = masked_keeps(alpha255(255, a));
  update_plain_fill();
}

void Canvas::cls() {
  std::fill(cleared_.begin(), cleared_.end(), uint8_t{1});
  cleared_rows_ = height;
}

void Canvas::settle_marked(int y0, int y1) const {
  y0 = std::max(y0, 0);
  y1 = std::min(y1, static_cast<int>(height));
  for (int y = y0; y < y1; ++y) {
    if (!cleared_[y]) continue;
    std::fill_n(px_.data() + static_cast<size_t>(y) * width, width, 0u);
    cleared_[y] = 0;
    --cleared_rows_;
  }
}

void Canvas::cover_rows(int y0, int y1) {
  if (cleared_rows_ == 0) return;
  for (int y = std::max(y0, 0); y < std::min(y1, static_cast<int>(height)); ++y) {
    cleared_rows_ -= cleared_[y];
    cleared_[y] = 0;
  }
}

bool Canvas::run_is_opaque() const {
  return blend_ == kMasked || (blend_ == kAlpha && ai_ == 255) ||
         (blend_ != kAlpha && blend_ != kLight && blend_ != kShade);
}

void Canvas::update_plain_fill() {
  plain_fill_ = tf_.plain() && run_is_opaque() && !(blend_ == kMasked && !masked_pass_);
}

// The mountain's blocks and the debris: whole-pixel rectangles inside the
// screen, unturned and unscaled, in a mode that writes the colour as it is.
// Their pixels are exactly [x, x + w) x [y, y + h), as the run search in
// draw_rect would find, and each gets the colour; so they skip that search
// and the blend's mode switch. Anything else returns false and goes the
// long way.
bool Canvas::draw_plain_block(float x, float y, float w, float h) {
  if (cleared_rows_ != 0) return false;  // whole rows after a clear need not be cleared first
  if (!(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= width && y + h <= height)) return false;
  const int ix = static_cast<int>(x), iy = static_cast<int>(y);
  const int iw = static_cast<int>(w), ih = static_cast<int>(h);
  if (float(ix) != x || float(iy) != y || float(iw) != w || float(ih) != h) return false;
  uint32_t* dst = px_.data() + static_cast<size_t>(iy) * width + ix;
  if (iw == 8) {  // one 32-byte copy of a ready pattern per row
    uint32_t pattern[8];
    std::fill_n(pattern, 8, src_);
    for (int r = 0; r < ih; ++r, dst += width) std::memcpy(dst, pattern, sizeof pattern);
    return true;
  }
  for (int r = 0; r < ih; ++r, dst += width) std::fill_n(dst, iw, src_);
  return true;
}

void Canvas::draw_rect(float x, float y, float w, float h) {
  if (plain_fill_ && draw_plain_block(x, y, w, h)) return;
  if (blend_ == kMasked && !masked_pass_) return;
  if (tf_.degenerate()) return;
  const Transform& t = tf_;
  const auto inside_x = [&](float lx) { return lx >= 0 && lx < w; };
  const auto inside_y = [&](float ly) { return ly >= 0 && ly < h; };

  if (t.plain()) {
    // Blocks, bands and debris: the shape's own space is the screen, so each
    // axis is a run found from its rounded ends and checked pixel by pixel
    // at the ends, with the same float steps as any other rectangle.
    int x0, x1, y0, y1;
    if (!plain_run(x, w, width, x0, x1) || !plain_run(y, h, height, y0, y1)) return;
    if (x0 == 0 && x1 == width && run_is_opaque())
      cover_rows(y0, y1);
    else
      settle_rows(y0, y1);
    blend_rect(px_.data() + static_cast<size_t>(y0) * width + x0, width, x1 - x0, y1 - y0, blend_,
               src_, ai_);
    return;
  }

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
    if (y0 >= y1) return;
    settle_rows(y0, y1);
    blend_rect(px_.data() + static_cast<size_t>(y0) * width + x0, width, x1 - x0, y1 - y0, blend_,
               src_, ai_);
    return;
  }

  settle_rows(y0, y1);
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

  settle_rows(static_cast<int>(std::clamp(std::min(ay, by), -1L, long(height))),
              static_cast<int>(std::clamp(std::max(ay, by) + 1, -1L, long(height))));
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
  settle_rows(std::clamp(y, -1, static_cast<int>(height)),
              static_cast<int>(std::clamp(long(y) + img.height, -1L, long(height))));
  std::vector<uint32_t>& out = img.frames[frame];
  ++img.texel_version;
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

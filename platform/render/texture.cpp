// Pictures and text: textured quads mapped back texel by texel.
#include <algorithm>
#include <cmath>

#include "platform/render/blend.h"
#include "platform/render/bounds.h"
#include "platform/render/canvas.h"
#include "platform/render/sampler.h"

namespace pf::render {

namespace {

// Texel colour times the drawing colour, (t * c + 127) / 255 per channel.
inline uint32_t tint(uint32_t t, uint32_t c) {
  return rgb(div255(red(t) * red(c) + 127), div255(green(t) * green(c) + 127),
             div255(blue(t) * blue(c) + 127));
}

}  // namespace

void Canvas::draw_image(const Image& img, float x, float y, int frame) {
  if (frame < 0 || frame >= static_cast<int>(img.frames.size())) return;
  const std::vector<uint32_t>& texels = img.frames[frame];
  if (img.width <= 0 || img.height <= 0 ||
      texels.size() < static_cast<size_t>(img.width) * img.height)
    return;
  const Texture tex{texels.data(), img.width, img.height, (img.flags & img_filtered) != 0};
  draw_texture(tex, x, y, img.handle_x, img.handle_y);
}

void Canvas::draw_text(std::string_view text, float x, float y) {
  if (!font_) return;
  // Every glyph is placed in the line's own space and the whole line turns
  // and scales about (x, y).
  int pen = 0;
  for (const char ch : text) {
    const Glyph& g = font_->glyphs[static_cast<unsigned char>(ch)];
    if (!g.present) continue;
    if (g.image && !g.image->frames.empty()) {
      const Image& img = *g.image;
      const std::vector<uint32_t>& texels = img.frames[0];
      if (img.width > 0 && img.height > 0 &&
          texels.size() >= static_cast<size_t>(img.width) * img.height) {
        const Texture tex{texels.data(), img.width, img.height, true};
        draw_texture(tex, x, y, -static_cast<float>(pen + g.left), -static_cast<float>(g.top));
      }
    }
    pen += g.advance;
  }
}

int Canvas::text_width(std::string_view text) const {
  if (!font_) return 0;
  int w = 0;
  for (const char ch : text) {
    const Glyph& g = font_->glyphs[static_cast<unsigned char>(ch)];
    if (g.present) w += g.advance;
  }
  return w;
}

int Canvas::text_height(std::string_view) const { return font_ ? font_->line_height : 0; }

void Canvas::draw_texture(const Texture& tex, float ax, float ay, float tx0, float ty0) {
  if (tf_.degenerate()) return;
  refresh_alpha_table();
  switch (blend_) {
    case kMasked: return draw_texture_as<kMasked>(tex, ax, ay, tx0, ty0);
    case kAlpha: return draw_texture_as<kAlpha>(tex, ax, ay, tx0, ty0);
    case kLight: return draw_texture_as<kLight>(tex, ax, ay, tx0, ty0);
    case kShade: return draw_texture_as<kShade>(tex, ax, ay, tx0, ty0);
    default: return draw_texture_as<kSolid>(tex, ax, ay, tx0, ty0);
  }
}

template <int Mode>
void Canvas::draw_texture_as(const Texture& tex, float ax, float ay, float tx0, float ty0) {
  const Transform& t = tf_;
  const uint32_t color = src_;
  const bool white = color == 0xffffff;

  // One fragment from texel value s (already sampled).
  const auto put = [&](uint32_t* dst, uint32_t s) {
    const uint32_t ta = s >> 24;
    if constexpr (Mode == kMasked) {
      if (!texel_pass_[ta]) return;
    } else if constexpr (Mode == kAlpha || Mode == kLight) {
      if (texel_ai_[ta] == 0) return;
    }
    const uint32_t c = white ? (s & 0xffffff) : tint(s, color);
    *dst = blend_pixel<Mode>(*dst, c, texel_ai_[ta]);
  };

  // Candidate pixels: the screen bounds of the quad's corners.
  const PixelBox box = candidate_box(t, ax, ay, -double(tx0), double(tex.w) - tx0, -double(ty0),
                                     double(tex.h) - ty0, width, height);
  if (box.empty()) return;
  const int x0 = box.x0, x1 = box.x1, y0 = box.y0, y1 = box.y1;
  const float fw = float(tex.w), fh = float(tex.h);

  if (t.separable()) {
    // u depends on the column alone and v on the row alone: work out each
    // column's texel (or linear tap) once for the whole quad.
    Tap cols[width];
    int first = x1, last = x0;
    for (int px = x0; px < x1; ++px) {
      const float u = t.local_x((px + 0.5f) - ax, 0.0f) + tx0;
      if (!(u >= 0 && u < fw)) continue;
      first = std::min(first, px);
      last = std::max(last, px + 1);
      cols[px] = tex.filtered ? linear_tap(u, tex.w) : Tap{int(u), int(u), 0};
    }
    if (first >= last) return;
    for (int py = y0; py < y1; ++py) {
      const float v = t.local_y(0.0f, (py + 0.5f) - ay) + ty0;
      if (!(v >= 0 && v < fh)) continue;
      uint32_t* dst = px_.data() + static_cast<size_t>(py) * width;
      if (!tex.filtered) {
        const uint32_t* row = tex.texels + static_cast<size_t>(int(v)) * tex.w;
        for (int px = first; px < last; ++px) put(dst + px, row[cols[px].i0]);
      } else {
        const Tap ty = linear_tap(v, tex.h);
        const uint32_t* r0 = tex.texels + static_cast<size_t>(ty.i0) * tex.w;
        const uint32_t* r1 = tex.texels + static_cast<size_t>(ty.i1) * tex.w;
        for (int px = first; px < last; ++px) put(dst + px, bilinear(r0, r1, cols[px], ty.w));
      }
    }
    return;
  }

  for (int py = y0; py < y1; ++py) {
    const float dy = (py + 0.5f) - ay;
    uint32_t* dst = px_.data() + static_cast<size_t>(py) * width;
    for (int px = x0; px < x1; ++px) {
      const float dx = (px + 0.5f) - ax;
      const float u = t.local_x(dx, dy) + tx0, v = t.local_y(dx, dy) + ty0;
      if (!(u >= 0 && u < fw && v >= 0 && v < fh)) continue;
      if (!tex.filtered) {
        put(dst + px, tex.texels[static_cast<size_t>(int(v)) * tex.w + int(u)]);
      } else {
        const Tap tx = linear_tap(u, tex.w), ty = linear_tap(v, tex.h);
        put(dst + px, bilinear(tex.texels + static_cast<size_t>(ty.i0) * tex.w,
                               tex.texels + static_cast<size_t>(ty.i1) * tex.w, tx, ty.w));
      }
    }
  }
}

}  // namespace pf::render

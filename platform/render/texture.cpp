// Pictures and text: textured quads mapped back texel by texel.
#include <algorithm>
#include <cmath>

#include "platform/render/blend.h"
#include "platform/render/bounds.h"
#include "platform/render/canvas.h"
#include "platform/render/linear_rows.h"
#include "platform/render/sampler.h"
#include "platform/render/texel_runs.h"
#include "platform/render/texel_span.h"

namespace pf::render {

void Canvas::draw_image(const Image& img, float x, float y, int frame) {
  if (frame < 0 || frame >= static_cast<int>(img.frames.size())) return;
  const std::vector<uint32_t>& texels = img.frames[frame];
  if (img.width <= 0 || img.height <= 0 ||
      texels.size() < static_cast<size_t>(img.width) * img.height)
    return;
  const Texture tex{texels.data(), img.width, img.height, (img.flags & img_filtered) != 0, &img,
                    frame};
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
        const Texture tex{texels.data(), img.width, img.height, true, &img, 0};
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
  const Transform& t = tf_;
  const PixelBox box = candidate_box(t, ax, ay, -double(tx0), double(tex.w) - tx0, -double(ty0),
                                     double(tex.h) - ty0, width, height);
  if (box.empty()) return;
  const int x0 = box.x0, x1 = box.x1, y0 = box.y0, y1 = box.y1;
  settle_rows(y0, y1);
  const float fw = float(tex.w), fh = float(tex.h);
  const auto blend = [&](uint32_t* dst, const uint32_t* texels, int n) {
    blend_texels(dst, texels, n, blend_, src_, alpha_used_);
  };

  if (t.separable()) {
    // u depends on the column alone and v on the row alone: work out each
    // column's texel (or linear tap) once for the whole picture. Covered
    // columns form one run because the mapping is monotonic.
    Tap cols[width];
    const bool plain = t.plain();
    int first = x1, last = x0;
    for (int px = x0; px < x1; ++px) {
      // At scale 1 unturned the mapping is the offset itself (the same value
      // the division by 1 would give).
      const float dx = (px + 0.5f) - ax;
      const float u = (plain ? dx : t.local_x(dx, 0.0f)) + tx0;
      if (!(u >= 0 && u < fw)) continue;
      first = std::min(first, px);
      last = std::max(last, px + 1);
      cols[px] = tex.filtered ? linear_tap(u, tex.w) : Tap{int(u), int(u), 0};
    }
    if (first >= last) return;
    const int n = last - first;
    // Texels one to one with pixels (scale 1, or linear taps all on texel
    // centres): rows of the picture blend straight in.
    bool straight = true;
    for (int px = first; px < last && straight; ++px)
      straight = cols[px].i0 == cols[first].i0 + (px - first) && cols[px].w == 0;
    uint32_t line[width];
    // Texel columns that linear sampling reads, for the row sums.
    int u_lo = tex.w, u_hi = 0;
    Tap sums_tap{-1, -1, -1};
    // In these modes a fragment of alpha 0 leaves the pixel as it was.
    const bool clear_is_nothing = blend_ == kMasked || blend_ == kAlpha || blend_ == kLight;
    // Rows one to one with texel rows skip their clear texels (see texel_runs.h).
    const TexelRuns* runs =
        straight && clear_is_nothing ? &texel_runs(*tex.source, tex.frame) : nullptr;
    const auto blend_runs = [&](uint32_t* dst, const uint32_t* row, int v, int c0) {
      for (const TexelRun* r = runs->row_begin(v); r != runs->row_end(v); ++r) {
        const int a = std::max(r->start, c0), b = std::min(r->start + r->len, c0 + n);
        if (a >= b) continue;
        if (r->opaque)
          blend_opaque_texels(dst + (a - c0), row + a, b - a, blend_, src_, alpha_used_);
        else
          blend_texels(dst + (a - c0), row + a, b - a, blend_, src_, alpha_used_);
      }
    };
    if (tex.filtered) {
      for (int px = first; px < last; ++px) {
        u_lo = std::min({u_lo, cols[px].i0, cols[px].i1});
        u_hi = std::max({u_hi, cols[px].i0 + 1, cols[px].i1 + 1});
      }
      if (sums_.size() < size_t(tex.w)) sums_.resize(size_t(tex.w));
    }
    for (int py = y0; py < y1; ++py) {
      const float dy = (py + 0.5f) - ay;
      const float v = (plain ? dy : t.local_y(0.0f, dy)) + ty0;
      if (!(v >= 0 && v < fh)) continue;
      uint32_t* dst = px_.data() + static_cast<size_t>(py) * width + first;
      const Tap ty = tex.filtered ? linear_tap(v, tex.h) : Tap{int(v), int(v), 0};
      const uint32_t* r0 = tex.texels + static_cast<size_t>(ty.i0) * tex.w;
      const uint32_t* r1 = tex.texels + static_cast<size_t>(ty.i1) * tex.w;
      if (straight && ty.w == 0) {
        if (runs)
          blend_runs(dst, r0, ty.i0, cols[first].i0);
        else
          blend(dst, r0 + cols[first].i0, n);
      } else if (!tex.filtered) {
        for (int i = 0; i < n; ++i) line[i] = r0[cols[first + i].i0];
        blend(dst, line, n);
      } else {
        if (ty.i0 != sums_tap.i0 || ty.i1 != sums_tap.i1 || ty.w != sums_tap.w) {
          sum_rows(r0, r1, ty.w, u_lo, u_hi, sums_.data());
          sums_tap = ty;
        }
        sum_columns(sums_.data(), cols + first, n, clear_is_nothing, line);
        blend(dst, line, n);
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
      uint32_t texel;
      if (!tex.filtered) {
        texel = tex.texels[static_cast<size_t>(int(v)) * tex.w + int(u)];
      } else {
        const Tap tx = linear_tap(u, tex.w), ty = linear_tap(v, tex.h);
        texel = bilinear(tex.texels + static_cast<size_t>(ty.i0) * tex.w,
                         tex.texels + static_cast<size_t>(ty.i1) * tex.w, tx, ty.w);
      }
      blend(dst + px, &texel, 1);
    }
  }
}

}  // namespace pf::render

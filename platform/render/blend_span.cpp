#include <algorithm>
#include <cstring>

#include "platform/render/blend.h"
#include "platform/render/wide_vectors.h"

namespace pf::render {

namespace {

// Alpha over a run: the source's share (src * ai + 127) is the same for every
// pixel, so each pixel costs two multiplies and the exact divides by 255.
[[gnu::always_inline]] inline void alpha_span(uint32_t* __restrict dst, int n, uint32_t src,
                                              uint32_t ai) {
  const uint32_t na = 255 - ai;
  const uint32_t k_rb = (src & kRB) * ai + 0x007f007f;
  const uint32_t k_g = ((src >> 8) & 0xff) * ai + 127;
  for (int i = 0; i < n; ++i) {
    const uint32_t d = dst[i];
    const uint32_t rb = div255_pair((d & kRB) * na + k_rb);
    const uint32_t g = div255_pair(((d >> 8) & 0xff) * na + k_g);
    dst[i] = rb | (g << 8);
  }
}

[[gnu::always_inline]] inline void light_span(uint32_t* __restrict dst, int n, uint32_t src,
                                              uint32_t ai) {
  const uint32_t ar = div255(red(src) * ai + 127), ag = div255(green(src) * ai + 127),
                 ab = div255(blue(src) * ai + 127);
  for (int i = 0; i < n; ++i) {
    const uint32_t d = dst[i];
    dst[i] = rgb(std::min(255u, red(d) + ar), std::min(255u, green(d) + ag),
                 std::min(255u, blue(d) + ab));
  }
}

[[gnu::always_inline]] inline void shade_span(uint32_t* __restrict dst, int n, uint32_t src) {
  const uint32_t sr = red(src), sg = green(src), sb = blue(src);
  for (int i = 0; i < n; ++i) {
    const uint32_t d = dst[i];
    dst[i] = rgb(div255(red(d) * sr + 127), div255(green(d) * sg + 127),
                 div255(blue(d) * sb + 127));
  }
}

// Mountain blocks are runs of 8, one 32-byte copy of a ready pattern each;
// a vector loop's set-up would cost more than the run.
[[gnu::always_inline]] inline void fill_runs(uint32_t* dst, int stride, int n, int rows,
                                             uint32_t src) {
  if (n > 8) {
    for (int r = 0; r < rows; ++r, dst += stride) std::fill_n(dst, n, src);
    return;
  }
  uint32_t pattern[8];
  for (uint32_t& p : pattern) p = src;
  if (n == 8) {
    for (int r = 0; r < rows; ++r, dst += stride) std::memcpy(dst, pattern, sizeof pattern);
    return;
  }
  for (int r = 0; r < rows; ++r, dst += stride) std::memcpy(dst, pattern, sizeof(uint32_t) * n);
}

}  // namespace

OV_WIDE_VECTORS
void blend_rect(uint32_t* dst, int stride, int n, int rows, int mode, uint32_t src, uint32_t ai) {
  switch (mode) {
    case kAlpha:
      if (ai == 0) return;
      if (ai < 255) {
        for (int r = 0; r < rows; ++r, dst += stride) alpha_span(dst, n, src, ai);
        return;
      }
      break;
    case kLight:
      for (int r = 0; r < rows; ++r, dst += stride) light_span(dst, n, src, ai);
      return;
    case kShade:
      for (int r = 0; r < rows; ++r, dst += stride) shade_span(dst, n, src);
      return;
    default:
      break;
  }
  if (n == stride) {  // whole rows: one run
    std::fill_n(dst, size_t(n) * rows, src);
    return;
  }
  fill_runs(dst, stride, n, rows, src);
}

}  // namespace pf::render

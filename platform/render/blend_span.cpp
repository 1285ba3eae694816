#include <algorithm>

#include "platform/render/blend.h"

namespace pf::render {

namespace {

// Alpha over a run: the source's share (src * ai + 127) is the same for every
// pixel, so each channel costs one multiply and the exact divide by 255.
void alpha_span(uint32_t* dst, int n, uint32_t src, uint32_t ai) {
  const uint32_t na = 255 - ai;
  const uint32_t kr = red(src) * ai + 127, kg = green(src) * ai + 127, kb = blue(src) * ai + 127;
  for (int i = 0; i < n; ++i) {
    const uint32_t d = dst[i];
    dst[i] = rgb(div255(red(d) * na + kr), div255(green(d) * na + kg), div255(blue(d) * na + kb));
  }
}

void light_span(uint32_t* dst, int n, uint32_t src, uint32_t ai) {
  const uint32_t ar = div255(red(src) * ai + 127), ag = div255(green(src) * ai + 127),
                 ab = div255(blue(src) * ai + 127);
  for (int i = 0; i < n; ++i) {
    const uint32_t d = dst[i];
    dst[i] = rgb(std::min(255u, red(d) + ar), std::min(255u, green(d) + ag),
                 std::min(255u, blue(d) + ab));
  }
}

void shade_span(uint32_t* dst, int n, uint32_t src) {
  const uint32_t sr = red(src), sg = green(src), sb = blue(src);
  for (int i = 0; i < n; ++i) {
    const uint32_t d = dst[i];
    dst[i] = rgb(div255(red(d) * sr + 127), div255(green(d) * sg + 127),
                 div255(blue(d) * sb + 127));
  }
}

}  // namespace

void blend_span(uint32_t* dst, int n, int mode, uint32_t src, uint32_t ai) {
  switch (mode) {
    case kAlpha:
      if (ai == 0) return;
      if (ai < 255) return alpha_span(dst, n, src, ai);
      break;
    case kLight:
      return light_span(dst, n, src, ai);
    case kShade:
      return shade_span(dst, n, src);
    default:
      break;
  }
  std::fill_n(dst, n, src);
}

}  // namespace pf::render

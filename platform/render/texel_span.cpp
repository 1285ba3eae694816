#include "platform/render/texel_span.h"

#include "platform/render/blend.h"
#include "platform/render/wide_vectors.h"

namespace pf::render {

namespace {

template <bool Tinted>
[[gnu::always_inline]] inline uint32_t tinted(uint32_t t, uint32_t cr, uint32_t cg, uint32_t cb) {
  if constexpr (!Tinted) return t & 0xffffff;
  return rgb(div255(red(t) * cr + 127), div255(green(t) * cg + 127), div255(blue(t) * cb + 127));
}

template <int Mode, bool Tinted>
[[gnu::always_inline]] inline void run(uint32_t* __restrict dst, const uint32_t* __restrict src, int n, uint32_t color,
         float alpha) {
  const uint32_t cr = red(color), cg = green(color), cb = blue(color);
  for (int i = 0; i < n; ++i) {
    const uint32_t t = src[i];
    const uint32_t s = tinted<Tinted>(t, cr, cg, cb);
    const uint32_t d = dst[i];
    if constexpr (Mode == kMasked) {
      dst[i] = masked_keeps(alpha255(t >> 24, alpha)) ? s : d;
    } else if constexpr (Mode == kAlpha) {
      dst[i] = blend_pixel<kAlpha>(d, s, alpha_byte(alpha255(t >> 24, alpha)));
    } else if constexpr (Mode == kLight) {
      dst[i] = blend_pixel<kLight>(d, s, alpha_byte(alpha255(t >> 24, alpha)));
    } else if constexpr (Mode == kShade) {
      dst[i] = blend_pixel<kShade>(d, s, 0);
    } else {
      dst[i] = s;
    }
  }
}

template <int Mode>
[[gnu::always_inline]] inline void run_mode(uint32_t* dst, const uint32_t* src, int n, uint32_t color, float alpha) {
  if (color == 0xffffff)
    run<Mode, false>(dst, src, n, color, alpha);
  else
    run<Mode, true>(dst, src, n, color, alpha);
}

}  // namespace

OV_WIDE_VECTORS
void blend_texels(uint32_t* dst, const uint32_t* src, int n, int mode, uint32_t color,
                  float alpha) {
  switch (mode) {
    case kMasked: return run_mode<kMasked>(dst, src, n, color, alpha);
    case kAlpha: return run_mode<kAlpha>(dst, src, n, color, alpha);
    case kLight: return run_mode<kLight>(dst, src, n, color, alpha);
    case kShade: return run_mode<kShade>(dst, src, n, color, alpha);
    default: return run_mode<kSolid>(dst, src, n, color, alpha);
  }
}

}  // namespace pf::render

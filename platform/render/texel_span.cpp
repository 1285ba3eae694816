#include "platform/render/texel_span.h"

#include <cstring>

#include "platform/render/blend.h"
#include "platform/render/wide_vectors.h"

namespace pf::render {

namespace {

template <bool Tinted>
[[gnu::always_inline]] inline uint32_t tinted(uint32_t t, uint32_t cr, uint32_t cg, uint32_t cb) {
  if constexpr (!Tinted) return t & 0xffffff;
  return rgb(div255(red(t) * cr + 127), div255(green(t) * cg + 127), div255(blue(t) * cb + 127));
}

// With Opaque every texel has alpha 255, so each one's alpha is the same
// float product, worked out once for the run.
template <int Mode, bool Tinted, bool Opaque = false>
[[gnu::always_inline]] inline void run(uint32_t* __restrict dst, const uint32_t* __restrict src,
                                       int n, uint32_t color, float alpha) {
  const uint32_t cr = red(color), cg = green(color), cb = blue(color);
  const float a255_opaque = alpha255(0xff, alpha);
  for (int i = 0; i < n; ++i) {
    const uint32_t t = src[i];
    const float a255 = Opaque ? a255_opaque : alpha255(t >> 24, alpha);
    const uint32_t s = tinted<Tinted>(t, cr, cg, cb);
    const uint32_t d = dst[i];
    if constexpr (Mode == kMasked) {
      dst[i] = masked_keeps(a255) ? s : d;
    } else if constexpr (Mode == kAlpha) {
      dst[i] = blend_pixel<kAlpha>(d, s, alpha_byte(a255));
    } else if constexpr (Mode == kLight) {
      dst[i] = blend_pixel<kLight>(d, s, alpha_byte(a255));
    } else if constexpr (Mode == kShade) {
      dst[i] = blend_pixel<kShade>(d, s, 0);
    } else {
      dst[i] = s;
    }
  }
}

// Runs are short (a ship row is a few runs of 8 to 60 texels), and a
// vector loop's scalar tail of up to 7 pixels cost as much as the rest of
// the run. Instead the last 8 pixels are worked out first, into a copy, from
// the pixels as they were; the vector loop then does the whole blocks, and
// the copy is written over the end. Each pixel's value depends only on its
// own texel and its own old value, so the pixels both passes work out come
// out the same from either.
template <int Mode, bool Tinted, bool Opaque>
[[gnu::always_inline]] inline void run_blocks(uint32_t* dst, const uint32_t* src, int n,
                                              uint32_t color, float alpha) {
  constexpr int kBlock = 8;
  const int body = n - n % kBlock;
  if (body == n || n < kBlock) return run<Mode, Tinted, Opaque>(dst, src, n, color, alpha);
  uint32_t last[kBlock];
  std::memcpy(last, dst + n - kBlock, sizeof last);
  run<Mode, Tinted, Opaque>(last, src + n - kBlock, kBlock, color, alpha);
  run<Mode, Tinted, Opaque>(dst, src, body, color, alpha);
  std::memcpy(dst + n - kBlock, last, sizeof last);
}

template <int Mode, bool Opaque = false>
[[gnu::always_inline]] inline void run_mode(uint32_t* dst, const uint32_t* src, int n, uint32_t color, float alpha) {
  if (color == 0xffffff)
    run_blocks<Mode, false, Opaque>(dst, src, n, color, alpha);
  else
    run_blocks<Mode, true, Opaque>(dst, src, n, color, alpha);
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

OV_WIDE_VECTORS
void blend_opaque_texels(uint32_t* dst, const uint32_t* src, int n, int mode, uint32_t color,
                         float alpha) {
  switch (mode) {
    case kMasked: return run_mode<kMasked, true>(dst, src, n, color, alpha);
    case kAlpha: return run_mode<kAlpha, true>(dst, src, n, color, alpha);
    case kLight: return run_mode<kLight, true>(dst, src, n, color, alpha);
    default: return blend_texels(dst, src, n, mode, color, alpha);
  }
}

}  // namespace pf::render

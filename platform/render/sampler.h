#pragma once
// Texel look-up for pictures and glyphs. Texels are 0xAARRGGBB, straight
// alpha. Nearest sampling takes texel (floor(u), floor(v)). Linear sampling
// works at (u - 0.5, v - 0.5): the integer part picks texels i and i + 1
// (clamped to the picture's edge), the fraction becomes a weight
// w = (int)(fraction * 256 + 0.5) in 0..256, and each channel is
// ((t00 (256 - wx) + t10 wx) (256 - wy) + (t01 (256 - wx) + t11 wx) wy + 32768) >> 16.
// At a texel centre the fraction is 0 and the texel comes back unchanged.
// The sum is exact integer arithmetic, so working the rows first (as the
// row-at-a-time path below does) gives the very same value.
#include <cmath>
#include <cstdint>

namespace pf::render {

struct Tap {
  int i0, i1;  // texel indices, clamped to the picture
  int w;       // weight of i1, 0..256
};

inline Tap linear_tap(float u, int n) {
  const float f = u - 0.5f;
  const float whole = std::floor(f);
  const float frac = f - whole;  // exact: subtracting the integer part
  int i0 = static_cast<int>(whole);
  int i1 = i0 + 1;
  const int w = static_cast<int>(frac * 256.0f + 0.5f);
  if (i0 < 0) i0 = 0;
  if (i1 < 0) i1 = 0;
  if (i0 > n - 1) i0 = n - 1;
  if (i1 > n - 1) i1 = n - 1;
  return {i0, i1, w};
}

inline uint32_t lerp_channel(uint32_t t00, uint32_t t10, uint32_t t01, uint32_t t11, uint32_t wx,
                             uint32_t wy) {
  const uint32_t top = t00 * (256 - wx) + t10 * wx;
  const uint32_t bottom = t01 * (256 - wx) + t11 * wx;
  return (top * (256 - wy) + bottom * wy + 32768) >> 16;
}

// row0 and row1 point at the two texel rows picked by the vertical tap.
inline uint32_t bilinear(const uint32_t* row0, const uint32_t* row1, const Tap& tx, int wy) {
  const uint32_t a = row0[tx.i0], b = row0[tx.i1], c = row1[tx.i0], d = row1[tx.i1];
  if ((a == b && c == d && a == c)) return a;  // flat area: any weights give the texel
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= lerp_channel((a >> shift) & 0xff, (b >> shift) & 0xff, (c >> shift) & 0xff,
                        (d >> shift) & 0xff, static_cast<uint32_t>(tx.w),
                        static_cast<uint32_t>(wy))
           << shift;
  }
  return out;
}

}  // namespace pf::render

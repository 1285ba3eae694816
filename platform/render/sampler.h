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

// Row-at-a-time linear sampling for unrotated pictures: the two texel rows
// that a screen row samples are blended once for the texel columns in use,
// then each pixel blends two of those sums. Each texel's sums are kept as
// (red << 32 | blue) and (alpha << 32 | green), up to 255 * 256 per field.
struct RowSums {
  uint64_t rb, ag;
};

inline RowSums spread(uint32_t t) {
  return {(uint64_t(t >> 16 & 0xff) << 32) | (t & 0xff), (uint64_t(t >> 24) << 32) | (t >> 8 & 0xff)};
}

inline void sum_rows(const uint32_t* row0, const uint32_t* row1, int wy, int u0, int u1,
                     RowSums* out) {
  const uint64_t w0 = uint64_t(256 - wy), w1 = uint64_t(wy);
  for (int u = u0; u < u1; ++u) {
    const RowSums a = spread(row0[u]), b = spread(row1[u]);
    out[u] = {a.rb * w0 + b.rb * w1, a.ag * w0 + b.ag * w1};
  }
}

inline uint32_t sum_columns(const RowSums* sums, const Tap& tx) {
  constexpr uint64_t kHalf = (uint64_t(32768) << 32) | 32768;
  const uint64_t w0 = uint64_t(256 - tx.w), w1 = uint64_t(tx.w);
  const uint64_t rb = sums[tx.i0].rb * w0 + sums[tx.i1].rb * w1 + kHalf;
  const uint64_t ag = sums[tx.i0].ag * w0 + sums[tx.i1].ag * w1 + kHalf;
  return uint32_t(ag >> 48 & 0xff) << 24 | uint32_t(rb >> 48 & 0xff) << 16 |
         uint32_t(ag >> 16 & 0xff) << 8 | uint32_t(rb >> 16 & 0xff);
}

}  // namespace pf::render

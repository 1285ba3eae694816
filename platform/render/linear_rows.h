#pragma once
// Row-at-a-time linear sampling for unturned pictures (the banner's scaled
// glyphs): the two texel rows that a screen row samples are blended once for
// the texel columns in use, then each pixel blends two of those sums. The
// sum is exact integer arithmetic, so rows first gives the same value as the
// columns-first formula in sampler.h.
#include <cstdint>

#include "platform/render/sampler.h"

namespace pf::render {

// One texel column's row sums, blue, green, red, alpha: up to 255 * 256 each.
struct alignas(16) ColumnSums {
  uint32_t c[4];
};

// out[u] for u in [u0, u1): row0[u] * (256 - wy) + row1[u] * wy per channel.
void sum_rows(const uint32_t* row0, const uint32_t* row1, int wy, int u0, int u1,
              ColumnSums* out);

// n sampled texels, pixel i from columns cols[i]. When skip_clear is set a
// pixel whose four texels all have alpha 0 comes out 0 (its colour cannot
// show in the masked, alpha and additive modes).
void sum_columns(const ColumnSums* sums, const Tap* cols, int n, bool skip_clear,
                 uint32_t* out);

}  // namespace pf::render

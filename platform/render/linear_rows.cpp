#include "platform/render/linear_rows.h"

#include <cstring>

#include "platform/render/wide_vectors.h"

namespace pf::render {

namespace {

using Lanes = uint32_t __attribute__((vector_size(16)));
using Bytes = uint8_t __attribute__((vector_size(4)));

[[gnu::always_inline]] inline Lanes load(const ColumnSums& s) {
  Lanes v;
  std::memcpy(&v, s.c, sizeof v);
  return v;
}

[[gnu::always_inline]] inline Lanes spread(uint32_t t) {
  const Lanes shifts = {0, 8, 16, 24};
  return (Lanes{t, t, t, t} >> shifts) & 0xff;
}

}  // namespace

OV_WIDE_VECTORS
void sum_rows(const uint32_t* row0, const uint32_t* row1, int wy, int u0, int u1,
              ColumnSums* out) {
  const uint32_t w0 = 256 - uint32_t(wy), w1 = uint32_t(wy);
  for (int u = u0; u < u1; ++u) {
    const Lanes v = spread(row0[u]) * w0 + spread(row1[u]) * w1;
    std::memcpy(out[u].c, &v, sizeof v);
  }
}

OV_WIDE_VECTORS
void sum_columns(const ColumnSums* sums, const Tap* cols, int n, bool skip_clear,
                 uint32_t* out) {
  for (int i = 0; i < n; ++i) {
    const Tap& tx = cols[i];
    const ColumnSums& a = sums[tx.i0];
    const ColumnSums& b = sums[tx.i1];
    if (skip_clear && (a.c[3] | b.c[3]) == 0) {
      out[i] = 0;
      continue;
    }
    const Lanes v = (load(a) * uint32_t(256 - tx.w) + load(b) * uint32_t(tx.w) + 32768) >> 16;
    const Bytes packed = __builtin_convertvector(v, Bytes);
    std::memcpy(&out[i], &packed, sizeof packed);
  }
}

}  // namespace pf::render

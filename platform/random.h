#pragma once
// PCG32 (O'Neill's permuted congruential generator, XSH RR output, 64-bit
// state, fixed increment): small, fast and the same on every machine.
#include <cstdint>

namespace pf {

class Pcg32 {
 public:
  void seed(uint64_t seed);
  uint32_t next();

 private:
  static constexpr uint64_t mult = 6364136223846793005ULL;
  static constexpr uint64_t inc = 1442695040888963407ULL;
  uint64_t state_ = 0x853c49e6748fea9bULL;
};

}  // namespace pf

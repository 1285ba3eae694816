#include "platform/random.h"

#include "platform/backend.h"
#include "platform/clock.h"

namespace pf {

void Pcg32::seed(uint64_t seed) {
  state_ = 0;
  next();
  state_ += seed;
  next();
}

uint32_t Pcg32::next() {
  const uint64_t old = state_;
  state_ = old * mult + inc;
  const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const uint32_t rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

namespace {
Pcg32 generator;
}

void seed_rnd(int seed) {
  generator.seed(static_cast<uint32_t>(backend().seed_for(seed)));
}

double rnd(double low, double high) {
  const double unit = generator.next() * (1.0 / 4294967296.0);
  return low + (high - low) * unit;
}

int millisecs() { return static_cast<int>(backend().now_ms()); }

void delay(int ms) {
  if (ms > 0) backend().sleep_ms(ms);
}

}  // namespace pf

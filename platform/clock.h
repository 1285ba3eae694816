#pragma once
// The millisecond clock and the game's one random generator.

namespace pf {

int millisecs();    // milliseconds since the platform started
void delay(int ms);  // waits ms milliseconds

// Random reals, uniform in [low, high), from one generator (PCG32, the
// "XSH RR" variant with a fixed stream) so a seed gives the same game on every
// machine. Each real uses 32 random bits: low + (high - low) * (bits / 2^32).
void seed_rnd(int seed);
double rnd(double low, double high);

}  // namespace pf

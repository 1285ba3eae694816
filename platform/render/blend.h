#pragma once
// Blending one fragment into a 0x00RRGGBB frame pixel, and the span loops
// that fill rectangles and lines with one colour. All arithmetic is integer:
// a fragment is an 0x00RRGGBB source colour and an alpha ai in 0..255.
#include <cstdint>

namespace pf::render {

// x / 255 for 0 <= x <= 65152 (any product of two bytes plus 127): exact,
// and cheap enough for the compiler to vectorise.
inline uint32_t div255(uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

// Red and blue travel together in one word (0x00RR00BB), green alone: a
// byte times a byte, plus a byte times a byte, plus 127 stays below 65536,
// so the two fields never carry into each other and one div255 serves both.
constexpr uint32_t kRB = 0x00ff00ff;
inline uint32_t div255_pair(uint32_t x) { return ((x + 0x00010001 + ((x >> 8) & kRB)) >> 8) & kRB; }

inline uint32_t red(uint32_t p) { return (p >> 16) & 0xff; }
inline uint32_t green(uint32_t p) { return (p >> 8) & 0xff; }
inline uint32_t blue(uint32_t p) { return p & 0xff; }
inline uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// Blend modes as numbered by the game.
enum BlendMode : int { kMasked = 1, kSolid = 2, kAlpha = 3, kLight = 4, kShade = 5 };

// One fragment. Masked fragments that fail the 0.5 test never get here, so
// masked and solid both replace the destination.
template <int Mode>
inline uint32_t blend_pixel(uint32_t dst, uint32_t src, uint32_t ai) {
  if constexpr (Mode == kAlpha) {
    const uint32_t na = 255 - ai;
    const uint32_t rb = div255_pair((src & kRB) * ai + (dst & kRB) * na + 0x007f007f);
    const uint32_t g = div255_pair(green(src) * ai + green(dst) * na + 127);
    return rb | (g << 8);
  } else if constexpr (Mode == kLight) {
    const uint32_t r = red(dst) + div255(red(src) * ai + 127);
    const uint32_t g = green(dst) + div255(green(src) * ai + 127);
    const uint32_t b = blue(dst) + div255(blue(src) * ai + 127);
    return rgb(r > 255 ? 255 : r, g > 255 ? 255 : g, b > 255 ? 255 : b);
  } else if constexpr (Mode == kShade) {
    return rgb(div255(red(src) * red(dst) + 127), div255(green(src) * green(dst) + 127),
               div255(blue(src) * blue(dst) + 127));
  } else {
    (void)dst;
    (void)ai;
    return src;
  }
}

// rows runs of n pixels of one colour, each stride pixels after the last,
// blended in the given mode. Masked runs must already have passed the
// alpha test.
void blend_rect(uint32_t* dst, int stride, int n, int rows, int mode, uint32_t src, uint32_t ai);
inline void blend_span(uint32_t* dst, int n, int mode, uint32_t src, uint32_t ai) {
  blend_rect(dst, 0, n, 1, mode, src, ai);
}

}  // namespace pf::render

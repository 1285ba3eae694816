#pragma once
// Blending a run of sampled texels (0xAARRGGBB) into a run of frame pixels:
// each texel is multiplied by the colour and its alpha by the drawing alpha,
// then blended in the given mode. One straight loop per mode, free of
// branches and tables, so the compiler can vectorise it; the float steps are
// the same ones, in the same order, for every pixel and every machine.
#include <cstdint>

namespace pf::render {

// color is the clamped drawing colour 0x00RRGGBB, alpha the clamped alpha.
void blend_texels(uint32_t* dst, const uint32_t* src, int n, int mode, uint32_t color,
                  float alpha);

// The same for texels that all have alpha 255: their alpha is one product,
// worked out once rather than per texel.
void blend_opaque_texels(uint32_t* dst, const uint32_t* src, int n, int mode, uint32_t color,
                         float alpha);

// A fragment's alpha a is texel alpha / 255 times the drawing alpha; the
// renderer works with a * 255, computed as the float product texel alpha x
// alpha. The masked test a >= 0.5 is then a255 >= 127.5, and the blend
// weight ai = (int)(a255 + 0.5).
inline float alpha255(uint32_t ta, float alpha) {
  return static_cast<float>(static_cast<int>(ta)) * alpha;
}
inline bool masked_keeps(float a255) { return a255 >= 127.5f; }
inline uint32_t alpha_byte(float a255) { return static_cast<uint32_t>(static_cast<int>(a255 + 0.5f)); }

}  // namespace pf::render

#pragma once
// The mountain: a ring of 81 columns of 8x8 blocks standing on the ground.
#include <array>
#include <cstdint>
#include <memory>

struct mtn_tag {
  int32_t x = 0;  // left edge of the column
  int32_t h = 0;  // blocks stacked in it

  // Builds fresh heights and places; 1 first makes the 81 columns.
  static int32_t init(int32_t n);
  // One frame of the mountain: scroll, draw and let the falling bomb dig.
  static int32_t draw_secs();
};

constexpr int mtn_cols = 81;
extern std::array<std::unique_ptr<mtn_tag>, mtn_cols> mtn;
extern int32_t expl_ctr;  // blasted blocks to pass in silence before the next explosion sound

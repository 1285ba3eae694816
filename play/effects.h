#pragma once
// Short-lived effects: debris thrown up by blasted blocks, and the fading
// copies the craft and the falling bomb leave behind.
#include <cstdint>
#include <vector>

struct block_tag {
  float x = 0, y = 0;
  float xsp = 0, ysp = 0;  // pixels a frame; ysp < 0 is upward

  static int32_t destroy_all();
};

struct trail_tag {
  float x = 0, y = 0;
  float alpha = 0;
  int32_t frame = 0;  // 0 the craft's picture, 1 the bomb's

  static int32_t destroy_all();
};

// Kept by value in drawing order; an update marks what leaves, and the
// list is compacted after the pass.
extern std::vector<block_tag> block_list;
extern std::vector<trail_tag> trail_list;

int32_t clear_lists();

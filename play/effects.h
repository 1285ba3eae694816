#pragma once
// Short-lived effects: debris thrown up by blasted blocks, and the fading
// copies the craft and the falling bomb leave behind.
#include <cstdint>
#include <vector>

struct block_tag {
  float x = 0, y = 0;
  float xsp = 0, ysp = 0;  // pixels a frame; ysp < 0 is upward
  bool gone = false;       // left its list during this update pass

  static int32_t create_one(float x, float y);
  int32_t update();
  static int32_t update_all();
  static int32_t destroy_all();
};

struct trail_tag {
  float x = 0, y = 0;
  float alpha = 0;
  int32_t frame = 0;  // 0 the craft's picture, 1 the bomb's
  bool gone = false;

  static int32_t create_one(int32_t x, int32_t y, int32_t frame);
  int32_t update();
  static int32_t update_all();
  static int32_t destroy_all();
};

// Kept by value in drawing order. An update that removes its object only
// marks it; the pass erases the marked ones once every object has had its
// turn, so removal never disturbs the iteration.
extern std::vector<block_tag> block_list;
extern std::vector<trail_tag> trail_list;

int32_t clear_lists();

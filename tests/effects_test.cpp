// Debris blocks and trail sprites: how they move, fade, draw and leave
// their lists.
#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/draw.h"
#include "play/effects.h"
#include "tests/play_fixture.h"

namespace {

using EffectsTest = PlayFixture;

constexpr uint32_t debris_colour = rgb(200, 180, 10);

block_tag block(float x, float y, float xsp, float ysp) {
  block_tag b;
  b.x = x;
  b.y = y;
  b.xsp = xsp;
  b.ysp = ysp;
  return b;
}

TEST_F(EffectsTest, TrailSpriteIsDrawnTwentyTimesFadingThenGone) {
  trail_tag::create_one(100, 200, 1);  // a bomb sprite, bomb_img is magenta
  trail_tag::create_one(300, 200, 0);  // a craft sprite, ship_img is cyan
  int last_red = 256;
  for (int update = 1; update <= 20; ++update) {
    ASSERT_EQ(trail_list.size(), 2u) << "before update " << update;
    pf::cls();
    trail_tag::update_all();
    const uint32_t bomb = pixel(104, 210);
    const int red = static_cast<int>(bomb >> 16);
    EXPECT_GT(red, 0) << "drawn in update " << update;
    EXPECT_LT(red, last_red) << "fainter in every update";
    EXPECT_EQ(bomb & 0xFFu, static_cast<uint32_t>(red)) << "the bomb's picture";
    EXPECT_EQ(pixel(112, 210), 0u) << "the bomb sprite is 8 wide";
    EXPECT_NE(pixel(376, 239) & 0xFFu, 0u) << "the craft sprite, update " << update;
    EXPECT_EQ(pixel(376, 239) >> 16, 0u) << "the craft's picture";
    last_red = red;
  }
  EXPECT_NEAR(last_red, 250 * 0.05, 1.5) << "the last draw is at about alpha 0.05";
  EXPECT_TRUE(trail_list.empty());
  pf::cls();
  trail_tag::update_all();
  EXPECT_EQ(pixel(104, 210), 0u);
}

TEST_F(EffectsTest, TrailSpriteKeepsItsPlaceAndStartsOpaque) {
  trail_tag::create_one(-3, 7, 1);
  ASSERT_EQ(trail_list.size(), 1u);
  EXPECT_EQ(trail_list[0].x, -3.0f);
  EXPECT_EQ(trail_list[0].y, 7.0f);
  EXPECT_EQ(trail_list[0].alpha, 1.0f);
  trail_tag::update_all();
  EXPECT_EQ(pixel(0, 7), rgb(250, 0, 250));
  EXPECT_EQ(trail_list[0].x, -3.0f);
}

TEST_F(EffectsTest, DebrisThrownUpAtMinus8PeaksAfter40Frames164Up) {
  block_list.push_back(block(300, 400, 0, -8));
  float top = 400;
  int top_frame = 0;
  for (int frame = 1; frame <= 60; ++frame) {
    block_tag::update_all();
    ASSERT_EQ(block_list.size(), 1u);
    if (block_list[0].y < top - 0.001f) {
      top = block_list[0].y;
      top_frame = frame;
    }
  }
  EXPECT_EQ(top_frame, 40);
  EXPECT_NEAR(top, 400 - 164, 0.01);
  EXPECT_GT(block_list[0].y, top + 10) << "and falls back";
}

TEST_F(EffectsTest, NewDebrisAlwaysStartsUpward) {
  for (int seed = 1; seed <= 50; ++seed) {
    pf::seed_rnd(seed);
    block_tag::create_one(320, 300);
  }
  for (const block_tag& b : block_list) {
    EXPECT_GE(b.xsp, -8.0f);
    EXPECT_LT(b.xsp, 8.0f);
    EXPECT_GE(b.ysp, -8.0f);
    EXPECT_LT(b.ysp, -2.0f);
    EXPECT_EQ(b.x, 320.0f);
    EXPECT_EQ(b.y, 300.0f);
  }
}

TEST_F(EffectsTest, DebrisLeavesOnlyPastTheEdgesAfterOneLastDraw) {
  const struct {
    const char* name;
    block_tag b;
    bool removed;
    int px, py;  // a pixel of the block at its new place
  } cases[] = {
      {"crosses 632 to the right", block(631, 200, 2, -4), true, 639, 196},
      {"lands on 632", block(630, 200, 2, -4), false, 632, 196},
      {"crosses 0 to the left", block(1, 200, -2, -4), true, 0, 196},
      {"lands on 0", block(2, 200, -2, -4), false, 0, 196},
      {"falls past the bottom", block(300, 476, 0, 5), true, -1, -1},
      {"lands on the bottom edge", block(300, 475, 0, 5), false, -1, -1},
      {"high above the top", block(300, -100, 0, -8), false, -1, -1},
  };
  for (const auto& c : cases) {
    block_list.clear();
    block_list.push_back(c.b);
    pf::cls();
    block_tag::update_all();
    EXPECT_EQ(block_list.empty(), c.removed) << c.name;
    if (c.px >= 0) {
      EXPECT_EQ(pixel(c.px, c.py), debris_colour) << c.name;
    }
  }
}

TEST_F(EffectsTest, DragSwapsSidesOfZero) {
  block_list.push_back(block(300, 100, 0, 0));
  std::vector<float> xs;
  for (int frame = 0; frame < 6; ++frame) {
    block_tag::update_all();
    xs.push_back(block_list[0].x);
  }
  // From 0 the speed runs 0, -0.1, 0, -0.1...: a tenth of a pixel left every second frame.
  const std::vector<float> want = {300.0f, 299.9f, 299.9f, 299.8f, 299.8f, 299.7f};
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(xs[i], want[i], 1e-4) << i;
}

TEST_F(EffectsTest, ObjectLeavingMidPassDisturbsNoOther) {
  block_list.push_back(block(100, 100, 1, 0));
  block_list.push_back(block(631, 150, 5, 0));  // leaves in this pass
  block_list.push_back(block(200, 200, -1, 0));
  block_list.push_back(block(300, 478, 0, 5));  // leaves too, last in line
  block_list.push_back(block(400, 300, 2, 0));
  block_tag::update_all();
  ASSERT_EQ(block_list.size(), 3u);
  EXPECT_EQ(block_list[0].x, 101.0f);
  EXPECT_EQ(block_list[1].x, 199.0f);
  EXPECT_EQ(block_list[2].x, 402.0f);
  for (const block_tag& b : block_list) EXPECT_FLOAT_EQ(b.ysp, 0.2f) << "each updated once";

  trail_tag::create_one(10, 10, 0);
  trail_tag::create_one(20, 20, 1);
  for (int i = 0; i < 10; ++i) trail_tag::update_all();
  trail_tag::create_one(30, 30, 1);  // joins half-way: outlives the first two
  for (int i = 0; i < 10; ++i) trail_tag::update_all();
  ASSERT_EQ(trail_list.size(), 1u);
  EXPECT_EQ(trail_list[0].x, 30.0f);
  EXPECT_NEAR(trail_list[0].alpha, 0.5f, 1e-4);
}

TEST_F(EffectsTest, ClearListsEmptiesBoth) {
  for (int i = 0; i < 5; ++i) {
    block_tag::create_one(10.0f * i, 100);
    trail_tag::create_one(10 * i, 100, i % 2);
  }
  clear_lists();
  EXPECT_TRUE(block_list.empty());
  EXPECT_TRUE(trail_list.empty());
}

}  // namespace

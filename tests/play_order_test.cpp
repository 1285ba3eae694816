// The order of things inside one frame of play: the mountain pass before
// the round's step, and within the step which of trails, craft, bomb and
// debris is drawn over which, and which effects age in the frame they are made.
#include <gtest/gtest.h>

#include "platform/draw.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "present/backdrop.h"
#include "tests/play_fixture.h"

namespace {

using PlayOrderTest = PlayFixture;

constexpr uint32_t craft = rgb(0, 250, 250);  // the fixture's craft picture
constexpr uint32_t debris = rgb(200, 180, 10);

block_tag still_block(float x, float y) {
  block_tag b;
  b.x = x;
  b.y = y;
  return b;
}

// The craft at (200, 32); a bomb's trail sprite (magenta) and a motionless
// debris block lie over its middle.
void stage(int32_t phase, int32_t result) {
  round_phase = phase;
  round_result = result;
  msg_alpha = 1.0f;
  dmd_x = 600;
  player->x = 200;
  player->y = 32;
  bomb_on = result == 1 ? 1 : 0;
  bomb_x = 400;
  bomb_y = 440;
  trail_ctr = 100;
  trail_tag::create_one(205, 40, 1);
  block_list.push_back(still_block(230, 40));
}

TEST_F(PlayOrderTest, InFlightTrailsLieUnderTheCraftAndDebrisOverIt) {
  stage(1, 0);
  play_step();
  EXPECT_EQ(pixel(208, 45), craft) << "the trail sprite was drawn before the craft";
  EXPECT_EQ(pixel(233, 43), debris) << "the debris after it";
}

TEST_F(PlayOrderTest, AfterADiamondBothListsLieUnderTheCraft) {
  stage(2, 1);
  play_step();
  EXPECT_EQ(pixel(208, 45), craft);
  EXPECT_EQ(pixel(233, 43), craft);
}

TEST_F(PlayOrderTest, DebrisMovesInTheFrameTheMountainThrowsItUp) {
  // The bomb's tip is in the cell above a column of 20: the pass of this
  // frame blasts the top block, and the same frame's step moves the debris.
  for (auto& col : mtn) col->h = 20;
  stage(1, 0);
  block_list.clear();
  trail_list.clear();
  bomb_on = 1;
  bomb_x = 160;
  bomb_y = 452 - 8 * 20 - 22 + 4;
  draw_backdrop(2);
  play_step();
  ASSERT_EQ(block_list.size(), 1u);
  const block_tag& b = block_list[0];
  const float made_at = 452 - 8 * 20;
  // One move: up by its first speed, which is below -2; then gravity once.
  EXPECT_LT(b.y, made_at - 2);
  EXPECT_NEAR(b.y - made_at + 0.2f, b.ysp, 1e-4);
  // The bomb's sprite of this frame is made after the trails were aged.
  ASSERT_EQ(trail_list.size(), 1u);
  EXPECT_EQ(trail_list[0].frame, 1);
  EXPECT_EQ(trail_list[0].alpha, 1.0f);
}

TEST_F(PlayOrderTest, InPoisonGasTheRestingBombsSpriteAgesAtOnce) {
  round_phase = 2;
  round_result = 2;
  msg_alpha = 1.0f;
  bomb_on = 1;
  bomb_x = 160;
  bomb_y = 444;
  player->x = 280;
  play_step();
  ASSERT_EQ(trail_list.size(), 1u);
  EXPECT_FLOAT_EQ(trail_list[0].alpha, 0.95f) << "made before the trails were updated";
  EXPECT_EQ(pixel(300, 40), 0u) << "no craft in the gas";
}

TEST_F(PlayOrderTest, FlownAwayDrawsOnlyTheBanner) {
  stage(2, 3);
  const size_t trails = trail_list.size(), blocks = block_list.size();
  play_step();
  EXPECT_EQ(pixel(208, 45), 0u);
  EXPECT_EQ(pixel(233, 43), 0u);
  EXPECT_EQ(trail_list.size(), trails);
  EXPECT_EQ(trail_list[0].alpha, 1.0f) << "the trails do not age";
  EXPECT_EQ(block_list.size(), blocks);
  EXPECT_EQ(player->x, 200.0f);
}

}  // namespace

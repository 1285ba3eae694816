// The mountain: how it is built, how it scrolls as a ring, its row colours,
// and the falling bomb digging a column one block a frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "platform/clock.h"
#include "platform/draw.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "tests/play_fixture.h"

namespace {

using MountainTest = PlayFixture;

mtn_tag& column_at(int32_t x) {
  for (auto& col : mtn)
    if (col->x == x) return *col;
  throw std::runtime_error("no column at x " + std::to_string(x));
}

TEST_F(MountainTest, BuildsInPlaceWithOneBlockStepsWithin20To30) {
  std::vector<const mtn_tag*> objects;
  for (const auto& col : mtn) objects.push_back(col.get());
  for (int seed = 1; seed <= 40; ++seed) {
    pf::seed_rnd(seed);
    mtn_tag::init(0);
    EXPECT_GE(mtn[0]->h, 20);
    EXPECT_LE(mtn[0]->h, 29);  // the first column's height is never stepped
    for (int i = 0; i < mtn_cols; ++i) {
      ASSERT_EQ(mtn[i].get(), objects[i]) << "a rebuild keeps the same columns";
      EXPECT_EQ(mtn[i]->x, 8 * i);
      EXPECT_GE(mtn[i]->h, 20);
      EXPECT_LE(mtn[i]->h, 30);
      if (i == 0) continue;
      const int32_t prev = mtn[i - 1]->h, h = mtn[i]->h;
      if (h == prev)
        EXPECT_TRUE(h == 20 || h == 30) << "seed " << seed << " column " << i;
      else
        EXPECT_EQ(std::abs(h - prev), 1) << "seed " << seed << " column " << i;
    }
  }
}

TEST_F(MountainTest, ScrollsAsARingAndIsHomeAfterTheApproach) {
  std::vector<int32_t> built, heights;
  for (const auto& col : mtn) {
    built.push_back(col->x);
    heights.push_back(col->h);
  }
  scroll_sp = 8;
  for (int frame = 1; frame <= 81; ++frame) {
    mtn_tag::draw_secs();
    std::set<int32_t> places;
    for (const auto& col : mtn) places.insert(col->x);
    ASSERT_EQ(places.size(), 81u) << "frame " << frame;
    EXPECT_EQ(*places.begin(), 0) << "frame " << frame;
    EXPECT_EQ(*places.rbegin(), 640) << "frame " << frame;
    // The column built at x 0 leaves at once and comes back at 640, never -8.
    EXPECT_EQ(mtn[0]->x, frame == 81 ? 0 : 648 - 8 * frame) << "frame " << frame;
  }
  for (int i = 0; i < mtn_cols; ++i) {
    EXPECT_EQ(mtn[i]->x, built[i]) << "column " << i;
    EXPECT_EQ(mtn[i]->h, heights[i]) << "a wrapped column keeps its height";
  }
}

TEST_F(MountainTest, RowColoursDarkenAndGreenStopsAtZero) {
  column_at(160).h = 30;
  mtn_tag::draw_secs();
  const struct {
    int k;
    uint32_t colour;
  } rows[] = {{0, rgb(180, 100, 20)}, {1, rgb(176, 96, 20)}, {24, rgb(84, 4, 20)},
              {25, rgb(80, 0, 20)},   {26, rgb(76, 0, 20)},  {29, rgb(64, 0, 20)}};
  for (const auto& row : rows) {
    const int y = 452 - 8 * row.k;
    EXPECT_EQ(pixel(160, y), row.colour) << "row " << row.k;
    EXPECT_EQ(pixel(167, y + 7), row.colour) << "row " << row.k;
  }
  EXPECT_EQ(pixel(163, 452 - 8 * 30 + 3), 0u) << "nothing above the top block";
}

TEST_F(MountainTest, StandingMountainIsRedrawnTheSame) {
  mtn_tag::draw_secs();
  const std::vector<uint32_t> first(pf::frame_pixels(), pf::frame_pixels() + 640 * 480);
  pf::cls();
  mtn_tag::draw_secs();
  const std::vector<uint32_t> second(pf::frame_pixels(), pf::frame_pixels() + 640 * 480);
  EXPECT_TRUE(first == second);
}

struct DigCase {
  int32_t h;
  int32_t expl_ctr_before;
  std::vector<int> loud_hits;  // hits (from 1) on which the explosion sounds
  int32_t expl_ctr_after;
};

class DigTest : public PlayFixture, public ::testing::WithParamInterface<DigCase> {};

TEST_P(DigTest, OneBlockAFrameWithTheExplosionThrottled) {
  const DigCase& c = GetParam();
  mtn_tag& col = column_at(160);
  col.h = c.h;
  expl_ctr = c.expl_ctr_before;
  player->score = 7;
  bomb_on = 1;
  bomb_x = 160;
  std::vector<int> loud;
  std::vector<int32_t> hit_bomb_y;
  int hits = 0;
  // The bomb falls from its carried place, one cell a frame, as update_bomb moves it.
  for (bomb_y = 64; bomb_y <= 440; bomb_y += 8) {
    const int32_t before = col.h;
    mtn_tag::draw_secs();
    if (col.h == before) continue;
    ASSERT_EQ(col.h, before - 1) << "one block a frame";
    ++hits;
    hit_bomb_y.push_back(bomb_y);
    const std::vector<std::string> s = sounds();
    if (!s.empty()) {
      EXPECT_EQ(s, std::vector<std::string>{"expld"});
      loud.push_back(hits);
    }
    // The debris starts in the cell above the removed block, at the bomb's tip.
    ASSERT_EQ(block_list.size(), static_cast<size_t>(hits));
    EXPECT_EQ(block_list.back().x, 160.0f);
    EXPECT_EQ(block_list.back().y, static_cast<float>(452 - 8 * before));
    EXPECT_GT(bomb_y + 22, 452 - 8 * before);
    EXPECT_LT(bomb_y + 22, 460 - 8 * before);
  }
  EXPECT_EQ(hits, c.h);
  EXPECT_EQ(col.h, 0);
  EXPECT_EQ(player->score, 7 + c.h);
  EXPECT_EQ(loud, c.loud_hits);
  EXPECT_EQ(expl_ctr, c.expl_ctr_after);
  // Hits come in consecutive frames, the last one just above the ground.
  for (size_t i = 1; i < hit_bomb_y.size(); ++i) EXPECT_EQ(hit_bomb_y[i], hit_bomb_y[i - 1] + 8);
  if (!hit_bomb_y.empty()) {
    EXPECT_EQ(hit_bomb_y.back(), 424);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, DigTest,
    ::testing::Values(DigCase{22, 0, {1, 6, 11, 16, 21}, 3}, DigCase{30, 0, {1, 6, 11, 16, 21, 26}, 0},
                      DigCase{3, 2, {3}, 4}, DigCase{1, 0, {1}, 4}, DigCase{5, 1, {2}, 1},
                      DigCase{0, 0, {}, 0}));

TEST_F(MountainTest, BombOffEveryColumnOrStillCarriedHitsNothing) {
  const struct {
    const char* name;
    int32_t bomb_on, bomb_x;
  } cases[] = {{"beyond the ring", 1, 680}, {"between columns", 1, 164}, {"carried", 0, 160}};
  for (const auto& c : cases) {
    pf::seed_rnd(3);
    mtn_tag::init(0);
    std::vector<int32_t> heights;
    for (const auto& col : mtn) heights.push_back(col->h);
    bomb_on = c.bomb_on;
    bomb_x = c.bomb_x;
    player->score = 0;
    for (bomb_y = 64; bomb_y <= 448; bomb_y += 8) mtn_tag::draw_secs();
    for (int i = 0; i < mtn_cols; ++i) EXPECT_EQ(mtn[i]->h, heights[i]) << c.name;
    EXPECT_EQ(player->score, 0) << c.name;
    EXPECT_TRUE(block_list.empty()) << c.name;
    EXPECT_TRUE(sounds().empty()) << c.name;
  }
}

}  // namespace

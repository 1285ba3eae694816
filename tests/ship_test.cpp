// The craft and its bomb: the fire inputs, the craft's move and trail, the
// bomb's fall and how it settles the round, and the start of games and rounds.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/input_state.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "tests/play_fixture.h"

namespace {

using ShipTest = PlayFixture;
using Strings = std::vector<std::string>;

struct FireCase {
  const char* name;
  std::function<void(pf::InputState&)> press;
  bool fires;
  std::function<int(pf::InputState&)> still_pending;  // presses left for a later frame
  int pending;
};

TEST_F(ShipTest, FireInputsAreAskedInOrderUpToTheFirstHit) {
  const FireCase cases[] = {
      {"Enter", [](pf::InputState& in) { in.key_hits[13] = 1; }, true, nullptr, 0},
      {"cursor down", [](pf::InputState& in) { in.key_hits[40] = 1; }, true, nullptr, 0},
      {"left Control", [](pf::InputState& in) { in.key_hits[162] = 1; }, true, nullptr, 0},
      {"left button", [](pf::InputState& in) { in.mouse_hits[1] = 1; }, true, nullptr, 0},
      {"right button", [](pf::InputState& in) { in.mouse_hits[2] = 1; }, true, nullptr, 0},
      {"joystick button 0", [](pf::InputState& in) { in.joys[0].hits[0] = 1; }, true, nullptr, 0},
      {"middle button", [](pf::InputState& in) { in.mouse_hits[3] = 1; }, false, nullptr, 0},
      {"Space", [](pf::InputState& in) { in.key_hits[32] = 1; }, false, nullptr, 0},
      {"joystick button 1", [](pf::InputState& in) { in.joys[0].hits[1] = 1; }, false, nullptr, 0},
      {"Enter and cursor down",
       [](pf::InputState& in) {
         in.key_hits[13] = 1;
         in.key_hits[40] = 1;
       },
       true, [](pf::InputState& in) { return in.key_hits[40]; }, 1},
      {"Control and joystick",
       [](pf::InputState& in) {
         in.key_hits[162] = 1;
         in.joys[0].hits[0] = 2;
       },
       true, [](pf::InputState& in) { return in.joys[0].hits[0]; }, 2},
      {"two clicks taken by one query",
       [](pf::InputState& in) { in.mouse_hits[1] = 2; }, true,
       [](pf::InputState& in) { return in.mouse_hits[1]; }, 0},
  };
  for (const FireCase& c : cases) {
    pf::InputState& in = pf::input_state();
    in = pf::InputState{};
    in.joy_added(pf::headless_joystick_id);
    bomb_on = 0;
    c.press(in);
    player->get_inputs();
    EXPECT_EQ(bomb_on, c.fires ? 1 : 0) << c.name;
    EXPECT_EQ(sounds(), c.fires ? Strings{"dbomb"} : Strings{}) << c.name;
    if (c.still_pending) {
      EXPECT_EQ(c.still_pending(in), c.pending) << c.name;
    }
  }
}

TEST_F(ShipTest, PressWhileTheBombFallsOnlySoundsAgain) {
  bomb_on = 1;
  bomb_x = 160;
  bomb_y = 200;
  player->x = 300;
  pf::input_state().key_hits[13] = 1;
  player->get_inputs();
  EXPECT_EQ(sounds(), Strings{"dbomb"});
  EXPECT_EQ(bomb_on, 1);
  EXPECT_EQ(bomb_x, 160);
  EXPECT_EQ(bomb_y, 200);
  EXPECT_EQ(player->x, 300.0f);
  EXPECT_TRUE(trail_list.empty());
}

TEST_F(ShipTest, CraftStandsDuringTheApproachWithTheBombUnderIt) {
  player_tag::reset(1);
  trail_ctr = 5;
  for (int frame = 0; frame < 3; ++frame) {
    pf::cls();
    player->update();
    EXPECT_EQ(player->x, 16.0f);
    EXPECT_EQ(bomb_x, 56);
    EXPECT_EQ(bomb_y, 64);
  }
  EXPECT_EQ(trail_ctr, 5);
  EXPECT_TRUE(trail_list.empty());
  EXPECT_EQ(pixel(16, 32), rgb(0, 250, 250)) << "craft at its corner";
  EXPECT_EQ(pixel(92, 71), rgb(0, 250, 250));
  EXPECT_EQ(pixel(56, 84), rgb(250, 0, 250)) << "bomb under the craft's middle";
  EXPECT_EQ(pixel(63, 84), rgb(250, 0, 250));
  EXPECT_EQ(pixel(56, 85), 0u) << "the bomb is 21 high";
}

TEST_F(ShipTest, FlyingCraftLeavesATrailWhereItWillBeNext) {
  const struct {
    int32_t ctr_before;
    int first_trail_move;
  } cases[] = {{3, 3}, {8, 8}, {1, 1}, {0, 1}, {-4, 1}};
  for (const auto& c : cases) {
    clear_lists();
    player->x = 16;
    player->y = 32;
    trail_ctr = c.ctr_before;
    std::vector<int> trail_moves;
    for (int move = 1; move <= 30; ++move) {
      const size_t before = trail_list.size();
      player->update();
      ASSERT_EQ(player->x, 16.0f + 8 * move);
      ASSERT_EQ(player->y, 32.0f);
      // The carried bomb follows the craft's new place.
      ASSERT_EQ(bomb_x, 16 + 8 * move + 40);
      ASSERT_EQ(bomb_y, 64);
      if (trail_list.size() == before) continue;
      trail_moves.push_back(move);
      EXPECT_EQ(trail_list.back().x, player->x);
      EXPECT_EQ(trail_list.back().y, 32.0f);
      EXPECT_EQ(trail_list.back().frame, 0);
    }
    ASSERT_FALSE(trail_moves.empty());
    EXPECT_EQ(trail_moves[0], c.first_trail_move) << "trail_ctr " << c.ctr_before;
    for (size_t i = 1; i < trail_moves.size(); ++i) EXPECT_EQ(trail_moves[i], trail_moves[i - 1] + 8);
  }
}

TEST_F(ShipTest, CraftOffTheScreen) {
  const struct {
    const char* name;
    int32_t bomb_on;
    int32_t result_after;
  } cases[] = {{"with the bomb on board it has flown away", 0, 3},
               {"after the release it just stops", 1, 0}};
  for (const auto& c : cases) {
    round_phase = 1;
    round_result = 0;
    msg_alpha = 0;
    player->x = 640;
    bomb_on = c.bomb_on;
    bomb_x = 200;
    bomb_y = 100;
    pf::cls();
    player->update();
    EXPECT_EQ(round_result, c.result_after) << c.name;
    EXPECT_EQ(round_phase, c.result_after == 3 ? 2 : 1) << c.name;
    EXPECT_EQ(msg_alpha, c.result_after == 3 ? 1.0f : 0.0f) << c.name;
    EXPECT_EQ(player->x, 640.0f) << c.name;
    EXPECT_EQ(pixel(639, 40), 0u) << c.name << ": no craft drawn";
  }
}

struct BottomCase {
  const char* name;
  int32_t phase, result;  // round state as the bomb takes its last step
  int32_t dmd;            // the diamond's x; the bomb falls at x 160
  int32_t level;
  Strings sounds;
  int32_t bomb_y_after, phase_after, result_after, score_gain, level_after;
};

TEST_F(ShipTest, BombAtTheBottomSettlesTheRound) {
  const BottomCase cases[] = {
      {"on the diamond at level 1", 1, 0, 160, 1, {"dmond"}, 440, 2, 1, 10, 2},
      {"on the diamond at level 2", 1, 0, 160, 2, {"dmond"}, 440, 2, 1, 20, 3},
      {"beside the diamond", 1, 0, 168, 3, {"psgas"}, 444, 2, 2, 0, 3},
      {"resting in the gas", 2, 2, 168, 3, {}, 444, 2, 2, 0, 3},
  };
  for (const BottomCase& c : cases) {
    clear_lists();
    round_phase = c.phase;
    round_result = c.result;
    msg_alpha = 0.5f;
    dmd_x = c.dmd;
    player->level = c.level;
    player->score = 100;
    bomb_on = 1;
    bomb_x = 160;
    bomb_y = c.phase == 2 ? 444 : 440;
    update_bomb();
    EXPECT_EQ(sounds(), c.sounds) << c.name;
    EXPECT_EQ(bomb_y, c.bomb_y_after) << c.name;
    EXPECT_EQ(bomb_x, 160) << c.name;
    EXPECT_EQ(round_phase, c.phase_after) << c.name;
    EXPECT_EQ(round_result, c.result_after) << c.name;
    EXPECT_EQ(player->score, 100 + c.score_gain) << c.name;
    EXPECT_EQ(player->level, c.level_after) << c.name;
    EXPECT_EQ(msg_alpha, c.sounds.empty() ? 0.5f : 1.0f) << c.name;
    // Every falling step, the resting one in the gas too, leaves a bomb sprite.
    ASSERT_EQ(trail_list.size(), 1u) << c.name;
    EXPECT_EQ(trail_list[0].frame, 1) << c.name;
    EXPECT_EQ(trail_list[0].y, c.phase == 2 ? 444.0f : 440.0f) << c.name;
  }
}

TEST_F(ShipTest, BombOnTheDiamondStaysWhileTheCraftFliesOn) {
  round_phase = 2;
  round_result = 1;
  bomb_on = 1;
  bomb_x = 160;
  bomb_y = 440;
  player->x = 400;
  for (int frame = 0; frame < 5; ++frame) player->update();
  EXPECT_EQ(bomb_x, 160);
  EXPECT_EQ(bomb_y, 440);
  EXPECT_EQ(player->x, 440.0f);
}

TEST_F(ShipTest, NewGameAndNextRound) {
  player->best_sc = 77;
  bomb_x = 333;
  bomb_y = 444;
  trail_ctr = 3;
  expl_ctr = 2;
  const std::array<int32_t, 2> kinds = {1, 0};
  for (int32_t n : kinds) {
    player->score = 50;
    player->level = 4;
    player->new_bs = 1;
    player->x = 500;
    round_phase = 2;
    round_result = 1;
    bomb_on = 1;
    msg_alpha = 0.2f;
    for (auto& col : mtn) col->h = 0;
    block_tag::create_one(10, 10);
    trail_tag::create_one(10, 10, 0);
    player_tag::reset(n);
    EXPECT_EQ(player->score, n ? 0 : 50) << n;
    EXPECT_EQ(player->level, n ? 1 : 4) << n;
    EXPECT_EQ(player->new_bs, n ? 0 : 1) << n;
    EXPECT_EQ(player->best_sc, 77) << n;
    EXPECT_EQ(player->x, 16.0f);
    EXPECT_EQ(player->y, 32.0f);
    EXPECT_EQ(round_phase, 0);
    EXPECT_EQ(round_result, 0);
    EXPECT_EQ(scroll_sp, 8);
    EXPECT_EQ(msg_alpha, 1.0f);
    EXPECT_EQ(bomb_on, 0);
    EXPECT_EQ(dmd_tx % 8, 0);
    EXPECT_GE(dmd_tx, 80);
    EXPECT_LE(dmd_tx, 552);
    EXPECT_EQ(dmd_x, dmd_tx + 640);
    EXPECT_EQ(mtn[0]->x, 0);
    EXPECT_GE(mtn[0]->h, 20) << "the mountain is rebuilt";
    EXPECT_TRUE(block_list.empty());
    EXPECT_TRUE(trail_list.empty());
    // Left as they were: the bomb's place and the two counters.
    EXPECT_EQ(bomb_x, 333);
    EXPECT_EQ(bomb_y, 444);
    EXPECT_EQ(trail_ctr, 3);
    EXPECT_EQ(expl_ctr, 2);
  }
}

}  // namespace

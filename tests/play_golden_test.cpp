// Frames of play from the headless runner compared with pictures checked by
// eye: the approach, flight, digging, the three banners and the pause menu.
#include <gtest/gtest.h>

#include "tests/play_plan.h"

namespace {

constexpr int seed = 1;
constexpr int start = game_start;

int first_hit_after(const Trace& t, int g) {
  for (int n = g + 1; n <= t.frames(); ++n)
    if (t.num(n, "score") > t.num(g, "score")) return n;
  return -1;
}

TEST(PlayFrames, WithoutADrop) {
  const int approach = start + 40, flight = start + 81 + 30, away = start + 159 + 20;
  const RunResult& run = cached_run(
      game(start_game_input(), away, seed, {approach, flight, away}));
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_GE(run.trace.num(flight, "trails"), 2);
  EXPECT_EQ(compare_golden(run.shot(approach), "play_approach"), "");
  EXPECT_EQ(compare_golden(run.shot(flight), "play_flight"), "");
  EXPECT_EQ(compare_golden(run.shot(away), "play_flown_away"), "");
}

TEST(PlayFrames, DiggingAndTheDiamond) {
  const Trace& plan = cached_run(game(start_game_input(), 280, seed)).trace;
  const int g = drop_frame(plan, 0);
  ASSERT_GT(g, 0);
  const std::string input = start_game_input() + fire_at(g);
  const Trace& once = cached_run(game(input, g + 80, seed)).trace;
  const int dig = first_hit_after(once, g) + 6, diamond = g + 48 + 20;
  ASSERT_GT(once.num(dig, "blocks"), 3);
  const RunResult& run =
      cached_run(game(input, diamond, seed, {dig, diamond}));
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(compare_golden(run.shot(dig), "play_dig"), "");
  EXPECT_EQ(compare_golden(run.shot(diamond), "play_diamond"), "");
}

TEST(PlayFrames, PoisonGasAndTheTitleAfterIt) {
  const Trace& plan = cached_run(game(start_game_input(), 280, seed)).trace;
  const int g = drop_frame(plan, 8);
  ASSERT_GT(g, 0);
  const int gas = g + 48 + 20, title = g + 48 + 103;
  const RunResult& run =
      cached_run(game(start_game_input() + fire_at(g), title, seed, {gas, title}));
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.trace.num(gas, "round_result"), 2);
  EXPECT_EQ(run.trace.num(title, "game_mode"), 4);
  EXPECT_EQ(compare_golden(run.shot(gas), "play_poison_gas"), "");
  // The score line over the title still shows the lost game's score.
  EXPECT_EQ(compare_golden(run.shot(title), "play_title_after_gas"), "");
}

// The paused screen is the play frame shown last, tinted dark blue, with the
// menu and a fresh score line over it.
TEST(PlayFrames, PauseMenuOverTheDarkenedPlayFrame) {
  const Trace& plan = cached_run(game(start_game_input(), 280, seed)).trace;
  const int g = drop_frame(plan, 0);
  ASSERT_GT(g, 0);
  const int shown = g + 12, paused = g + 15;
  const RunResult& run = cached_run(game(start_game_input() + fire_at(g) + fire_at(shown + 1, 32), paused, seed, {shown, paused}));
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.num(paused, "game_mode"), 3);
  EXPECT_EQ(compare_golden(run.shot(paused), "play_paused"), "");

  const std::vector<uint32_t> play = read_png_pixels(run.shot(shown));
  const std::vector<uint32_t> menu = read_png_pixels(run.shot(paused));
  ASSERT_EQ(play.size(), 640u * 480u);
  ASSERT_EQ(menu.size(), play.size());
  // The ground strip and the foot of the mountain, clear of the menu.
  const struct {
    int x, y;
  } spots[] = {{2, 470}, {600, 478}, {4, 455}, {630, 440}};
  for (const auto& s : spots) {
    const uint32_t a = play[s.y * 640 + s.x], b = menu[s.y * 640 + s.x];
    const int tint[3] = {30, 30, 80};
    for (int c = 0; c < 3; ++c) {
      const int src = static_cast<int>(a >> (16 - 8 * c) & 255);
      const int got = static_cast<int>(b >> (16 - 8 * c) & 255);
      EXPECT_NEAR(got, src * tint[c] / 255.0, 1.0) << s.x << "," << s.y << " channel " << c;
    }
  }
}

}  // namespace

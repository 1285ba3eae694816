// Whole rounds in the headless runner: the approach, a bomb on the diamond,
// poison gas, flying away, extra fire presses, pausing mid-fall and the
// best score.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/play_plan.h"

namespace {

using Strings = std::vector<std::string>;
constexpr int seed = 1;
constexpr int start = game_start;  // reset(1) ran in this frame

const RunResult& no_drop_run() {
  return cached_run(game(start_game_input(), 280, seed));
}

// A game with bombs fired at the given frames.
const RunResult& drop_run(std::vector<std::string> extra, int frames) {
  std::string input = start_game_input();
  for (const std::string& line : extra) input += line;
  return cached_run(game(input, frames, seed));
}

int diamond_drop() {
  const int g = drop_frame(no_drop_run().trace, 0);
  EXPECT_GT(g, 0) << "no frame puts the bomb over the diamond";
  return g;
}

int gas_drop() { return drop_frame(no_drop_run().trace, 8); }

// Counts the frames of an approach that drew "Get Ready!": those that began
// with the banner's alpha above 0.
int get_ready_frames(const Trace& t, int reset_frame) {
  int drawn = 0;
  for (int n = reset_frame + 1; n <= reset_frame + 81; ++n) drawn += t.real(n - 1, "msg_alpha") != 0;
  return drawn;
}

TEST(Round, ApproachTakes81FramesAndEndsWithOneArrivalSound) {
  const RunResult& run = no_drop_run();
  ASSERT_EQ(run.status, 0) << run.errors;
  const Trace& t = run.trace;
  ASSERT_EQ(t.num(start, "game_mode"), 2);
  ASSERT_EQ(t.num(start, "round_phase"), 0);
  for (int n = start + 1; n <= start + 80; ++n) {
    EXPECT_EQ(t.num(n, "round_phase"), 0) << n;
    EXPECT_EQ(t.num(n, "scroll_sp"), 8) << n;
    EXPECT_EQ(t.real(n, "ship_x"), 16.0) << "the craft waits, frame " << n;
    EXPECT_EQ(t.num(n, "dmd_x"), t.num(n - 1, "dmd_x") - 8) << n;
  }
  const int arrival = start + 81;
  EXPECT_EQ(t.num(arrival, "round_phase"), 1);
  EXPECT_EQ(t.num(arrival, "scroll_sp"), 0);
  EXPECT_EQ(t.num(arrival, "dmd_tx"), -1);
  EXPECT_EQ(t.num(arrival, "dmd_x"), t.num(start, "dmd_tx") - 8);
  EXPECT_EQ(t.real(arrival, "ship_x"), 24.0) << "the first move comes in the arrival frame";
  EXPECT_EQ(sound_names(t, arrival), Strings{"flyin"});
  EXPECT_EQ(count_sound(t, "flyin"), 1);
  EXPECT_EQ(get_ready_frames(t, start), 51) << "after a new game the banner starts at 1.0";

  // One whole turn of the ring: every column is back where it was built.
  const auto built = columns(t, start);
  ASSERT_EQ(built.size(), 81u);
  for (int i = 0; i < 81; ++i) EXPECT_EQ(built[i].first, 8 * i);
  EXPECT_EQ(columns(t, arrival), built);

  // The marker comes in over the base of one column and stays with it.
  const int resting = t.num(arrival, "dmd_x");
  int column = -1;
  for (int i = 0; i < 81; ++i)
    if (built[i].first == resting) column = i;
  ASSERT_GE(column, 0);
  for (int n = start + 1; n <= arrival; ++n) {
    if (t.num(n, "dmd_x") > 640) continue;
    EXPECT_EQ(columns(t, n)[column].first, t.num(n, "dmd_x")) << n;
  }
}

TEST(Round, FlyingAwayShowsOnlyTheBannerFor102FramesThenTheTitle) {
  const Trace& t = no_drop_run().trace;
  const int last_move = start + 158;  // 78 moves take the craft from 16 to 640
  EXPECT_EQ(t.real(last_move, "ship_x"), 640.0);
  EXPECT_EQ(t.num(last_move, "round_result"), 0);
  const int away = last_move + 1;
  EXPECT_EQ(t.num(away, "round_result"), 3);
  EXPECT_EQ(t.num(away, "round_phase"), 2);
  for (int n = away + 1; n < away + 102; ++n) {
    EXPECT_EQ(t.num(n, "game_mode"), 2) << n;
    // Nothing moves or ages: marker, trails and debris stand unseen.
    EXPECT_EQ(t.num(n, "trails"), t.num(away, "trails")) << n;
    EXPECT_EQ(t.num(n, "blocks"), t.num(away, "blocks")) << n;
    EXPECT_EQ(t.raw(n, "bomb_y"), t.raw(away, "bomb_y")) << n;
  }
  EXPECT_EQ(t.num(away + 102, "game_mode"), 4);
  for (int n = 1; n <= t.frames(); ++n) EXPECT_EQ(t.real(n, "ship_y"), 32.0) << n;
  EXPECT_EQ(count_sound(t, "dbomb"), 0);
  EXPECT_EQ(count_sound(t, "psgas"), 0);
}

TEST(Round, BombOnTheDiamondScoresAndStartsTheNextRound) {
  const int g1 = diamond_drop();
  const RunResult& first = drop_run({fire_at(g1)}, 460);
  const Trace& t1 = first.trace;
  ASSERT_EQ(first.status, 0) << first.errors;
  const int r1 = first_frame(t1, "round_result", 1, g1);
  ASSERT_GT(r1, 0);
  const int next = r1 + 102;
  // Plan the second round's drop from this run, then play both.
  const int g2 = drop_frame(t1, 0, next);
  ASSERT_GT(g2, 0);
  const RunResult& run = drop_run({fire_at(g1), fire_at(g2)}, g2 + 240);
  const Trace& t = run.trace;

  const struct {
    int release, level;
  } rounds[] = {{g1, 1}, {g2, 2}};
  for (const auto& round : rounds) {
    const int g = round.release;
    const int x = t.num(g, "bomb_x");
    ASSERT_EQ(x, t.num(g, "dmd_x"));
    EXPECT_EQ(t.num(g, "bomb_on"), 1);
    EXPECT_EQ(sound_names(t, g), Strings{"dbomb"});
    const int h = height_at(t, g, x);
    const int score = t.num(g, "score");
    const int r = first_frame(t, "round_result", 1, g);
    ASSERT_EQ(r, g + 48) << "from y 64 to the bottom in 48 steps";
    // One block a frame, a point each, then the bonus.
    for (int n = g + 1; n < r; ++n) EXPECT_LE(t.num(n, "score") - t.num(n - 1, "score"), 1) << n;
    EXPECT_EQ(t.num(r - 1, "score"), score + h);
    EXPECT_EQ(height_at(t, r, x), 0);
    EXPECT_EQ(t.num(r, "score"), score + h + 10 * round.level);
    EXPECT_EQ(t.num(r, "level"), round.level + 1);
    EXPECT_EQ(t.num(r, "bomb_y"), 440);
    EXPECT_EQ(sound_names(t, r), Strings{"dmond"});
    // The craft flies on during the banner; the next round comes in the 102nd frame.
    if (t.real(r, "ship_x") < 600) {
      EXPECT_GT(t.real(r + 5, "ship_x"), t.real(r, "ship_x"));
    }
    EXPECT_EQ(t.num(r + 101, "round_phase"), 2);
    const int reset = r + 102;
    EXPECT_EQ(t.num(reset, "round_phase"), 0);
    EXPECT_EQ(t.num(reset, "round_result"), 0);
    EXPECT_EQ(static_cast<float>(t.real(reset, "msg_alpha")), 0.99f);
    EXPECT_EQ(t.num(reset, "level"), round.level + 1);
    EXPECT_EQ(t.num(reset, "blocks"), 0);
    EXPECT_EQ(t.num(reset, "trails"), 0);
    EXPECT_EQ(t.real(reset, "ship_x"), 16.0);
    EXPECT_EQ(sound_names(t, reset), Strings{"start"});
    EXPECT_EQ(get_ready_frames(t, reset), 50) << "after a diamond the banner starts at 0.99";
    EXPECT_EQ(sound_names(t, reset + 81), Strings{"flyin"});
  }
  EXPECT_EQ(t.num(t.frames(), "game_mode"), 2);
}

TEST(Round, BombBesideTheDiamondEndsTheGameInPoisonGas) {
  const int g = gas_drop();
  ASSERT_GT(g, 0);
  const RunResult& run = drop_run({fire_at(g)}, g + 170);
  const Trace& t = run.trace;
  const int x = t.num(g, "bomb_x");
  ASSERT_EQ(x, t.num(g, "dmd_x") + 8);
  const int h = height_at(t, g, x);
  const int p = first_frame(t, "round_result", 2, g);
  ASSERT_EQ(p, g + 48);
  EXPECT_EQ(t.num(p, "score"), h);
  EXPECT_EQ(t.num(p, "level"), 1);
  EXPECT_EQ(t.num(p, "bomb_y"), 444);
  EXPECT_EQ(sound_names(t, p), Strings{"psgas"});
  for (int n = p + 1; n < p + 102; ++n) {
    EXPECT_EQ(t.num(n, "game_mode"), 2) << n;
    EXPECT_EQ(t.raw(n, "ship_x"), t.raw(p, "ship_x")) << "the craft is gone, frame " << n;
    EXPECT_EQ(t.num(n, "bomb_y"), 444) << n;
  }
  EXPECT_EQ(count_sound(t, "psgas"), 1);
  EXPECT_EQ(t.num(p + 102, "game_mode"), 4);
  for (int n = p + 102; n <= t.frames(); ++n) {
    EXPECT_EQ(t.num(n, "score"), h) << "the title still shows the score";
    EXPECT_EQ(t.num(n, "best_sc"), h);
  }
}

TEST(Round, SecondFirePressOnlySoundsAgain) {
  const int g = diamond_drop();
  const Trace& once = drop_run({fire_at(g)}, g + 60).trace;
  const struct {
    const char* name;
    std::vector<std::string> fire;
    int again;  // the frame with the second drop sound
  } cases[] = {
      {"a press while the bomb falls", {fire_at(g), fire_at(g + 3)}, g + 3},
      {"Enter and cursor down together", {fire_at(g), fire_at(g, 40)}, g + 1},
      {"Control and a click together", {fire_at(g, 162), std::to_string(g) + " mouse 1\n"}, g + 1},
  };
  for (const auto& c : cases) {
    const Trace& t = drop_run(c.fire, g + 60).trace;
    ASSERT_EQ(t.frames(), once.frames()) << c.name;
    for (int n = 1; n <= t.frames(); ++n) {
      Strings want = sound_names(once, n);
      if (n == c.again) want.insert(want.begin(), "dbomb");
      EXPECT_EQ(sound_names(t, n), want) << c.name << ", frame " << n;
      // Nothing else differs from a single press.
      std::string a = t.lines[n - 1], b = once.lines[n - 1];
      a.erase(a.find("\"sounds\""), a.find("\"music\"") - a.find("\"sounds\""));
      b.erase(b.find("\"sounds\""), b.find("\"music\"") - b.find("\"sounds\""));
      EXPECT_EQ(a, b) << c.name << ", frame " << n;
    }
  }
}

TEST(Round, PressAsTheCraftLeavesTheScreen) {
  const int last_move = start + 158;
  {
    // Released from x 640: the bomb at 680 meets no column and ends in gas.
    const Trace& t = drop_run({fire_at(last_move)}, last_move + 160).trace;
    EXPECT_EQ(t.num(last_move, "bomb_x"), 680);
    EXPECT_EQ(t.num(last_move, "bomb_on"), 1);
    EXPECT_EQ(t.num(last_move + 1, "round_result"), 0) << "not flown away";
    EXPECT_EQ(t.num(last_move + 1, "bomb_y"), 72);
    const int p = first_frame(t, "round_result", 2, last_move);
    EXPECT_EQ(p, last_move + 48);
    EXPECT_EQ(t.num(p, "score"), 0);
    EXPECT_EQ(count_sound(t, "expld"), 0);
    EXPECT_EQ(t.num(p + 102, "game_mode"), 4);
  }
  {
    // One frame later the round is already lost; the press still sounds.
    const int away = last_move + 1;
    const Trace& t = drop_run({fire_at(away)}, away + 110).trace;
    EXPECT_EQ(t.num(away, "round_result"), 3);
    EXPECT_EQ(t.num(away, "bomb_on"), 1);
    EXPECT_EQ(sound_names(t, away), Strings{"dbomb"});
    for (int n = away; n <= t.frames(); ++n) EXPECT_EQ(t.num(n, "bomb_y"), 64) << n;
    EXPECT_EQ(count_sound(t, "psgas"), 0);
    EXPECT_EQ(t.num(away + 102, "game_mode"), 4);
  }
}

TEST(Round, PauseMidFallResumesExactlyWhereItStood) {
  const int g = diamond_drop();
  const int pause = g + 6, paused = 10;  // Space seen after frame g + 5, and again ten frames on
  const Trace& straight = drop_run({fire_at(g)}, g + 80).trace;
  const RunResult& run = drop_run(
      {fire_at(g), fire_at(pause, 32), fire_at(pause + paused, 32)}, g + 80 + paused);
  const Trace& t = run.trace;
  ASSERT_EQ(t.frames(), straight.frames() + paused);
  for (int n = 1; n < pause; ++n) EXPECT_EQ(t.lines[n - 1], straight.lines[n - 1]) << n;
  for (int n = pause; n < pause + paused; ++n) {
    EXPECT_EQ(t.num(n, "game_mode"), 3) << n;
    EXPECT_EQ(t.raw(n, "bomb_y"), straight.raw(pause - 1, "bomb_y")) << n;
    EXPECT_EQ(t.raw(n, "mtn"), straight.raw(pause - 1, "mtn")) << n;
    EXPECT_EQ(sound_names(t, n), Strings{}) << n;
  }
  for (int n = pause + paused; n <= t.frames(); ++n)
    EXPECT_EQ(without_frame(t.lines[n - 1]), without_frame(straight.lines[n - paused - 1])) << n;
}

TEST(Round, BestScoreRisesBlockByBlockAndIsKeptAtExit) {
  namespace fs = std::filesystem;
  const int g = diamond_drop();
  const RunResult& plain = drop_run({fire_at(g)}, g + 60);
  const std::string dir = plain.dir + "-best";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy(fs::path(plain.dir) / "data", fs::path(dir) / "data",
           fs::copy_options::recursive);
  fs::remove(fs::path(dir) / "data" / "hiscore.dat");
  const int before = 5;
  {
    std::ofstream f(fs::path(dir) / "data" / "hiscore.dat", std::ios::binary);
    f.write("\x05\x00\x00\x00\x07", 5);  // bytes after the first four are ignored
  }
  std::string input = start_game_input() + fire_at(g);
  const RunResult run = run_headless(game(input, g + 60, seed, {}, dir));
  ASSERT_EQ(run.status, 0) << run.errors;
  const Trace& t = run.trace;
  int rises = 0;
  for (int n = start; n <= t.frames(); ++n) {
    const long long score = t.num(n, "score");
    EXPECT_EQ(t.num(n, "best_sc"), std::max<long long>(before, score)) << n;
    EXPECT_EQ(t.num(n, "new_bs"), score > before ? 1 : 0) << n;
    if (n > start && t.num(n, "best_sc") == t.num(n - 1, "best_sc") + 1) ++rises;
  }
  const int final_best = t.num(t.frames(), "best_sc");
  EXPECT_GT(final_best, before + 10);
  EXPECT_EQ(rises, final_best - before - 10) << "one block at a time until the bonus";

  std::ifstream f(fs::path(dir) / "data" / "hiscore.dat", std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), {});
  std::vector<unsigned char> want;  // least significant byte first
  for (int shift = 0; shift < 32; shift += 8) want.push_back(static_cast<unsigned char>(final_best >> shift));
  EXPECT_EQ(bytes, want);
  fs::remove_all(dir);
}

}  // namespace

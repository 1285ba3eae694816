// The maker's-logo splash before the title menu: how long it lasts, what
// cuts it short, what it leaves behind for the title menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/scenario.h"
#include "tests/shell_runs.h"

namespace {

// Left alone: one run shared by the tests that need the whole splash.
class IntroLeftAlone : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    run_ = new RunResult(run_headless({.frames = 329, .shots = {1, 226, 227, 326, 327}}));
  }
  static void TearDownTestSuite() {
    delete run_;
    run_ = nullptr;
  }
  static RunResult* run_;
};

RunResult* IntroLeftAlone::run_ = nullptr;

TEST_F(IntroLeftAlone, Shows326FramesThenTheTitle) {
  ASSERT_EQ(run_->status, 0) << run_->errors;
  ASSERT_EQ(run_->trace.frames(), 329);
  // The fade ends with alpha at exactly 0: one frame after the hundredth step.
  EXPECT_EQ(first_in_mode(run_->trace, 4), 327);
  EXPECT_EQ(run_->trace.num(326, "game_mode"), 0);
  EXPECT_EQ(run_->trace.raw(327, "pointer"), "[320, 240]");
}

TEST_F(IntroLeftAlone, HoldsTheLogoThenFadesIt) {
  ASSERT_EQ(run_->status, 0) << run_->errors;
  const std::vector<uint32_t> first = read_png_pixels(run_->shot(1));
  const std::vector<uint32_t> held = read_png_pixels(run_->shot(226));
  const std::vector<uint32_t> fading = read_png_pixels(run_->shot(227));
  const std::vector<uint32_t> last = read_png_pixels(run_->shot(326));
  ASSERT_FALSE(first.empty());
  EXPECT_TRUE(held == first) << "the logo stays at full strength up to frame 226";
  EXPECT_FALSE(fading == held) << "the fade starts at frame 227";
  EXPECT_FALSE(last == fading);
}

TEST_F(IntroLeftAlone, StartsTheMusicOnceAndPlaysNoEffect) {
  ASSERT_EQ(run_->status, 0) << run_->errors;
  for (int n = 1; n <= run_->trace.frames(); ++n) {
    const MusicState m = music_at(run_->trace, n);
    ASSERT_TRUE(m.playing) << n;
    ASSERT_EQ(m.volume, 1.0f) << n;
    ASSERT_TRUE(effects_at(run_->trace, n).empty()) << n;
  }
}

TEST_F(IntroLeftAlone, TitleBackdropIsTheSameWhenSkipped) {
  ASSERT_EQ(run_->status, 0) << run_->errors;
  const RunResult skipped = run_headless({.input = "2 key 27\n", .frames = 3, .shots = {2}});
  ASSERT_EQ(skipped.status, 0) << skipped.errors;
  ASSERT_EQ(skipped.trace.num(2, "game_mode"), 4);
  const std::vector<uint32_t> a = read_png_pixels(run_->shot(327));
  const std::vector<uint32_t> b = read_png_pixels(skipped.shot(2));
  ASSERT_FALSE(a.empty());
  EXPECT_TRUE(a == b) << "first title frames differ between a skipped and a whole intro";
}

TEST(Intro, EachSkipInputEndsItAfterTheFrameItIsNoticedIn) {
  const struct {
    const char* input;
    int first_title;    // presentation
    int mode_on_title;  // 2 when a press left over starts a game at once
  } cases[] = {
      {"2 key 27\n", 2, 4},
      {"2 key 32\n", 2, 4},
      {"2 mouse 1\n", 2, 4},
      {"1 plug\n2 joy 0\n", 2, 4},
      {"120 key 32\n", 120, 4},
      {"1 plug\n250 joy 0\n", 250, 4},
      // Pressed before the first frame: that frame is still shown.
      {"1 key 27\n", 2, 4},
      // The other keys and buttons do not cut it short.
      {"1 plug\n2 key 13\n2 mouse 2\n2 joy 1\n", 327, 4},
      // Esc ends the splash; the click that came with it is flushed and
      // does not choose "Play Game".
      {"2 key 27\n2 mouse 1\n", 2, 4},
      // The click ends the splash; the joystick press, never flushed,
      // waits and chooses "Play Game" on the first title frame.
      {"1 plug\n2 mouse 1\n2 joy 0\n", 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const int frames = c.first_title + 3;
    const RunResult run = run_headless({.input = c.input, .frames = frames});
    ASSERT_EQ(run.status, 0) << run.errors;
    // The press that skipped is flushed: Esc does not also leave the title.
    ASSERT_EQ(run.trace.frames(), frames);
    EXPECT_EQ(run.trace.num(c.first_title - 1, "game_mode"), 0);
    EXPECT_EQ(run.trace.num(c.first_title, "game_mode"), c.mode_on_title);
    EXPECT_EQ(run.trace.num(frames, "game_mode"), c.mode_on_title);
    EXPECT_TRUE(music_at(run.trace, c.first_title).playing);
  }
}

TEST(Intro, WindowCloseShowsOneTitleFrameThenLeaves) {
  const RunResult run =
      run_headless({.input = "40 close\n", .frames = 100, .dir = fresh_program_folder()});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.frames(), 40);
  EXPECT_EQ(run.trace.num(39, "game_mode"), 0);
  EXPECT_EQ(run.trace.num(40, "game_mode"), 4);
  EXPECT_EQ(run.trace.num(40, "quit_game"), 1);
  // The exit sequence ran: the best score was written.
  EXPECT_TRUE(std::filesystem::is_regular_file(run.dir + "/data/hiscore.dat"));
}

}  // namespace

// The spine: the keys that switch modes, and whole runs of the program in
// the headless runner (title screen, leaving by Esc or a window close).
#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "tests/scenario.h"

namespace {

struct ModeKeysCase {
  const char* name;
  int32_t mode;
  bool esc, space, joy1, close;
  int32_t mode_after;
  int32_t quit_after;
  bool pointer_centred;
  int joy1_left;  // joystick button 1 presses still pending afterwards
  bool flushed;   // pending key and mouse presses forgotten
};

class ModeKeysTest : public ::testing::TestWithParam<ModeKeysCase> {
 protected:
  void SetUp() override {
    pf::set_backend(&backend_);
    pf::input_state() = pf::InputState{};
    pf::input_state().joy_added(pf::headless_joystick_id);
    grab_pause = pf::create_image(640, 480, 1, 9);
    quit_game = 0;
  }
  void TearDown() override {
    grab_pause.reset();
    pf::set_backend(nullptr);
  }
  pf::HeadlessBackend backend_;
};

TEST_P(ModeKeysTest, SwitchesModesAndFlushes) {
  const ModeKeysCase& c = GetParam();
  pf::InputState& in = pf::input_state();
  game_mode = c.mode;
  in.pointer_x = 10;
  in.pointer_y = 400;
  if (c.esc) in.key_hits[27] = 1;
  if (c.space) in.key_hits[32] = 1;
  if (c.joy1) in.joys[0].hits[1] = 1;
  if (c.close) in.close_requested = true;
  in.key_hits[13] = 1;  // a pending fire key
  in.mouse_hits[1] = 1;  // and a pending click

  mode_keys();

  EXPECT_EQ(game_mode, c.mode_after);
  EXPECT_EQ(quit_game, c.quit_after);
  EXPECT_EQ(in.joys[0].hits[1], c.joy1_left);
  // Every change of mode by a key forgets pending key and mouse presses.
  EXPECT_EQ(in.key_hits[13], c.flushed ? 0 : 1);
  EXPECT_EQ(in.mouse_hits[1], c.flushed ? 0 : 1);
  if (c.pointer_centred) {
    EXPECT_EQ(in.pointer_x, 320);
    EXPECT_EQ(in.pointer_y, 240);
  } else {
    EXPECT_EQ(in.pointer_x, 10);
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, ModeKeysTest,
    ::testing::Values(
        ModeKeysCase{"EscOnTitleLeaves", 4, true, false, false, false, 4, 1, false, 0, false},
        ModeKeysCase{"EscWhilePausedGoesToTitle", 3, true, false, false, false, 4, 0, true, 0, true},
        ModeKeysCase{"EscInPlayPauses", 2, true, false, false, false, 3, 0, true, 0, true},
        ModeKeysCase{"SpaceOnTitleDoesNothing", 4, false, true, false, false, 4, 0, false, 0, false},
        ModeKeysCase{"SpaceInPlayPauses", 2, false, true, false, false, 3, 0, true, 0, true},
        ModeKeysCase{"SpaceWhilePausedResumes", 3, false, true, false, false, 2, 0, false, 0, true},
        ModeKeysCase{"JoystickPauses", 2, false, false, true, false, 3, 0, true, 0, true},
        // Esc pauses; the key flush leaves the joystick press, which resumes.
        ModeKeysCase{"EscAndJoystickPauseThenResume", 2, true, false, true, false, 2, 0, true, 0, true},
        // The joystick is asked only when Space was not hit: its press waits.
        ModeKeysCase{"SpaceLeavesJoystickPending", 2, false, true, true, false, 3, 0, true, 1, true},
        ModeKeysCase{"EscWhilePausedNeverResumes", 3, true, true, false, false, 4, 0, true, 0, true},
        ModeKeysCase{"CloseRequestLeaves", 2, false, false, false, true, 2, 1, false, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Program, ShowsTheTitleWithAFreshScoreLine) {
  // Esc skips the intro after its first frame: presentation 2 is the title.
  const RunResult run = run_headless({.input = "2 key 27\n", .frames = 3, .shots = {2}});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.frames(), 3);
  EXPECT_EQ(run.trace.num(2, "game_mode"), 4);
  EXPECT_EQ(run.trace.num(2, "score"), 0);
  EXPECT_EQ(run.trace.num(2, "level"), 1);
  EXPECT_EQ(run.trace.raw(2, "pointer"), "[320, 240]");
  EXPECT_EQ(compare_golden(run.shot(2), "title"), "");
}

TEST(Program, LeavesByEscOnTheTitleOrAWindowClose) {
  const struct {
    const char* input;
    int presentations;
  } cases[] = {
      // Esc skips the intro, and the flush after it keeps it from the title.
      {"2 key 27\n", 6},
      {"2 key 27\n4 key 27\n", 3},  // seen by the mode keys after presentation 3
      // A close during the intro still shows one title frame.
      {"3 close\n", 3},
      {"2 key 32\n3 key 32\n", 6},  // Space skips the intro, does nothing on the title
  };
  for (const auto& c : cases) {
    const RunResult run = run_headless({.input = c.input, .frames = 6});
    EXPECT_EQ(run.status, 0) << c.input << run.errors;
    EXPECT_EQ(run.trace.frames(), c.presentations) << c.input;
  }
}

TEST(Program, SameSeedSameGame) {
  const RunResult a = run_headless({.input = "", .frames = 2, .seed = 7});
  const RunResult b = run_headless({.input = "", .frames = 2, .seed = 7});
  const RunResult c = run_headless({.input = "", .frames = 2, .seed = 8});
  ASSERT_EQ(a.trace.frames(), 3);
  EXPECT_EQ(a.trace.raw(1, "mtn"), b.trace.raw(1, "mtn"));
  EXPECT_NE(a.trace.raw(1, "mtn"), c.trace.raw(1, "mtn"));
}

}  // namespace

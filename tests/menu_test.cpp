// The title and pause menus: each row's action in both menus, the flushes
// after a click, the joystick pointer, and whole runs that show the hovered
// row drawn larger and the volume rows stepping in single precision.
#include "shell/menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/audio_record.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "play/mountain.h"
#include "play/player.h"
#include "present/kvdraw.h"
#include "shell/game.h"
#include "shell/options.h"
#include "shell/sound.h"
#include "tests/scenario.h"
#include "tests/shell_runs.h"

namespace {

// --- One click, in-process ----------------------------------------------------

struct MenuClickCase {
  const char* name;
  int32_t mode;        // 4 title menu, 3 pause menu
  int pointer_y;       // picks the row
  bool mouse = false;  // a left click this frame
  bool joy = false;    // a press of joystick button 0 this frame
  // What is expected afterwards; the defaults mean "as before".
  int32_t mode_after = -1;
  int32_t quit_after = 0;
  int32_t retro_after = 0;
  int32_t sound_lvl_after = 10;
  int32_t music_lvl_after = 10;
  float music_volume_after = 1.0f;
  const char* effect = "";  // the effect started, if any
  float effect_volume = 0;
  bool new_game = false;  // score and level back to a fresh game's
  bool centred = false;   // pointer moved to (320, 240)
  int joy_left = 0;       // joystick button 0 presses still pending
  bool flushed = false;   // pending key presses and clicks forgotten
};

// Test names in listings carry the case's name, not its bytes.
void PrintTo(const MenuClickCase& c, std::ostream* os) {
  *os << c.name;
}

class MenuClickTest : public ::testing::TestWithParam<MenuClickCase> {
 protected:
  static void SetUpTestSuite() {
    effect_a_ = pf::load_sound(OV_BINARY_DIR "/data/start.ogg", 0);
    effect_b_ = pf::load_sound(OV_BINARY_DIR "/data/expld.ogg", 0);
  }
  static void TearDownTestSuite() {
    effect_a_.reset();
    effect_b_.reset();
  }

  void SetUp() override {
    pf::set_backend(&backend_);
    pf::input_state() = pf::InputState{};
    pf::input_state().joy_added(pf::headless_joystick_id);
    kvd = std::make_unique<kvdraw_tag>();
    player = std::make_unique<player_tag>();
    mtn_tag::init(1);
    snd_start = effect_a_;
    snd_expld = effect_b_;
    // Something for the music row to turn down: a sound playing at full volume.
    music_chn = pf::cue_sound(effect_b_);
    pf::resume_channel(music_chn);
    retro_fx = 0;
    sound_lvl = music_lvl = 10;
    sound_vol = music_vol = 1.0f;
    quit_game = 0;
    pf::record_started_sounds(true);
    pf::take_started_sounds();
  }
  void TearDown() override {
    pf::record_started_sounds(false);
    pf::stop_channel(music_chn);
    retro_fx = 0;
    sound_lvl = music_lvl = 10;
    sound_vol = music_vol = 1.0f;
    quit_game = 0;
    snd_start.reset();
    snd_expld.reset();
    pf::set_backend(nullptr);
  }

  pf::HeadlessBackend backend_;
  static pf::SoundRef effect_a_, effect_b_;
};

pf::SoundRef MenuClickTest::effect_a_;
pf::SoundRef MenuClickTest::effect_b_;

TEST_P(MenuClickTest, ActsOnTheHoveredRowAndFlushes) {
  const MenuClickCase& c = GetParam();
  pf::InputState& in = pf::input_state();
  game_mode = c.mode;
  player->score = 37;  // a game under way
  player->level = 3;
  in.pointer_x = 100;
  in.pointer_y = c.pointer_y;
  if (c.mouse) in.mouse_hits[1] = 1;
  if (c.joy) in.joys[0].hits[0] = 1;
  in.key_hits[13] = 1;   // a pending fire key
  in.mouse_hits[2] = 1;  // and a pending right click

  menu_step();

  EXPECT_EQ(game_mode, c.mode_after < 0 ? c.mode : c.mode_after);
  EXPECT_EQ(quit_game, c.quit_after);
  EXPECT_EQ(retro_fx, c.retro_after);
  EXPECT_EQ(sound_lvl, c.sound_lvl_after);
  EXPECT_EQ(music_lvl, c.music_lvl_after);
  EXPECT_EQ(pf::channel_volume(music_chn), c.music_volume_after);
  EXPECT_TRUE(pf::channel_playing(music_chn)) << "the music runs on even at volume 0";

  const std::vector<pf::StartedSound> started = pf::take_started_sounds();
  if (*c.effect) {
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].name, c.effect);
    EXPECT_EQ(started[0].volume, c.effect_volume);
  } else {
    EXPECT_TRUE(started.empty());
  }

  EXPECT_EQ(player->score, c.new_game ? 0 : 37);
  EXPECT_EQ(player->level, c.new_game ? 1 : 3);
  EXPECT_EQ(in.pointer_x, c.centred ? 320 : 100);
  EXPECT_EQ(in.pointer_y, c.centred ? 240 : c.pointer_y);
  EXPECT_EQ(in.joys[0].hits[0], c.joy_left);
  EXPECT_EQ(in.key_hits[13], c.flushed ? 0 : 1);
  EXPECT_EQ(in.mouse_hits[2], c.flushed ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    BothMenus, MenuClickTest,
    ::testing::Values(MenuClickCase{.name = "TitlePlayGameStartsAFreshGame",
                                    .mode = 4,
                                    .pointer_y = 240,
                                    .mouse = true,
                                    .mode_after = 2,
                                    .effect = "start",
                                    .effect_volume = 1.0f,
                                    .new_game = true,
                                    .flushed = true},
                      MenuClickCase{.name = "PausedResumeGameContinues",
                                    .mode = 3,
                                    .pointer_y = 240,
                                    .mouse = true,
                                    .mode_after = 2,
                                    .flushed = true},
                      MenuClickCase{.name = "TitleRetroFxToggles",
                                    .mode = 4,
                                    .pointer_y = 280,
                                    .mouse = true,
                                    .retro_after = 1,
                                    .flushed = true},
                      MenuClickCase{.name = "PausedRetroFxToggles",
                                    .mode = 3,
                                    .pointer_y = 299,
                                    .mouse = true,
                                    .retro_after = 1,
                                    .flushed = true},
                      // From "Max" the next step is "Off": volume 0, the test sound silent.
                      MenuClickCase{.name = "TitleSoundVolumeSteps",
                                    .mode = 4,
                                    .pointer_y = 320,
                                    .mouse = true,
                                    .sound_lvl_after = 0,
                                    .effect = "expld",
                                    .effect_volume = 0.0f,
                                    .flushed = true},
                      MenuClickCase{.name = "PausedSoundVolumeSteps",
                                    .mode = 3,
                                    .pointer_y = 300,
                                    .mouse = true,
                                    .sound_lvl_after = 0,
                                    .effect = "expld",
                                    .effect_volume = 0.0f,
                                    .flushed = true},
                      MenuClickCase{.name = "TitleMusicVolumeSteps",
                                    .mode = 4,
                                    .pointer_y = 360,
                                    .mouse = true,
                                    .music_lvl_after = 0,
                                    .music_volume_after = 0.0f,
                                    .flushed = true},
                      MenuClickCase{.name = "PausedMusicVolumeSteps",
                                    .mode = 3,
                                    .pointer_y = 379,
                                    .mouse = true,
                                    .music_lvl_after = 0,
                                    .music_volume_after = 0.0f,
                                    .flushed = true},
                      MenuClickCase{.name = "TitleExitGameQuits",
                                    .mode = 4,
                                    .pointer_y = 400,
                                    .mouse = true,
                                    .quit_after = 1,
                                    .flushed = true},
                      MenuClickCase{.name = "PausedQuitThisGameGoesToTitle",
                                    .mode = 3,
                                    .pointer_y = 419,
                                    .mouse = true,
                                    .mode_after = 4,
                                    .centred = true,
                                    .flushed = true},
                      // No row hovered: the click does nothing but flush.
                      MenuClickCase{.name = "ClickAboveTheRows",
                                    .mode = 4,
                                    .pointer_y = 220,
                                    .mouse = true,
                                    .flushed = true},
                      MenuClickCase{.name = "ClickBelowTheRows",
                                    .mode = 3,
                                    .pointer_y = 420,
                                    .mouse = true,
                                    .flushed = true},
                      MenuClickCase{.name = "JoystickButtonChooses",
                                    .mode = 4,
                                    .pointer_y = 280,
                                    .joy = true,
                                    .retro_after = 1,
                                    .flushed = true},
                      // One click, not two: the joystick's press waits for a later frame.
                      MenuClickCase{.name = "ClickAndJoystickCountOnce",
                                    .mode = 4,
                                    .pointer_y = 280,
                                    .mouse = true,
                                    .joy = true,
                                    .retro_after = 1,
                                    .joy_left = 1,
                                    .flushed = true},
                      MenuClickCase{.name = "NoClickNoFlush", .mode = 3, .pointer_y = 280}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The joystick pointer -------------------------------------------------------

struct StickCase {
  const char* name;
  float x, y;  // the stick's axes
  int dx, dy;  // expected movement of the pointer
};

void PrintTo(const StickCase& c, std::ostream* os) {
  *os << c.name;
}

class JoyPointerTest : public ::testing::TestWithParam<StickCase> {
 protected:
  void SetUp() override {
    pf::set_backend(&backend_);
    pf::input_state() = pf::InputState{};
    pf::input_state().joy_added(pf::headless_joystick_id);
  }
  void TearDown() override { pf::set_backend(nullptr); }
  pf::HeadlessBackend backend_;
};

TEST_P(JoyPointerTest, MovesOnlyAtFullDeflection) {
  const StickCase& c = GetParam();
  pf::InputState& in = pf::input_state();
  in.pointer_x = 100;
  in.pointer_y = 300;
  in.joys[0].x = c.x;
  in.joys[0].y = c.y;

  joy_pointer();

  EXPECT_EQ(in.pointer_x, 100 + c.dx);
  EXPECT_EQ(in.pointer_y, 300 + c.dy);
  EXPECT_EQ(ptr_x, 100 + c.dx);
  EXPECT_EQ(ptr_y, 300 + c.dy);
}

INSTANTIATE_TEST_SUITE_P(Sticks, JoyPointerTest,
                         ::testing::Values(StickCase{"Centre", 0.0f, 0.0f, 0, 0},
                                           StickCase{"Right", 1.0f, 0.0f, 6, 0},
                                           StickCase{"Left", -1.0f, 0.0f, -6, 0},
                                           StickCase{"Down", 0.0f, 1.0f, 0, 6},
                                           StickCase{"Up", 0.0f, -1.0f, 0, -6},
                                           StickCase{"DiagonalMovesBoth", -1.0f, 1.0f, -6, 6},
                                           StickCase{"AlmostRight", 0.99f, 0.0f, 0, 0},
                                           StickCase{"AlmostUpLeft", -0.999f, -0.99f, 0, 0},
                                           StickCase{"FullXAlmostY", 1.0f, 0.99f, 6, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuRun, JoystickPushesThePointerEveryFrame) {
  // The stick goes fully right after the intro, then falls short of the end.
  const RunResult run =
      run_headless({.input = "1 plug\n2 key 27\n3 axis x 1.0\n6 axis x 0.99\n", .frames = 8});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.frames(), 8);
  const char* expected[] = {"[320, 240]", "[326, 240]", "[332, 240]",
                            "[338, 240]", "[338, 240]", "[338, 240]"};
  for (int n = 2; n <= 7; ++n) EXPECT_EQ(run.trace.raw(n, "pointer"), expected[n - 2]) << n;
}

// --- Whole runs -----------------------------------------------------------------

constexpr int row_band = 20;  // rows are 40 pixels apart, centred on 240 + 40 * row

// Leftmost and rightmost columns of a row's text: the pixels that differ from
// the bare backdrop in the row's band, right of the pointer's column.
std::pair<int, int> row_extent(const std::vector<uint32_t>& shot,
                               const std::vector<uint32_t>& backdrop, int row) {
  int left = 640, right = -1;
  const int centre = 240 + 40 * row;
  for (int y = centre - row_band; y < centre + row_band; ++y)
    for (int x = 40; x < 640; ++x)
      if (shot[y * 640 + x] != backdrop[y * 640 + x]) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  return {left, right};
}

TEST(MenuRun, HoveredRowIsDrawnLarger) {
  // Left alone, the intro's last frame (326) shows the bare title backdrop.
  const struct {
    int presentation;
    int pointer_y;
    int hovered;
  } cases[] = {{328, 220, -1}, {329, 221, 0}, {330, 419, 4}, {331, 420, -1}};
  std::string input;
  Scenario s{.frames = 332, .shots = {326}};
  for (const auto& c : cases) {
    input += std::to_string(c.presentation) + " move 10 " + std::to_string(c.pointer_y) + "\n";
    s.shots.push_back(c.presentation);
  }
  s.input = input;
  const RunResult run = run_headless(s);
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::vector<uint32_t> backdrop = read_png_pixels(run.shot(326));
  const std::vector<uint32_t> plain = read_png_pixels(run.shot(328));  // no row hovered
  ASSERT_EQ(backdrop.size(), 640u * 480u);
  ASSERT_EQ(plain.size(), backdrop.size());

  for (const auto& c : cases) {
    SCOPED_TRACE("pointer y " + std::to_string(c.pointer_y));
    EXPECT_EQ(run.trace.raw(c.presentation, "pointer"),
              "[10, " + std::to_string(c.pointer_y) + "]");
    const std::vector<uint32_t> shot = read_png_pixels(run.shot(c.presentation));
    ASSERT_EQ(shot.size(), backdrop.size());
    for (int row = 0; row < 5; ++row) {
      const auto [l0, r0] = row_extent(plain, backdrop, row);
      const auto [l, r] = row_extent(shot, backdrop, row);
      ASSERT_LT(l0, r0) << "row " << row << " shows no text";
      if (row == c.hovered) {
        // 1.2 times as wide, about the same centre.
        const double ratio = static_cast<double>(r - l + 1) / (r0 - l0 + 1);
        EXPECT_NEAR(ratio, 1.2, 0.03) << "row " << row;
        EXPECT_NEAR((l + r) / 2.0, (l0 + r0) / 2.0, 2.0) << "row " << row;
      } else {
        EXPECT_EQ(l, l0) << "row " << row;
        EXPECT_EQ(r, r0) << "row " << row;
      }
    }
  }
}

TEST(MenuRun, VolumeRowsStepInSinglePrecision) {
  // Eleven clicks on each volume row, one a frame, from the start values.
  std::string input = "2 key 27\n3 move 320 320\n";
  for (int f = 4; f <= 14; ++f) input += std::to_string(f) + " mouse 1\n";
  input += "15 move 320 360\n";
  for (int f = 16; f <= 26; ++f) input += std::to_string(f) + " mouse 1\n";
  const RunResult run = run_headless({.input = input, .frames = 28});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.frames(), 28);

  // The volume is accumulated by adding 0.1, never worked out from the step.
  float sound = 1.0f, music = 1.0f;
  for (int click = 0; click < 11; ++click) {
    const int lvl = click;  // the first click from "Max" gives "Off"
    sound = click == 0 ? 0.0f : sound + 0.1f;
    const int n = 4 + click;
    EXPECT_EQ(run.trace.num(n, "sound_lvl"), lvl) << n;
    const std::vector<StartedEffect> fx = effects_at(run.trace, n);
    ASSERT_EQ(fx.size(), 1u) << n;
    EXPECT_EQ(fx[0].name, "expld");
    EXPECT_EQ(fx[0].volume, sound) << "click " << click + 1;

    music = click == 0 ? 0.0f : music + 0.1f;
    const int m = 16 + click;
    EXPECT_EQ(run.trace.num(m, "music_lvl"), lvl) << m;
    EXPECT_TRUE(effects_at(run.trace, m).empty()) << m;
    EXPECT_TRUE(music_at(run.trace, m).playing) << "silent music runs on, " << m;
    EXPECT_EQ(music_at(run.trace, m).volume, music) << "click " << click + 1;
  }
  // Back at "Max", a hair above full volume.
  EXPECT_GT(sound, 1.0f);
  EXPECT_EQ(run.trace.num(27, "sound_lvl"), 10);
  EXPECT_EQ(run.trace.num(27, "music_lvl"), 10);
  EXPECT_EQ(music_at(run.trace, 27).volume, music);
}

// The round's state fields that show where a game stands.
std::string round_state(const Trace& t, int n) {
  std::string s;
  for (const char* f : {"round_phase", "scroll_sp", "score", "level", "ship_x", "dmd_x", "mtn",
                        "cloud1_x", "cloud2_x", "blocks", "trails"})
    s += t.raw(n, f) + ";";
  return s;
}

// The x of every mountain column, without the heights a new round draws afresh.
std::string column_xs(const Trace& t, int n) {
  std::string out;
  const std::string cols = t.raw(n, "mtn");
  for (size_t at = cols.find("[", 1); at != std::string::npos; at = cols.find("[", at + 1))
    out += cols.substr(at + 1, cols.find(',', at) - at - 1) + " ";
  return out;
}

TEST(MenuRun, ResumeGameContinuesWhereThePauseLeftIt) {
  // Play Game at 3; straight on, or paused by Esc at 10 and resumed by a
  // click at 12: play frames 4..9 then 13.., against 4.. straight.
  const RunResult straight = run_headless({.input = "2 key 27\n3 mouse 1\n", .frames = 20});
  const RunResult paused =
      run_headless({.input = "2 key 27\n3 mouse 1\n10 key 27\n12 mouse 1\n", .frames = 23});
  ASSERT_EQ(straight.status, 0) << straight.errors;
  ASSERT_EQ(paused.status, 0) << paused.errors;
  ASSERT_EQ(paused.trace.frames(), 23);
  EXPECT_EQ(paused.trace.num(10, "game_mode"), 3);
  EXPECT_EQ(paused.trace.raw(10, "pointer"), "[320, 240]");
  EXPECT_EQ(paused.trace.num(12, "game_mode"), 2);
  EXPECT_TRUE(effects_at(paused.trace, 12).empty()) << "Resume Game plays no sound";
  for (int n = 13; n <= 23; ++n)
    EXPECT_EQ(round_state(paused.trace, n), round_state(straight.trace, n - 3)) << n;
}

TEST(MenuRun, QuitThisGameThenPlayGameStartsAfresh) {
  const RunResult run = run_headless(
      {.input = "2 key 27\n3 mouse 1\n20 key 27\n21 move 320 400\n22 mouse 1\n24 mouse 1\n",
       .frames = 26});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.frames(), 26);
  EXPECT_EQ(run.trace.num(3, "game_mode"), 2);
  const std::vector<StartedEffect> start = effects_at(run.trace, 3);
  ASSERT_EQ(start.size(), 1u);
  EXPECT_EQ(start[0].name, "start");
  EXPECT_EQ(start[0].volume, 1.0f);
  ASSERT_NE(column_xs(run.trace, 19), column_xs(run.trace, 3)) << "the mountain scrolls in play";

  // Quit This Game: the title, the pointer centred, so Play Game is hovered.
  EXPECT_EQ(run.trace.num(22, "game_mode"), 4);
  EXPECT_EQ(run.trace.raw(22, "pointer"), "[320, 240]");
  EXPECT_EQ(run.trace.num(23, "game_mode"), 4);
  EXPECT_EQ(run.trace.num(24, "game_mode"), 2);
  EXPECT_EQ(effects_at(run.trace, 24).size(), 1u);
  EXPECT_EQ(run.trace.num(24, "round_phase"), 0);
  EXPECT_EQ(run.trace.num(24, "scroll_sp"), 8);
  EXPECT_EQ(column_xs(run.trace, 24), column_xs(run.trace, 3));
}

TEST(MenuRun, PauseMenuShowsItsOwnRowsAndTheChosenOptions) {
  // Paused at 10; Retro FX on, sound to "Off" then "10%", music to "Off",
  // then the pointer on "Quit This Game".
  const RunResult run = run_headless(
      {.input = "2 key 27\n3 mouse 1\n10 key 27\n11 move 320 280\n12 mouse 1\n13 move 320 320\n"
                "14 mouse 1\n15 mouse 1\n16 move 320 360\n17 mouse 1\n18 move 320 400\n",
       .frames = 19,
       .shots = {19}});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.num(19, "game_mode"), 3);
  EXPECT_EQ(compare_golden(run.shot(19), "pause_menu_options"), "");
}

TEST(MenuRun, ExitGameEndsTheRunAfterItsFrame) {
  const RunResult run =
      run_headless({.input = "2 key 27\n3 move 320 400\n5 mouse 1\n", .frames = 10});
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.trace.frames(), 5);
  EXPECT_EQ(run.trace.num(4, "quit_game"), 0);
  EXPECT_EQ(run.trace.num(5, "quit_game"), 1);
  EXPECT_EQ(run.trace.num(5, "game_mode"), 4);
}

}  // namespace

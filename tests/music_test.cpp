// The music: held while the game is in the background (but not during the
// intro), started once, stopped at exit with a wait only when it was playing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/audio_record.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "runner/headless_game.h"
#include "runner/timeline.h"
#include "shell/options.h"
#include "shell/sound.h"
#include "tests/shell_runs.h"

namespace fs = std::filesystem;

namespace {

// Notes whether the music is heard each time the game waits to be active again.
class WatchingBackend : public pf::HeadlessBackend {
 public:
  void await_activation(pf::InputState& in) override {
    ++waits;
    if (pf::channel_playing(music_chn)) ++waits_with_music;
    HeadlessBackend::await_activation(in);
  }
  int waits = 0;
  int waits_with_music = 0;
};

std::vector<pf::TimelineEvent> timeline(const std::string& text) {
  std::istringstream in(text);
  std::vector<pf::TimelineEvent> events;
  std::string error;
  EXPECT_TRUE(parse_timeline(in, "test", events, error)) << error;
  return events;
}

// --- suspend_check on its own ----------------------------------------------------

enum class Music { playing, paused, idle };

struct SuspendCase {
  const char* name;
  Music music;
  bool suspended;
  bool playing_after;
};

// Test names in listings carry the case's name, not its bytes.
void PrintTo(const SuspendCase& c, std::ostream* os) {
  *os << c.name;
}

class SuspendCheckTest : public ::testing::TestWithParam<SuspendCase> {
 protected:
  static void SetUpTestSuite() { tune_ = pf::load_sound(OV_BINARY_DIR "/data/flyin.ogg", 0); }
  static void TearDownTestSuite() { tune_.reset(); }
  void SetUp() override {
    pf::set_backend(&backend_);
    pf::input_state() = pf::InputState{};
  }
  void TearDown() override {
    pf::stop_channel(music_chn);
    pf::set_backend(nullptr);
  }
  WatchingBackend backend_;
  static pf::SoundRef tune_;
};

pf::SoundRef SuspendCheckTest::tune_;

TEST_P(SuspendCheckTest, HoldsOnlyMusicThatWasPlaying) {
  const SuspendCase& c = GetParam();
  ASSERT_TRUE(tune_);
  music_chn = c.music == Music::idle ? pf::allocate_channel() : pf::cue_sound(tune_);
  if (c.music == Music::playing) pf::resume_channel(music_chn);
  if (c.suspended) {
    pf::input_state().set_suspended(true);
    backend_.queue(timeline("2 resume\n"));  // comes while the game waits
  }

  suspend_check();

  EXPECT_FALSE(pf::input_state().suspended);
  EXPECT_EQ(backend_.waits > 0, c.suspended);
  EXPECT_EQ(backend_.waits_with_music, 0) << "the music was heard in the background";
  EXPECT_EQ(pf::channel_playing(music_chn), c.playing_after);
}

INSTANTIATE_TEST_SUITE_P(
    MusicStates, SuspendCheckTest,
    ::testing::Values(SuspendCase{"PlayingIsHeldThenResumed", Music::playing, true, true},
                      SuspendCase{"PausedStaysPaused", Music::paused, true, false},
                      SuspendCase{"IdleChannelStaysIdle", Music::idle, true, false},
                      SuspendCase{"ActiveGameLeavesMusicAlone", Music::playing, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Whole runs in this process ----------------------------------------------------

struct GameRun {
  int status = -1;
  int presentations = 0;
  int waits = 0;
  int waits_with_music = 0;
  int music_starts = 0;
  std::vector<bool> music;  // playing, by presentation from 1
  int64_t clock_at_last_frame = 0;
  int64_t clock_at_end = 0;
  bool music_at_end = false;
};

// Runs the game in a fresh program folder holding the data files except
// those named in `without`.
GameRun run_game(const std::string& input, int frames,
                 const std::vector<std::string>& without = {}) {
  const fs::path dir = fresh_program_folder("/tmp/orlenvault-music-XXXXXX");
  for (const std::string& name : without) fs::remove(dir / "data" / name);
  const fs::path was = fs::current_path();
  fs::current_path(dir);
  // The options live as long as the program: keep this run's choices from
  // the next one.
  const int32_t sound_lvl0 = sound_lvl, music_lvl0 = music_lvl;
  const float sound_vol0 = sound_vol, music_vol0 = music_vol;

  GameRun run;
  WatchingBackend backend;
  backend.set_seed(1);
  backend.queue(timeline(input));
  backend.close_after(frames);
  pf::record_started_sounds(true);
  pf::take_started_sounds();
  backend.on_present([&](int) {
    run.music.push_back(pf::channel_playing(music_chn));
    run.clock_at_last_frame = backend.now_ms();
    for (const pf::StartedSound& s : pf::take_started_sounds())
      if (s.name == "music") ++run.music_starts;
  });
  run.status = run_game_headless(backend);
  run.clock_at_end = backend.now_ms();
  run.music_at_end = pf::channel_playing(music_chn);
  run.presentations = backend.presentations();
  run.waits = backend.waits;
  run.waits_with_music = backend.waits_with_music;
  pf::record_started_sounds(false);

  sound_lvl = sound_lvl0;
  music_lvl = music_lvl0;
  sound_vol = sound_vol0;
  music_vol = music_vol0;
  fs::current_path(was);
  fs::remove_all(dir);
  return run;
}

TEST(MusicRun, BackgroundHoldsTheMusicOnTheTitleNotDuringTheIntro) {
  const struct {
    const char* name;
    const char* input;
    bool heard_while_waiting;
    int presentations;  // a close during the intro still shows a title frame
  } cases[] = {
      {"title", "2 key 27\n5 suspend\n6 key 27\n7 resume\n", false, 20},
      {"intro", "10 suspend\n12 resume\n", true, 21},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const GameRun run = run_game(c.input, 20);
    ASSERT_EQ(run.status, 0);
    // The Esc pressed in the background was flushed with the activation.
    EXPECT_EQ(run.presentations, c.presentations);
    ASSERT_GT(run.waits, 0);
    EXPECT_EQ(run.waits_with_music, c.heard_while_waiting ? run.waits : 0);
    for (size_t n = 0; n < run.music.size(); ++n) EXPECT_TRUE(run.music[n]) << n + 1;
    EXPECT_EQ(run.music_starts, 1);
  }
}

TEST(MusicRun, ExitStopsTheMusicAndWaitsOnlyWhenItPlayed) {
  const struct {
    const char* name;
    const char* input;
    std::vector<std::string> without;
    int64_t wait_ms;
  } cases[] = {
      {"music playing", "2 key 27\n", {}, 500},
      // At volume "Off" the music still runs.
      {"music turned off", "2 key 27\n3 move 320 360\n4 mouse 1\n", {}, 500},
      {"no music file", "2 key 27\n", {"music.ogg"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const GameRun run = run_game(c.input, 6, c.without);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.presentations, 6);
    EXPECT_EQ(run.clock_at_end - run.clock_at_last_frame, c.wait_ms);
    EXPECT_FALSE(run.music_at_end);
  }
}

}  // namespace

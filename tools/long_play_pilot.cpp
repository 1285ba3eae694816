// Plays the game headless like a steady player and writes down the input
// timeline it used, for orlenvault-headless to replay: it skips the intro,
// starts a game from the title whenever it is there, and in each round
// either drops the bomb on the diamond's column, drops it one column beside
// (poison gas), or keeps it until the craft has flown away, in a fixed cycle.
//
//   long_play_pilot FRAMES SEED TIMELINE
//
// Run it from a folder that holds data/. Prints what the rounds came to.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/audio_record.h"
#include "platform/headless/headless_backend.h"
#include "play/player.h"
#include "play/round.h"
#include "runner/headless_game.h"
#include "shell/game.h"

namespace {

// Where each round's bomb goes, relative to the diamond; 'F' keeps it.
constexpr char round_plan[] = "WWGWFWWWGF";

struct Pilot {
  pf::HeadlessBackend& backend;
  std::ofstream& out;
  int round = -1;
  int last_phase = -1;
  bool fired = false, clicked = false;
  int diamonds = 0, gassed = 0, flown = 0, games = 0;

  void press(int frame, pf::TimelineEvent::Kind kind, int code, const char* text) {
    pf::TimelineEvent e;
    e.frame = frame;
    e.kind = kind;
    e.a = code;
    backend.queue(e);
    out << frame << ' ' << text << ' ' << code << '\n';
  }

  // Called as presentation n returns: what the player does for frame n + 1.
  void presented(int n) {
    if (game_mode == 4) {
      // The pointer rests on "Play Game": one click starts the next game.
      if (!clicked) press(n + 1, pf::TimelineEvent::Kind::mouse, 1, "mouse");
      clicked = true;
    } else if (game_mode == 2) {
      clicked = false;
    }
    if (game_mode == 2 && round_phase == 0 && last_phase != 0) {
      ++round;
      fired = false;
    }
    if (game_mode == 2 && round_phase == 2 && last_phase == 1) {
      diamonds += round_result == 1;
      gassed += round_result == 2;
      flown += round_result == 3;
      games += round_result != 1;
    }
    if (game_mode == 2) last_phase = round_phase;
    const char plan = round_plan[round % (sizeof round_plan - 1)];
    if (game_mode != 2 || round_phase != 1 || bomb_on != 0 || fired || plan == 'F') return;
    // The craft moves 8 before the fire keys are read; the bomb goes where it is then.
    const int32_t target = dmd_x + (plan == 'W' ? 0 : 8);
    if (bomb_x + 8 == target) {
      press(n + 1, pf::TimelineEvent::Kind::key, 13, "key");
      fired = true;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: long_play_pilot FRAMES SEED TIMELINE\n");
    return 2;
  }
  const int frames = std::atoi(argv[1]);
  const int seed = std::atoi(argv[2]);
  std::ofstream out(argv[3]);
  if (frames < 3 || !out) {
    std::fprintf(stderr, "long_play_pilot: bad frame count or timeline path\n");
    return 2;
  }
  pf::HeadlessBackend backend;
  backend.set_seed(seed);
  backend.close_after(frames);
  Pilot pilot{backend, out};
  pilot.press(2, pf::TimelineEvent::Kind::key, 27, "key");  // skip the intro
  backend.on_present([&](int n) { pilot.presented(n); });
  const int status = run_game_headless(backend);
  std::printf("frames %d: %d games, %d diamonds, %d poison gas, %d flown away; best score %d\n",
              backend.presentations(), pilot.games, pilot.diamonds, pilot.gassed, pilot.flown,
              player ? player->best_sc : 0);
  return status;
}

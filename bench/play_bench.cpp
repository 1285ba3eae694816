// One real frame of play in the middle of a dig, drawn by the game's own
// code: backdrop with the mountain pass, the marker, trails, craft, bomb,
// debris, score line. The round is played up to that frame once, then put
// back to it before every measured frame, so each one does the same work.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"
#include "platform/input_state.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "present/backdrop.h"
#include "present/hud.h"
#include "present/kvdraw.h"
#include "shell/assets.h"
#include "shell/game.h"

namespace {

// Everything a frame of play reads or changes.
struct PlayState {
  player_tag player;
  std::array<mtn_tag, mtn_cols> cols;
  std::vector<block_tag> blocks;
  std::vector<trail_tag> trails;
  int32_t round_phase, round_result, scroll_sp, dmd_x, dmd_tx;
  float msg_alpha, cloud1_x, cloud2_x;
  int32_t bomb_x, bomb_y, bomb_on, trail_ctr, expl_ctr;

  static PlayState take() {
    PlayState s{*::player,     {},         ::block_list, ::trail_list, ::round_phase,
                ::round_result, ::scroll_sp, ::dmd_x,     ::dmd_tx,     ::msg_alpha,
                ::cloud1_x,    ::cloud2_x,  ::bomb_x,    ::bomb_y,     ::bomb_on,
                ::trail_ctr,   ::expl_ctr};
    for (int i = 0; i < mtn_cols; ++i) s.cols[i] = *mtn[i];
    return s;
  }
  void put_back() const {
    *::player = player;
    for (int i = 0; i < mtn_cols; ++i) *mtn[i] = cols[i];
    block_list = blocks;
    trail_list = trails;
    ::round_phase = round_phase;
    ::round_result = round_result;
    ::scroll_sp = scroll_sp;
    ::dmd_x = dmd_x;
    ::dmd_tx = dmd_tx;
    ::msg_alpha = msg_alpha;
    ::cloud1_x = cloud1_x;
    ::cloud2_x = cloud2_x;
    ::bomb_x = bomb_x;
    ::bomb_y = bomb_y;
    ::bomb_on = bomb_on;
    ::trail_ctr = trail_ctr;
    ::expl_ctr = expl_ctr;
  }
};

void play_frame() {
  draw_backdrop(2);
  play_step();
  draw_hud();
  draw_scanlines(0);
}

// Plays a round from its start, drops the bomb on the diamond's column and
// stops once it has dug eight blocks: debris in the air, trails behind it.
PlayState mid_dig() {
  static pf::HeadlessBackend backend;
  pf::set_backend(&backend);
  pf::input_state() = pf::InputState{};
  register_assets();
  pf::set_auto_image_flags(9);
  ship_img = pf::load_image("embed::" RES_SHIP);
  bomb_img = pf::load_image("embed::" RES_BOMB);
  game_font = pf::load_font("embed::" RES_GAME_FONT, 30, 4);
  if (!ship_img || !bomb_img || !game_font) {
    std::fprintf(stderr, "play frame: the built-in pictures or font did not load\n");
    std::exit(1);
  }
  pf::set_font(game_font);
  pf::seed_rnd(1);
  kvd = std::make_unique<kvdraw_tag>();
  player = std::make_unique<player_tag>();
  mtn_tag::init(1);
  game_mode = 2;
  player_tag::reset(1);
  for (int frame = 0; frame < 400 && player->score < 8; ++frame) {
    play_frame();
    // Fire when the carried bomb will sit over the marker after the next move.
    if (round_phase == 1 && bomb_on == 0 && bomb_x + 8 == dmd_x) pf::input_state().key_hits[13] = 1;
  }
  if (player->score < 8) {
    std::fprintf(stderr, "play frame: the round never reached the dig\n");
    std::exit(1);
  }
  return PlayState::take();
}

void BM_PlayFrame(benchmark::State& state) {
  static const PlayState dig = mid_dig();
  for (auto _ : state) {
    dig.put_back();
    play_frame();
    benchmark::DoNotOptimize(pf::frame_pixels()[640 * 240 + 320]);
    benchmark::ClobberMemory();
  }
  state.counters["debris"] = static_cast<double>(dig.blocks.size());
  state.counters["trails"] = static_cast<double>(dig.trails.size());
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

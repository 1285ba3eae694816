#include "shell/game.h"

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/image.h"
#include "platform/input.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "present/backdrop.h"
#include "present/hud.h"
#include "present/kvdraw.h"
#include "play/round.h"
#include "shell/assets.h"
#include "shell/best_score.h"
#include "shell/intro.h"
#include "shell/menu.h"
#include "shell/options.h"
#include "shell/sound.h"

int32_t game_mode = 0;
int32_t quit_game = 0;

namespace {

int32_t start_up() {
  quit_game = 0;
  register_assets();
  // The music is the longest file to decode: let it decode while the rest
  // of start-up runs, so the intro's first frame is not held up by it.
  pf::prefetch_sound("data\\music.ogg", pf::sound_loop);
  pf::set_app_title("Orlenvault");
  pf::open_display(640, 480, 32, 60, 2);
  pf::set_mask_color(0, 0, 0);
  // Masked, nearest-neighbour pictures: black is see-through, nothing blurs.
  pf::set_auto_image_flags(9);

  block_list.clear();
  trail_list.clear();
  kvd = std::make_unique<kvdraw_tag>();
  player = std::make_unique<player_tag>();
  grab_pause = pf::create_image(640, 480, 1, -1);
  grab_title = pf::create_image(640, 480, 1, -1);
  make_texts();
  for (auto& col : mtn) col.reset();

  mtn_tag::init(1);
  music_chn = pf::allocate_channel();
  pf::joy_count();
  pf::hide_mouse();
  pf::seed_rnd(pf::millisecs());
  kvd->slc(200, 0, 0, 0, 80, 0);
  load_assets();
  best_score_io(0);
  player_tag::reset(1);
  intro_splash(-25);
  game_mode = 4;
  pf::move_mouse(320, 240);
  return 0;
}

// The pause snapshot is taken after the frame was shown, so it holds
// exactly the play screen the player saw, score line and scanlines included.
int32_t pause_game() {
  game_mode = 3;
  if (grab_pause) pf::grab_image(*grab_pause, 0, 0, 0);
  pf::move_mouse(320, 240);
  return 0;
}

int32_t run_frame() {
  draw_backdrop(game_mode);
  if (game_mode == 2)
    play_step();
  else if (game_mode == 3 || game_mode == 4)
    menu_step();
  draw_hud();
  draw_scanlines(0);
  pf::flip(-1);
  mode_keys();
  suspend_check();
  return 0;
}

int32_t exit_sequence() {
  if (pf::channel_playing(music_chn)) {
    pf::stop_channel(music_chn);
    pf::delay(500);
  }
  best_score_io(1);
  return 0;
}

}  // namespace

int32_t mode_keys() {
  if (pf::key_hit(pf::key_escape)) {
    if (game_mode == 4) {
      quit_game = 1;
    } else if (game_mode == 3) {
      game_mode = 4;
      pf::move_mouse(320, 240);
      pf::flush_keys();
      pf::flush_mouse();
    } else if (game_mode == 2) {
      pause_game();
      pf::flush_keys();
      pf::flush_mouse();
    }
  }
  // The joystick's pause button is asked only when Space was not hit, so
  // its press can wait for a later frame.
  if (pf::key_hit(pf::key_space) || pf::joy_hit(1, 0)) {
    if (game_mode == 2) {
      pause_game();
      pf::flush_mouse();
      pf::flush_keys();
    } else if (game_mode == 3) {
      game_mode = 2;
      pf::flush_mouse();
      pf::flush_keys();
    }
  }
  if (pf::app_terminate()) quit_game = 1;
  return 0;
}

int game_main() {
  start_up();
  do {
    run_frame();
  } while (quit_game == 0);
  exit_sequence();
  return 0;
}

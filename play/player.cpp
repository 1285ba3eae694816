#include "play/player.h"

#include "platform/draw.h"
#include "platform/input.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/round.h"
#include "present/kvdraw.h"
#include "shell/assets.h"
#include "shell/sound.h"

std::unique_ptr<player_tag> player;
int32_t bomb_x = 0;
int32_t bomb_y = 0;
int32_t bomb_on = 0;
int32_t trail_ctr = 0;

int32_t player_tag::reset(int32_t n) {
  if (n != 0) {
    player->score = 0;
    player->level = 1;
    player->lives = 0;
    player->new_bs = 0;
  }
  round_result = 0;
  msg_alpha = 1.0f;
  player->x = 16.0f;
  player->y = 32.0f;
  scroll_sp = 8;
  place_diamond();
  bomb_on = 0;
  mtn_tag::init(0);
  clear_lists();
  round_phase = 0;
  return 0;
}

int32_t player_tag::update() {
  if (x >= 640) {
    // Off the screen with the bomb still on board: the round is lost.
    if (bomb_on == 0) {
      round_result = 3;
      msg_alpha = 1.0f;
      round_phase = 2;
    }
  } else {
    pf::set_color(255, 255, 255);
    kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
    if (ship_img) pf::draw_image(*ship_img, x, y, 0);
    if (scroll_sp == 0) {
      x = x + 8;
      trail_ctr -= 1;
      if (trail_ctr <= 0) {
        // Left where the craft will be drawn next frame.
        trail_tag::create_one(static_cast<int32_t>(x), static_cast<int32_t>(y), 0);
        trail_ctr = 8;
      }
    }
  }
  update_bomb();
  return 0;
}

int32_t player_tag::get_inputs() {
  // The first input with a press wins; the later ones keep theirs pending.
  const bool fire = pf::key_hit(pf::key_enter) || pf::key_hit(pf::key_down) ||
                    pf::key_hit(pf::key_lcontrol) || pf::mouse_hit(1) || pf::mouse_hit(2) ||
                    pf::joy_hit(0, 0);
  if (fire) {
    // No check of bomb_on: another press while it falls only sounds again.
    play_sfx(snd_dbomb);
    bomb_on = 1;
  }
  return 0;
}

int32_t update_bomb() {
  pf::set_color(255, 255, 255);
  kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
  if (bomb_img) pf::draw_image(*bomb_img, static_cast<float>(bomb_x), static_cast<float>(bomb_y), 0);
  if (bomb_on == 1 && round_result != 1) {
    trail_tag::create_one(bomb_x, bomb_y, 1);
    bomb_y += 8;
    if (bomb_y > 440) {
      if (bomb_x == dmd_x) {
        play_sfx(snd_dmond);
        round_phase = 2;
        bomb_y = 440;
        msg_alpha = 1.0f;
        player->score += player->level * 10;
        player->level += 1;
        round_result = 1;
      } else {
        // Resting in the gas; only the first arrival settles the round.
        bomb_y = 444;
        if (round_phase == 1) {
          play_sfx(snd_psgas);
          msg_alpha = 1.0f;
          round_result = 2;
          round_phase = 2;
        }
      }
    }
  } else if (round_result != 1) {
    bomb_x = static_cast<int32_t>(player->x + 40);
    bomb_y = static_cast<int32_t>(player->y + 32);
  }
  return 0;
}

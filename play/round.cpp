#include "play/round.h"

#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "play/effects.h"
#include "play/player.h"
#include "present/kvdraw.h"
#include "shell/game.h"
#include "shell/sound.h"

int32_t round_phase = 0;
int32_t round_result = 0;
int32_t scroll_sp = 0;
float msg_alpha = 0;
int32_t dmd_x = 0;
int32_t dmd_tx = 0;

namespace {

int32_t draw_get_ready() {
  const std::string txt = "Get Ready!";
  const int32_t w = pf::text_width(txt);
  pf::set_color(255, 255, 10);
  kvd->sip(3, msg_alpha, 0, 2.0f, 2.0f);
  pf::draw_text(txt, static_cast<float>(320 - (2 * w) / 2), 100);
  return 0;
}

int32_t draw_outcome_banner() {
  static const char* const texts[] = {"", "You Got The Diamond!", "Arrgh! - Poison Gas!",
                                      "What? - You Flew Away!"};
  const std::string txt = texts[round_result];
  const float w = static_cast<float>(pf::text_width(txt));
  pf::set_color(255, 255, 10);
  kvd->sip(3, msg_alpha, 0, 1.5f, 1.5f);
  pf::draw_text(txt, 320.0f - w * 1.5f / 2.0f, 100);
  return 0;
}

int32_t approach_step() {
  move_diamond();
  player->update();
  if (msg_alpha != 0) {
    draw_get_ready();
    msg_alpha = msg_alpha - 0.02f;
    if (msg_alpha < 0) msg_alpha = 0;
  }
  return 0;
}

int32_t flight_step() {
  move_diamond();
  trail_tag::update_all();
  player->update();
  player->get_inputs();
  block_tag::update_all();
  return 0;
}

int32_t outcome_step() {
  if (round_result == 1) {
    move_diamond();
    update_bomb();
    trail_tag::update_all();
    block_tag::update_all();
    player->update();  // the craft flies on and off the screen
    draw_outcome_banner();
    if (msg_alpha < 0) {
      msg_alpha = 0;
      player_tag::reset(0);
      play_sfx(snd_start);
    }
  } else if (round_result == 2) {
    move_diamond();
    update_bomb();
    trail_tag::update_all();
    block_tag::update_all();
    draw_outcome_banner();  // the craft is gone in the gas: not drawn
    if (msg_alpha < 0) {
      msg_alpha = 0;
      game_mode = 4;
    }
  } else if (round_result == 3) {
    draw_outcome_banner();  // everything else stands still, unseen
    if (msg_alpha < 0) {
      msg_alpha = 0;
      game_mode = 4;
    }
  }
  msg_alpha = msg_alpha - 0.01f;
  return 0;
}

}  // namespace

int32_t play_step() {
  if (round_phase == 0)
    approach_step();
  else if (round_phase == 1)
    flight_step();
  else if (round_phase == 2)
    outcome_step();
  if (player->score > player->best_sc) {
    if (player->new_bs == 0) player->new_bs = 1;
    player->best_sc = player->score;
  }
  return 0;
}

int32_t place_diamond() {
  dmd_tx = 8 * static_cast<int32_t>(pf::rnd(10, 70));
  // The marker starts off the right edge and scrolls in with the mountain.
  dmd_x = dmd_tx + 640;
  return 0;
}

int32_t move_diamond() {
  if (dmd_x <= 652) {
    kvd->sip(2, 1.0f, 0, 1.0f, 1.0f);
    // A fresh colour every frame makes the marker flash.
    const int32_t b = static_cast<int32_t>(pf::rnd(0, 255));
    const int32_t g = static_cast<int32_t>(pf::rnd(0, 255));
    const int32_t r = static_cast<int32_t>(pf::rnd(0, 255));
    pf::set_color(r, g, b);
    pf::draw_rect(static_cast<float>(dmd_x), 452, 8, 8);
  }
  dmd_x = dmd_x - scroll_sp;
  if (dmd_x < dmd_tx) {
    dmd_tx = -1;
    play_sfx(snd_flyin);
    scroll_sp = 0;
    round_phase = 1;
  }
  return 0;
}

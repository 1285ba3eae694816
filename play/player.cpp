#include "play/player.h"

#include "play/effects.h"
#include "play/mountain.h"
#include "play/round.h"

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

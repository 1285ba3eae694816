#include "play/mountain.h"

#include "platform/clock.h"
#include "platform/draw.h"
#include "play/effects.h"
#include "play/player.h"
#include "play/round.h"
#include "present/kvdraw.h"
#include "shell/sound.h"

std::array<std::unique_ptr<mtn_tag>, mtn_cols> mtn;
int32_t expl_ctr = 0;

int32_t mtn_tag::init(int32_t n) {
  int32_t height = static_cast<int32_t>(pf::rnd(20, 30));
  int32_t x = 0;
  for (int i = 0; i < mtn_cols; ++i) {
    if (n != 0) mtn[i] = std::make_unique<mtn_tag>();
    mtn[i]->h = height;
    mtn[i]->x = x;
    x += 8;
    // A random walk, one block up or down per column, kept within 20..30.
    if (static_cast<int32_t>(pf::rnd(0, 2)) == 1)
      --height;
    else
      ++height;
    if (height < 20)
      height = 20;
    else if (height > 30)
      height = 30;
  }
  return 0;
}

namespace {

int32_t blast_top_block(mtn_tag& col) {
  // The explosion sounds on the first block and then on every fifth.
  if (expl_ctr == 0) {
    play_sfx(snd_expld);
    expl_ctr = 4;
  } else {
    expl_ctr -= 1;
  }
  const int32_t h_before = col.h;
  col.h -= 1;
  player->score += 1;
  block_tag::create_one(static_cast<float>(col.x), static_cast<float>(452 - 8 * h_before));
  return 0;
}

}  // namespace

int32_t mtn_tag::draw_secs() {
  kvd->sip(2, 1.0f, 0, 1.0f, 1.0f);
  for (auto& col : mtn) {
    col->x -= scroll_sp;
    // A ring: a column leaving at the left comes back at the right.
    if (col->x <= -8) col->x = 640;
    bool hit = false;
    for (int32_t k = 0; k < col->h; ++k) {
      pf::set_color(180 - 4 * k, 100 - 4 * k, 20);
      pf::draw_rect(static_cast<float>(col->x), static_cast<float>(452 - 8 * k), 8, 8);
      // The bomb strikes when its tip enters the cell just above block k.
      const int32_t tip = bomb_y + 22;
      if (bomb_on != 0 && bomb_x == col->x && tip > 444 - 8 * k && tip < 452 - 8 * k) hit = true;
    }
    if (hit) blast_top_block(*col);
  }
  return 0;
}

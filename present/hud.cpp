#include "present/hud.h"

#include "platform/draw.h"
#include "platform/font.h"
#include "play/player.h"
#include "present/kvdraw.h"
#include "shell/options.h"

std::string hud_number(int32_t value) {
  std::string txt = std::to_string(value);
  if (value < 10) txt = "0" + txt;
  return txt;
}

int32_t draw_hud() {
  std::string txt = hud_number(player->score);
  pf::set_color(250, 250, 250);
  kvd->sip(3, 1.0f, 0, 1.0f, 1.0f);
  kvd->t3d(txt, 4, 0, 1.0f, 0);

  txt = hud_number(player->best_sc);
  const int32_t best_x = 320 - pf::text_width(txt) / 2;
  pf::set_color(200, 200, 10);
  kvd->sip(3, 1.0f, 0, 1.0f, 1.0f);
  kvd->t3d(txt, static_cast<float>(best_x), 0, 1.0f, 0);

  txt = hud_number(player->level);
  const int32_t level_x = 636 - pf::text_width(txt);
  pf::set_color(250, 250, 250);
  kvd->sip(3, 1.0f, 0, 1.0f, 1.0f);
  kvd->t3d(txt, static_cast<float>(level_x), 0, 1.0f, 0);
  return 0;
}

int32_t draw_scanlines(int32_t level) {
  if (retro_fx == 0) return 0;
  pf::set_color(level, level, level);
  pf::set_scale(1.0f, 1.0f);
  pf::set_blend(2);
  for (int32_t row = 1; row < pf::screen_h; row += 2)
    pf::draw_line(0, static_cast<float>(row), static_cast<float>(pf::screen_w),
                  static_cast<float>(row), true);
  pf::set_blend(1);
  pf::set_color(255, 255, 255);
  return 0;
}

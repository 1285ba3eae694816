#include "shell/menu.h"

#include <string>

#include "platform/draw.h"
#include "platform/input.h"
#include "play/player.h"
#include "present/kvdraw.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/options.h"
#include "shell/sound.h"

int32_t ptr_x = 0;
int32_t ptr_y = 0;

namespace {

// Volumes are stepped by adding 0.1 in single precision, not derived from the
// step: ten clicks up from "Off" end a hair above 1.0, as they always have.
int32_t step_volume(int32_t& lvl, float& vol) {
  lvl = lvl + 1;
  vol = vol + 0.1f;
  if (lvl > 10) {
    lvl = 0;
    vol = 0.0f;
  }
  return 0;
}

std::string row_caption(int32_t row) {
  const bool paused = game_mode == 3;
  switch (row) {
    case 0:
      return paused ? "Resume Game" : menu_txt[0];
    case 1:
      return menu_txt[1] + onoff_txt[retro_fx];
    case 2:
      return menu_txt[2] + level_txt[sound_lvl];
    case 3:
      return menu_txt[3] + level_txt[music_lvl];
    default:
      return paused ? "Quit This Game" : menu_txt[4];
  }
}

int32_t choose_row(int32_t row) {
  const bool paused = game_mode == 3;
  switch (row) {
    case 0:
      game_mode = 2;
      if (!paused) {
        play_sfx(snd_start);
        player_tag::reset(1);
      }
      break;
    case 1:
      retro_fx = retro_fx + 1;
      if (retro_fx > 1) retro_fx = 0;
      break;
    case 2:
      step_volume(sound_lvl, sound_vol);
      play_sfx(snd_expld);  // let the player hear the new level
      break;
    case 3:
      step_volume(music_lvl, music_vol);
      pf::set_channel_volume(music_chn, music_vol);
      break;
    case 4:
      if (paused) {
        game_mode = 4;
        pf::move_mouse(320, 240);
      } else {
        quit_game = 1;
      }
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

int32_t hovered_row(int32_t y) { return y > 220 ? (y - 220) / 40 : -1; }

int32_t menu_step() {
  joy_pointer();
  const int32_t mx = pf::mouse_x();
  const int32_t my = pf::mouse_y();

  pf::set_color(180, 180, 180);
  kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
  if (logo_img) pf::draw_image(*logo_img, 320, 125, 0);

  pf::set_color(180, 180, 10);
  kvd->sip(3, 1.0f, 0, 1.0f, 1.0f);
  kvd->t3d(ver_txt, 320, 460, 1.0f, 1);

  const int32_t hover = hovered_row(my);
  for (int32_t i = 0; i < 5; ++i) {
    const float scale = i == hover ? 1.2f : 1.0f;
    const float eye = i == hover ? 2.0f : 1.0f;
    pf::set_color(80, 160, 200);
    kvd->sip(3, 1.0f, 0, scale, scale);
    kvd->t3d(row_caption(i), 320, static_cast<float>(240 + 40 * i), eye, 1);
  }

  // A mouse click and a joystick press in one frame count once; the
  // joystick's press then waits for a later frame.
  if (pf::mouse_hit(1) || pf::joy_hit(0, 0)) {
    choose_row(hover);
    pf::flush_keys();
    pf::flush_mouse();
  }

  pf::set_color(255, 255, 255);
  kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
  kvd->i3d(ptr_img, static_cast<float>(mx), static_cast<float>(my), 0, 3.0f, 0, 1);
  return 0;
}

int32_t joy_pointer() {
  ptr_x = pf::mouse_x();
  ptr_y = pf::mouse_y();
  // Only a stick at full deflection moves the pointer.
  if (pf::joy_x(0) == -1.0f) {
    ptr_x -= 6;
    pf::move_mouse(ptr_x, ptr_y);
  }
  if (pf::joy_x(0) == 1.0f) {
    ptr_x += 6;
    pf::move_mouse(ptr_x, ptr_y);
  }
  if (pf::joy_y(0) == -1.0f) {
    ptr_y -= 6;
    pf::move_mouse(ptr_x, ptr_y);
  }
  if (pf::joy_y(0) == 1.0f) {
    ptr_y += 6;
    pf::move_mouse(ptr_x, ptr_y);
  }
  return 0;
}

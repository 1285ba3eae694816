#include "shell/intro.h"

#include "platform/display.h"
#include "platform/draw.h"
#include "platform/image.h"
#include "platform/input.h"
#include "present/backdrop.h"
#include "present/kvdraw.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/sound.h"

int32_t intro_splash(int32_t offset) {
  pf::ImageRef logo = pf::load_image("Embed::" RES_MAKER_LOGO, -1);
  if (logo) pf::mid_handle(*logo);
  const float x = static_cast<float>(pf::screen_w / 2);
  const float y = static_cast<float>(pf::screen_h / 2 + offset);

  // The title menu's backdrop for the whole run: the first play backdrop.
  pf::cls();
  draw_backdrop(2);
  if (grab_title) pf::grab_image(*grab_title, 0, 0, 0);
  start_music(1);

  float alpha = 1.0f;
  float growth = 0.1f;  // only times how long the logo holds at full strength
  for (;;) {
    draw_backdrop(4);
    pf::set_color(255, 255, 255);
    kvd->sip(3, alpha, 0, 1.0f, 1.0f);
    kvd->i3d(logo, x, y, 0, 0, 0, 1);
    if (growth > 1.0f)
      alpha = alpha - 0.01f;
    else
      growth = growth + 0.004f;
    if (alpha < 0) alpha = 0;
    pf::flip(-1);
    // In the background the splash just waits; the music plays on.
    while (pf::app_suspended()) {
    }
    if (pf::app_terminate()) {
      quit_game = 1;
      break;
    }
    if (pf::key_hit(pf::key_escape) || pf::key_hit(pf::key_space) || pf::mouse_hit(1) ||
        pf::joy_hit(0, 0))
      break;
    if (!(alpha > 0)) break;
  }

  pf::set_color(255, 255, 255);
  kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
  pf::flush_keys();
  pf::flush_mouse();
  return 0;
}

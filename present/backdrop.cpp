#include "present/backdrop.h"

#include "platform/draw.h"
#include "play/mountain.h"
#include "play/round.h"
#include "present/kvdraw.h"
#include "shell/assets.h"

float cloud1_x = 50;
float cloud2_x = 450;

namespace {

int32_t draw_sky() {
  // After poison gas the sky turns green and lightens downward; otherwise it
  // darkens from blue-grey towards night blue (below 0 is drawn as 0).
  const bool gassed = round_result == 2;
  int32_t r = gassed ? 10 : 80, g = gassed ? 80 : 80, b = gassed ? 20 : 150;
  for (int32_t k = 0; k < 46; ++k) {
    pf::set_color(r, g, b);
    pf::draw_rect(0, static_cast<float>(10 * k), 640, 10);
    if (gassed) {
      r += 1;
      g += 2;
      b += 2;
    } else {
      r -= 2;
      g -= 2;
      b -= 2;
    }
  }
  return 0;
}

int32_t drift_clouds() {
  const int32_t d = scroll_sp / 2;
  cloud1_x -= static_cast<float>(d);
  cloud2_x -= static_cast<float>(d);
  // Back in at the right edge once wholly off the left.
  if (cloud1_x < -150) cloud1_x = 640;
  if (cloud2_x < -150) cloud2_x = 640;
  return 0;
}

}  // namespace

int32_t draw_backdrop(int32_t mode) {
  pf::cls();
  if (mode == 3) {
    // Alpha, rotation and scale are what the last frame's score line left.
    pf::set_color(30, 30, 80);
    pf::set_blend(1);
    if (grab_pause) pf::draw_image(*grab_pause, 0, 0, 0);
  } else if (mode == 4) {
    pf::set_color(30, 10, 60);
    kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
    if (grab_title) pf::draw_image(*grab_title, 0, 0, 0);
  } else if (mode == 2) {
    kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
    draw_sky();
    pf::set_color(20, 160, 80);
    pf::draw_rect(0, 460, 640, 20);
    mtn_tag::draw_secs();
    draw_cloud(cloud1_x, 90);
    draw_cloud(cloud2_x, 170);
    drift_clouds();
  }
  return 0;
}

int32_t draw_cloud(float x, float y) {
  // Three overlapping translucent slabs: the overlaps come out lighter.
  kvd->sip(3, 0.6f, 0, 1.0f, 1.0f);
  pf::set_color(150, 150, 190);
  pf::draw_rect(x + 30, y, 90, 50);
  pf::set_color(175, 175, 205);
  pf::draw_rect(x + 10, y + 10, 130, 30);
  pf::set_color(200, 200, 240);
  pf::draw_rect(x, y + 20, 150, 10);
  return 0;
}

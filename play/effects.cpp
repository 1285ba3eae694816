#include "play/effects.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/draw.h"
#include "present/kvdraw.h"
#include "shell/assets.h"

std::vector<block_tag> block_list;
std::vector<trail_tag> trail_list;

namespace {

// Runs update on every object present when the pass began, by index, since
// an update may append to the list; then drops the ones that left.
template <typename T>
int32_t update_list(std::vector<T>& list) {
  const size_t count = list.size();
  for (size_t i = 0; i < count; ++i) list[i].update();
  std::erase_if(list, [](const T& obj) { return obj.gone; });
  return 0;
}

}  // namespace

int32_t block_tag::create_one(float x, float y) {
  block_tag b;
  b.x = x;
  b.y = y;
  b.xsp = static_cast<float>(pf::rnd(-8, 8));
  b.ysp = static_cast<float>(pf::rnd(-8, -2));  // always thrown upward
  block_list.push_back(b);
  return 0;
}

int32_t block_tag::update() {
  x = x + xsp;
  y = y + ysp;
  pf::set_color(200, 180, 10);
  kvd->sip(2, 1.0f, 0, 1.0f, 1.0f);
  pf::draw_rect(x, y, 8, 8);
  ysp = ysp + 0.2f;
  // Drag flips sides of 0 rather than stopping there: the old arcade feel.
  if (xsp >= 0)
    xsp = xsp - 0.1f;
  else
    xsp = xsp + 0.1f;
  if (y > 480 || x < 0 || x > 632) gone = true;
  return 0;
}

int32_t block_tag::update_all() { return update_list(block_list); }

int32_t block_tag::destroy_all() {
  block_list.clear();
  return 0;
}

int32_t trail_tag::create_one(int32_t x, int32_t y, int32_t frame) {
  trail_tag t;
  t.alpha = 1.0f;
  t.frame = frame;
  t.x = static_cast<float>(x);
  t.y = static_cast<float>(y);
  trail_list.push_back(t);
  return 0;
}

int32_t trail_tag::update() {
  pf::set_color(255, 255, 255);
  kvd->sip(3, alpha, 0, 1.0f, 1.0f);
  const pf::ImageRef& img = frame == 0 ? ship_img : bomb_img;
  if ((frame == 0 || frame == 1) && img) pf::draw_image(*img, x, y, 0);
  alpha = alpha - 0.05f;
  if (!(alpha > 0)) gone = true;
  return 0;
}

int32_t trail_tag::update_all() { return update_list(trail_list); }

int32_t trail_tag::destroy_all() {
  trail_list.clear();
  return 0;
}

int32_t clear_lists() {
  block_tag::destroy_all();
  trail_tag::destroy_all();
  return 0;
}

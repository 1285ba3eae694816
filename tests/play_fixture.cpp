#include "tests/play_fixture.h"

#include <memory>

#include "platform/audio/sound.h"
#include "platform/audio_record.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "present/kvdraw.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/sound.h"

namespace {

pf::SoundRef named_sound(const char* name) {
  auto s = std::make_shared<pf::Sound>();
  s->name = name;
  s->rate = 44100;
  s->channels = 1;
  s->samples.assign(16, 0);
  return s;
}

}  // namespace

void PlayFixture::SetUp() {
  pf::set_backend(&backend_);
  pf::input_state() = pf::InputState{};
  pf::input_state().joy_added(pf::headless_joystick_id);
  pf::seed_rnd(12345);
  kvd = std::make_unique<kvdraw_tag>();
  player = std::make_unique<player_tag>();
  mtn_tag::init(1);
  clear_lists();
  // Bright, distinct pictures: where they land can be read off the frame.
  ship_img = solid_image(77, 40, rgb(0, 250, 250));
  bomb_img = solid_image(8, 21, rgb(250, 0, 250));
  snd_expld = named_sound("expld");
  snd_flyin = named_sound("flyin");
  snd_dbomb = named_sound("dbomb");
  snd_start = named_sound("start");
  snd_dmond = named_sound("dmond");
  snd_psgas = named_sound("psgas");
  game_mode = 2;
  round_phase = 1;
  round_result = 0;
  scroll_sp = 0;
  msg_alpha = 0;
  dmd_x = 0;
  dmd_tx = -1;
  bomb_x = bomb_y = bomb_on = 0;
  trail_ctr = 0;
  expl_ctr = 0;
  pf::cls();
  pf::record_started_sounds(true);
  pf::take_started_sounds();
}

void PlayFixture::TearDown() {
  pf::record_started_sounds(false);
  pf::run_sound_without_device(1024);  // lets the short sounds end
  clear_lists();
  ship_img.reset();
  bomb_img.reset();
  snd_expld = snd_flyin = snd_dbomb = snd_start = snd_dmond = snd_psgas = nullptr;
  pf::set_backend(nullptr);
}

std::vector<std::string> PlayFixture::sounds() {
  std::vector<std::string> names;
  for (const pf::StartedSound& s : pf::take_started_sounds()) names.push_back(s.name);
  return names;
}

uint32_t PlayFixture::pixel(int x, int y) {
  return pf::frame_pixels()[y * pf::screen_w + x] & 0x00FFFFFFu;
}

pf::ImageRef PlayFixture::solid_image(int w, int h, uint32_t colour) {
  auto img = std::make_shared<pf::Image>();
  img->width = w;
  img->height = h;
  img->flags = pf::img_masked;
  img->frames.assign(1, std::vector<uint32_t>(static_cast<size_t>(w * h), 0xFF000000u | colour));
  return img;
}

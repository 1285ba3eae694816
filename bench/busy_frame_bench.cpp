// One busy play frame through the platform's own drawing calls: the sky, the
// ground, a full mountain with a colour change per block, two clouds, debris,
// a row of fading trail sprites, the ship and a falling bomb's trail, the
// score line, the diamond banner and the scanlines. The list is fixed so the
// figure can be set beside other renderers doing the same work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/embedded.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"

namespace {

struct Assets {
  pf::ImageRef ship, bomb;
  pf::FontRef font;
};

const Assets& assets() {
  static const Assets a = [] {
    Assets out;
    const auto picture = [](const char* name) {
      const EmbeddedFile* f = find_embedded(name);
      pf::ImageRef img =
          f ? pf::decode_png(f->bytes, size_t(f->size), pf::img_masked | pf::img_dynamic, nullptr)
            : nullptr;
      if (!img) {
        std::fprintf(stderr, "busy frame: no built-in %s\n", name);
        std::exit(1);
      }
      return img;
    };
    out.ship = picture("ship.png");
    out.bomb = picture("bomb.png");
    const EmbeddedFile* f = find_embedded("game_font.ttf");
    out.font = f ? pf::load_font_from_memory(f->bytes, size_t(f->size), 30, nullptr) : nullptr;
    if (!out.font) {
      std::fprintf(stderr, "busy frame: no built-in font\n");
      std::exit(1);
    }
    return out;
  }();
  return a;
}

// The drawing helper's one call for blend, alpha, rotation and scale.
void sip(int blend, float alpha, float rot, float sx, float sy) {
  pf::set_blend(blend);
  pf::set_alpha(alpha);
  pf::set_transform(rot, sx, sy);
}

void cloud(float x, float y) {
  sip(3, 0.6f, 0, 1, 1);
  pf::set_color(150, 150, 190);
  pf::draw_rect(x + 30, y, 90, 50);
  pf::set_color(175, 175, 205);
  pf::draw_rect(x + 10, y + 10, 130, 30);
  pf::set_color(200, 200, 240);
  pf::draw_rect(x, y + 20, 150, 10);
}

void busy_frame(const Assets& a) {
  pf::cls();

  sip(1, 1, 0, 1, 1);
  for (int k = 0; k < 46; ++k) {
    pf::set_color(80 - 2 * k, 80 - 2 * k, 150 - 2 * k);
    pf::draw_rect(0, float(10 * k), 640, 10);
  }
  pf::set_color(20, 160, 80);
  pf::draw_rect(0, 460, 640, 20);

  sip(2, 1, 0, 1, 1);
  for (int i = 0; i <= 80; ++i) {
    const int h = 20 + (7 * i) % 11;
    for (int k = 0; k < h; ++k) {
      pf::set_color(180 - 4 * k, 100 - 4 * k, 20);
      pf::draw_rect(float(8 * i), float(452 - 8 * k), 8, 8);
    }
  }

  cloud(50, 90);
  cloud(450, 170);

  for (int j = 0; j < 30; ++j) {
    pf::set_color(200, 180, 10);
    sip(2, 1, 0, 1, 1);
    pf::draw_rect(100 + 13.7f * float(j), 200 + 5.3f * float(j), 8, 8);
  }

  for (int j = 0; j < 24; ++j) {
    pf::set_color(255, 255, 255);
    sip(3, 1.0f - 0.04f * float(j), 0, 1, 1);
    pf::draw_image(*a.ship, float(16 + 24 * j), 32);
  }
  sip(1, 1, 0, 1, 1);
  pf::draw_image(*a.ship, 400, 32);
  for (int j = 0; j < 20; ++j) pf::draw_image(*a.bomb, 408, float(64 + 8 * j));

  pf::set_font(a.font);
  pf::set_color(250, 250, 250);
  sip(3, 1, 0, 1, 1);
  pf::draw_text("1234", 4, 0);
  pf::set_color(200, 200, 10);
  sip(3, 1, 0, 1, 1);
  pf::draw_text("5678", float(320 - pf::text_width("5678") / 2), 0);
  pf::set_color(250, 250, 250);
  sip(3, 1, 0, 1, 1);
  pf::draw_text("12", float(636 - pf::text_width("12")), 0);

  const std::string banner = "You Got The Diamond!";
  pf::set_color(255, 255, 10);
  sip(3, 0.5f, 0, 1.5f, 1.5f);
  pf::draw_text(banner, 320 - float(pf::text_width(banner)) * 1.5f / 2, 100);  // top at y 100

  pf::set_color(0, 0, 0);
  pf::set_scale(1, 1);
  pf::set_blend(2);
  for (int row = 1; row < pf::screen_h; row += 2) pf::draw_line(0, float(row), 640, float(row), true);
  pf::set_blend(1);
  pf::set_color(255, 255, 255);
}

void BM_BusyFrame(benchmark::State& state) {
  const Assets& a = assets();
  for (auto _ : state) {
    busy_frame(a);
    benchmark::DoNotOptimize(pf::frame_pixels()[640 * 240 + 320]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

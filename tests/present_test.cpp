// The screen furniture: score-line numbers, sky, clouds, scanlines and the
// drawing helper's text centring, drawn into the real frame buffer.
#include <gtest/gtest.h>

#include "platform/draw.h"
#include "platform/font.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "present/backdrop.h"
#include "present/hud.h"
#include "present/kvdraw.h"
#include "shell/options.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

Rgb pixel(int x, int y) {
  const uint32_t p = pf::frame_pixels()[y * pf::screen_w + x];
  return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
          static_cast<int>(p & 255)};
}

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// A font whose every glyph is a solid white block of the whole advance and
// line height, so text placement can be read off the frame exactly.
pf::FontRef block_font(int advance, int line_height) {
  auto font = std::make_shared<pf::Font>();
  font->size = line_height;
  font->ascender = line_height;
  font->line_height = line_height;
  auto img = std::make_shared<pf::Image>();
  img->width = advance;
  img->height = line_height;
  img->frames.assign(1, std::vector<uint32_t>(advance * line_height, 0xFFFFFFFFu));
  for (int c = 'A'; c <= 'Z'; ++c) {
    pf::Glyph& g = font->glyphs[c];
    g.present = true;
    g.advance = advance;
    g.image = img;
  }
  return font;
}

class PresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kvd = std::make_unique<kvdraw_tag>();
    player = std::make_unique<player_tag>();
    mtn_tag::init(1);
    round_result = 0;
    scroll_sp = 0;
    retro_fx = 0;
    cloud1_x = 50;
    cloud2_x = 450;
  }
  void TearDown() override {
    pf::set_font(nullptr);
    retro_fx = 0;
  }
};

TEST(HudNumber, PadsBelowTen) {
  const struct {
    int32_t value;
    const char* text;
  } cases[] = {{0, "00"}, {9, "09"}, {10, "10"}, {1234, "1234"}, {-1, "0-1"}};
  for (const auto& c : cases) EXPECT_EQ(hud_number(c.value), c.text) << c.value;
}

TEST_F(PresentTest, SkyBandsDarkenOrTurnGreenAfterPoisonGas) {
  // x 300 lies between the two clouds; the mountain starts below y 220.
  const struct {
    int32_t result;
    int y;
    Rgb colour;
  } cases[] = {
      {0, 5, {80, 80, 150}},   {0, 205, {40, 40, 110}}, {2, 5, {10, 80, 20}},
      {2, 205, {30, 120, 60}}, {0, 465, {20, 160, 80}},
  };
  for (const auto& c : cases) {
    round_result = c.result;
    draw_backdrop(2);
    EXPECT_EQ(pixel(300, c.y), c.colour) << "result " << c.result << " y " << c.y;
  }
}

TEST_F(PresentTest, SkyBelowZeroIsDrawnAsZero) {
  // Band 44 (y 440) would be (-8, -8, 62): red and green clamp to 0.
  for (auto& col : mtn) col->h = 0;
  draw_backdrop(2);
  EXPECT_EQ(pixel(300, 445), (Rgb{0, 0, 62}));
  EXPECT_EQ(pixel(300, 455), (Rgb{0, 0, 60}));
}

TEST_F(PresentTest, CloudsDriftAtHalfScrollSpeedAndWrapTo640) {
  scroll_sp = 8;
  std::vector<float> drawn_at;
  for (int i = 0; i < 53; ++i) {
    drawn_at.push_back(cloud1_x);
    draw_backdrop(2);
  }
  EXPECT_EQ(drawn_at[0], 50.0f);
  EXPECT_EQ(drawn_at[1], 46.0f);
  EXPECT_EQ(drawn_at[50], -150.0f);  // 51 frames from 50 down to -150
  EXPECT_EQ(drawn_at[51], 640.0f);   // -154 is past the edge: back at 640, no overshoot
  EXPECT_EQ(drawn_at[52], 636.0f);
}

TEST_F(PresentTest, CloudsStandStillWhenTheMountainStands) {
  draw_backdrop(2);
  draw_backdrop(2);
  EXPECT_EQ(cloud1_x, 50.0f);
  EXPECT_EQ(cloud2_x, 450.0f);
}

TEST_F(PresentTest, CloudOverlapsComeOutLighter) {
  draw_backdrop(2);
  const Rgb top_only = pixel(cloud1_x + 35, 92);   // first slab only
  const Rgb two = pixel(cloud1_x + 35, 102);       // first and second
  const Rgb three = pixel(cloud1_x + 35, 112);     // all three
  EXPECT_LT(top_only.r, two.r);
  EXPECT_LT(two.r, three.r);
}

TEST_F(PresentTest, ScanlinesCoverOddRowsOnlyWhenOn) {
  draw_backdrop(2);
  pf::set_blend(3);  // as the score line leaves it
  pf::set_color(250, 250, 250);
  retro_fx = 0;
  draw_scanlines(0);
  EXPECT_NE(pixel(300, 1), (Rgb{0, 0, 0}));
  int r, g, b;
  pf::get_color(r, g, b);
  EXPECT_EQ(pf::get_blend(), 3);  // nothing touched when off
  EXPECT_EQ(r, 250);

  retro_fx = 1;
  draw_scanlines(0);
  EXPECT_EQ(pixel(300, 0), (Rgb{80, 80, 150}));
  EXPECT_EQ(pixel(0, 1), (Rgb{0, 0, 0}));
  EXPECT_EQ(pixel(639, 1), (Rgb{0, 0, 0}));
  EXPECT_EQ(pixel(300, 479), (Rgb{0, 0, 0}));
  EXPECT_EQ(pixel(300, 478), (Rgb{20, 160, 80}));
  pf::get_color(r, g, b);
  EXPECT_EQ(pf::get_blend(), 1);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 255, 255}));
}

// Finds the bounding box of pure white pixels.
struct Box {
  int x0 = 9999, y0 = 9999, x1 = -1, y1 = -1;
};
Box white_box() {
  Box b;
  for (int y = 0; y < pf::screen_h; ++y)
    for (int x = 0; x < pf::screen_w; ++x)
      if (pixel(x, y) == (Rgb{255, 255, 255})) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x);
        b.y1 = std::max(b.y1, y);
      }
  return b;
}

TEST_F(PresentTest, CentredTextUsesTheScaleOfTheLatestSip) {
  pf::set_font(block_font(10, 30));
  pf::set_color(255, 255, 255);
  pf::set_blend(1);
  pf::set_alpha(1);

  // Before any sip the stored scale is 0: "centred" text keeps its corner.
  pf::cls();
  kvd->t3d("AB", 100, 100, 1.0f, 1);
  Box b = white_box();
  EXPECT_EQ(b.x0, 100);
  EXPECT_EQ(b.y0, 100);

  pf::cls();
  kvd->sip(1, 1.0f, 0, 1.0f, 1.0f);
  kvd->t3d("AB", 100, 100, 1.0f, 1);
  b = white_box();
  EXPECT_EQ(b.x0, 90);  // 20 wide, 30 high, centred on (100, 100)
  EXPECT_EQ(b.x1, 109);
  EXPECT_EQ(b.y0, 85);
  EXPECT_EQ(b.y1, 114);

}

TEST(KvDraw, SipStoresScaleAndLeavesColour) {
  kvdraw_tag k;
  pf::set_color(1, 2, 3);
  k.sip(3, 2.5f, 0, 1.2f, 1.5f);
  EXPECT_EQ(k.txt_xs, 1.2f);
  EXPECT_EQ(k.txt_ys, 1.5f);
  EXPECT_EQ(pf::get_alpha(), 2.5f);  // stored as given, clamped only when drawing
  int r, g, b;
  pf::get_color(r, g, b);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{1, 2, 3}));
}

}  // namespace

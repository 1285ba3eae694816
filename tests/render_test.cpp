// The software renderer's pixel rules: blends, coverage, sampling, lines,
// transforms, clipping, text placement and screen grabs.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/render/canvas.h"

namespace {

using pf::render::Canvas;

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* os) { *os << "(" << c.r << ", " << c.g << ", " << c.b << ")"; }

Rgb at(const Canvas& c, int x, int y) {
  const uint32_t p = c.pixel(x, y);
  return {int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff)};
}

// The smallest box holding every non-black pixel, and how many there are.
struct Painted {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // inclusive
  int count = 0;
  bool operator==(const Painted&) const = default;
};

void PrintTo(const Painted& p, std::ostream* os) {
  *os << "x " << p.x0 << ".." << p.x1 << ", y " << p.y0 << ".." << p.y1 << ", " << p.count
      << " pixels";
}

Painted painted(const Canvas& c) {
  Painted p;
  for (int y = 0; y < Canvas::height; ++y)
    for (int x = 0; x < Canvas::width; ++x)
      if (c.pixel(x, y) != 0) {
        p.x0 = std::min(p.x0, x), p.x1 = std::max(p.x1, x);
        p.y0 = std::min(p.y0, y), p.y1 = std::max(p.y1, y);
        ++p.count;
      }
  return p;
}

Painted box(int x0, int y0, int x1, int y1) {
  return {x0, y0, x1, y1, (x1 - x0 + 1) * (y1 - y0 + 1)};
}

// A picture made in the test, one frame, texels 0xAARRGGBB.
pf::Image picture(int w, int h, std::vector<uint32_t> texels, int flags = 0) {
  pf::Image img;
  img.width = w;
  img.height = h;
  img.flags = flags;
  img.frames.push_back(std::move(texels));
  return img;
}

// Fills the whole frame with one colour, leaving the state as a fresh canvas has it.
void fill(Canvas& c, Rgb col) {
  c.set_blend(2);
  c.set_color(col.r, col.g, col.b);
  c.draw_rect(0, 0, Canvas::width, Canvas::height);
}

// ---------------------------------------------------------------------------
// Blending a rectangle of (200, 100, 0) over (100, 50, 200).

struct BlendCase {
  const char* name;
  int mode;
  float alpha;
  Rgb src, dst, expected;
};

const BlendCase kBlendCases[] = {
    // name                 mode alpha  src            dst             expected
    {"masked opaque",        1, 1.00f, {200, 100, 0}, {100, 50, 200}, {200, 100, 0}},
    {"masked at 0.5 kept",   1, 0.50f, {200, 100, 0}, {100, 50, 200}, {200, 100, 0}},
    {"masked at 0.49 drops", 1, 0.49f, {200, 100, 0}, {100, 50, 200}, {100, 50, 200}},
    {"solid ignores alpha",  2, 0.00f, {200, 100, 0}, {100, 50, 200}, {200, 100, 0}},
    // ai = 64: (200*64 + 100*191 + 127) / 255 = 125, ...
    {"alpha quarter",        3, 0.25f, {200, 100, 0}, {100, 50, 200}, {125, 63, 150}},
    {"alpha none",           3, 0.00f, {200, 100, 0}, {100, 50, 200}, {100, 50, 200}},
    {"alpha full",           3, 1.00f, {200, 100, 0}, {100, 50, 200}, {200, 100, 0}},
    // 100 + (200*64 + 127) / 255 = 150, ...
    {"additive quarter",     4, 0.25f, {200, 100, 0}, {100, 50, 200}, {150, 75, 200}},
    {"additive saturates",   4, 1.00f, {200, 100, 0}, {100, 50, 200}, {255, 150, 200}},
    // (200*100 + 127) / 255 = 78, ...; alpha plays no part
    {"multiply",             5, 0.25f, {200, 100, 0}, {100, 50, 200}, {78, 20, 0}},
    // Colour and alpha are clamped when used, not when stored.
    {"colour clamped",       2, 1.00f, {300, -5, 128}, {0, 0, 0},     {255, 0, 128}},
    {"alpha above 1",        3, 1.70f, {200, 100, 0}, {100, 50, 200}, {200, 100, 0}},
    {"alpha below 0",        3, -0.3f, {200, 100, 0}, {100, 50, 200}, {100, 50, 200}},
    {"masked alpha above 1", 1, 9.00f, {200, 100, 0}, {100, 50, 200}, {200, 100, 0}},
};

TEST(RenderBlend, RectangleOverKnownDestination) {
  for (const BlendCase& bc : kBlendCases) {
    SCOPED_TRACE(bc.name);
    Canvas c;
    fill(c, bc.dst);
    c.set_color(bc.src.r, bc.src.g, bc.src.b);
    c.set_alpha(bc.alpha);
    c.set_blend(bc.mode);
    c.draw_rect(10, 10, 4, 4);
    EXPECT_EQ(at(c, 11, 11), bc.expected);
    EXPECT_EQ(at(c, 9, 9), bc.dst);  // outside the rectangle
    int r, g, b;
    c.get_color(r, g, b);
    EXPECT_EQ((Rgb{r, g, b}), bc.src);  // stored as given
    EXPECT_EQ(c.alpha(), bc.alpha);
  }
}

// A texel is multiplied by the colour, its alpha by the alpha.
struct TexelCase {
  const char* name;
  uint32_t texel;
  Rgb color;
  int mode;
  float alpha;
  Rgb expected;  // over (100, 50, 200)
};

const TexelCase kTexelCases[] = {
    // (255*128 + 127) / 255 = 128; (128*255 + 127) / 255 = 128
    {"tinted",                0xffff8000, {128, 255, 255}, 1, 1.0f, {128, 128, 0}},
    // (128*3 + 127) / 255 = 2: products round to nearest
    {"tint rounds",           0xff80ff00, {3, 255, 255},   2, 1.0f, {2, 255, 0}},
    {"masked texel 128 kept", 0x80ff8000, {255, 255, 255}, 1, 1.0f, {255, 128, 0}},
    {"masked texel 127 drop", 0x7fff8000, {255, 255, 255}, 1, 1.0f, {100, 50, 200}},
    {"masked alpha 0.49",     0xffff8000, {255, 255, 255}, 1, 0.49f, {100, 50, 200}},
    {"masked alpha 0.5",      0xffff8000, {255, 255, 255}, 1, 0.5f, {255, 128, 0}},
    // a = 128/255 * 0.5, ai = 64: (255*64 + 100*191 + 127) / 255 = 139, ...
    {"alpha texel and state", 0x80ff8000, {255, 255, 255}, 3, 0.5f, {139, 70, 150}},
    {"additive saturates",    0xffc86400, {255, 255, 255}, 4, 1.0f, {255, 150, 200}},
    {"multiply",              0xffc86400, {255, 255, 255}, 5, 0.0f, {78, 20, 0}},
    {"solid writes clear",    0x00000000, {255, 255, 255}, 2, 1.0f, {0, 0, 0}},
};

TEST(RenderBlend, TexelTimesColourAndAlpha) {
  for (const TexelCase& tc : kTexelCases) {
    SCOPED_TRACE(tc.name);
    Canvas c;
    fill(c, {100, 50, 200});
    c.set_color(tc.color.r, tc.color.g, tc.color.b);
    c.set_alpha(tc.alpha);
    c.set_blend(tc.mode);
    const pf::Image img = picture(1, 1, {tc.texel});
    c.draw_image(img, 20, 30, 0);
    EXPECT_EQ(at(c, 20, 30), tc.expected);
    EXPECT_EQ(at(c, 21, 30), (Rgb{100, 50, 200}));
  }
}

// After cls every pixel is black, whatever was there and whatever is drawn
// over part of the frame next.
TEST(RenderBlend, ClsThenDraw) {
  struct Case {
    const char* name;
    int mode;
    float alpha;
    float x, w;       // a band over rows 100..109
    Rgb in, outside;  // a pixel inside the band, and row 99
  } cases[] = {
      {"opaque band", 2, 1, 0, 640, {200, 100, 0}, {0, 0, 0}},
      {"half alpha band", 3, 0.5f, 0, 640, {100, 50, 0}, {0, 0, 0}},
      {"additive band", 4, 1, 0, 640, {200, 100, 0}, {0, 0, 0}},
      {"short opaque band", 2, 1, 5, 600, {200, 100, 0}, {0, 0, 0}},
      {"masked band too faint", 1, 0.2f, 0, 640, {0, 0, 0}, {0, 0, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Canvas c;
    fill(c, {255, 255, 255});
    c.cls();
    c.set_color(200, 100, 0);
    c.set_alpha(k.alpha);
    c.set_blend(k.mode);
    c.draw_rect(k.x, 100, k.w, 10);
    EXPECT_EQ(at(c, 320, 105), k.in);
    EXPECT_EQ(at(c, 320, 99), k.outside);
    const Rgb black{0, 0, 0};
    EXPECT_EQ(at(c, 2, 105), (k.x > 2 ? black : k.in));
    EXPECT_EQ(painted(c).count, (k.in == black ? 0 : int(k.w) * 10));
  }
  // A picture and a line over cleared rows blend with black too.
  Canvas c;
  fill(c, {255, 255, 255});
  c.cls();
  c.set_blend(3);
  c.set_alpha(0.5f);
  c.draw_image(picture(1, 1, {0xffc86400}), 10, 10, 0);
  c.draw_line(0, 20, 5, 20, true);
  EXPECT_EQ(at(c, 10, 10), (Rgb{100, 50, 0}));
  EXPECT_EQ(at(c, 3, 20), (Rgb{128, 128, 128}));
  EXPECT_EQ(painted(c).count, 1 + 6);
}

// ---------------------------------------------------------------------------
// Coverage: pixel centres, left/top inclusive, right/bottom exclusive; clipping.

struct CoverCase {
  const char* name;
  float x, y, w, h;
  Painted expected;
};

TEST(RenderCoverage, RectanglesByPixelCentre) {
  const CoverCase cases[] = {
      {"whole pixels", 10, 20, 3, 2, box(10, 20, 12, 21)},
      {"debris at 113.7", 113.7f, 200.2f, 8, 8, box(114, 200, 121, 207)},
      {"centre on left edge is in", 10.5f, 5.5f, 1, 1, box(10, 5, 10, 5)},
      {"centre on right edge is out", 10.25f, 5, 1.25f, 1, box(10, 5, 10, 5)},
      {"too thin for any centre", 10.6f, 5, 0.8f, 1, {}},
      {"negative size", 10, 10, -4, 4, {}},
      {"clipped left and top", -5, -5, 10, 10, box(0, 0, 4, 4)},
      {"clipped right and bottom", 635, 475, 10, 10, box(635, 475, 639, 479)},
      {"off every edge", -1e9f, -1e9f, 2e9f, 2e9f, box(0, 0, 639, 479)},
      {"beyond the right", 640, 0, 10, 10, {}},
      {"beyond the bottom", 0, 480, 10, 10, {}},
  };
  for (const CoverCase& cc : cases) {
    SCOPED_TRACE(cc.name);
    Canvas c;
    c.set_blend(2);
    c.draw_rect(cc.x, cc.y, cc.w, cc.h);
    EXPECT_EQ(painted(c), cc.expected);
  }
}

// Rotation and scale turn about the rectangle's own top-left corner.
struct TransformCase {
  const char* name;
  float degrees, sx, sy;
  float x, y, w, h;
  Painted expected;
};

TEST(RenderCoverage, RotationAndScaleAboutTheCorner) {
  const TransformCase cases[] = {
      {"scale 2", 0, 2, 2, 50, 60, 3, 2, box(50, 60, 55, 63)},
      {"quarter turn", 90, 1, 1, 100, 100, 10, 4, box(96, 100, 99, 109)},
      {"quarter turn scaled", 90, 2, 3, 100, 100, 3, 2, box(94, 100, 99, 105)},
      {"half turn", 180, 1, 1, 100, 100, 10, 4, box(90, 96, 99, 99)},
      {"minus a quarter", -90, 1, 1, 100, 100, 10, 4, box(100, 90, 103, 99)},
      {"mirrored", 0, -1, 1, 100, 100, 10, 4, box(90, 100, 99, 103)},
      {"scale 0 draws nothing", 0, 0, 1, 100, 100, 10, 4, {}},
  };
  for (const TransformCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    Canvas c;
    c.set_blend(2);
    c.set_transform(tc.degrees, tc.sx, tc.sy);
    c.draw_rect(tc.x, tc.y, tc.w, tc.h);
    EXPECT_EQ(painted(c), tc.expected);
  }
}

TEST(RenderCoverage, FortyFiveDegreesIsADiamond) {
  Canvas c;
  c.set_blend(2);
  c.set_transform(45, 1, 1);
  c.draw_rect(100, 100, 20, 20);
  // The square's diagonal, 28.3 pixels, hangs straight down from the corner.
  const Painted p = painted(c);
  EXPECT_EQ(p.x0, 86);
  EXPECT_EQ(p.x1, 113);
  EXPECT_EQ(p.y0, 100);
  EXPECT_EQ(p.y1, 127);
  EXPECT_NEAR(p.count, 400, 20);
  EXPECT_EQ(c.pixel(100, 114), 0xffffffu);  // the middle
  EXPECT_EQ(c.pixel(87, 101), 0u);          // outside a slanted edge
}

// ---------------------------------------------------------------------------
// Lines.

struct LineCase {
  const char* name;
  float x1, y1, x2, y2;
  bool last;
  std::vector<std::pair<int, int>> pixels;  // every pixel drawn
};

TEST(RenderLine, PixelsPlotted) {
  const LineCase cases[] = {
      {"end pixel left out", 10, 10, 14, 10, false, {{10, 10}, {11, 10}, {12, 10}, {13, 10}}},
      {"end pixel plotted", 10, 10, 13, 10, true, {{10, 10}, {11, 10}, {12, 10}, {13, 10}}},
      {"leftwards", 14, 10, 10, 10, false, {{14, 10}, {13, 10}, {12, 10}, {11, 10}}},
      {"vertical", 5, 7, 5, 9, true, {{5, 7}, {5, 8}, {5, 9}}},
      {"diagonal", 0, 0, 3, 3, true, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {"half steps stay", 0, 0, 4, 2, true, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
      {"steep", 0, 0, 2, 5, true, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
      {"fractional ends", 3.9f, 4.2f, 6.1f, 4.8f, true, {{3, 4}, {4, 4}, {5, 4}, {6, 4}}},
      {"a point", 7, 7, 7, 7, true, {{7, 7}}},
      {"nothing when the end is left out", 7, 7, 7, 7, false, {}},
      {"clipped", -2, 0, 1, 0, true, {{0, 0}, {1, 0}}},
  };
  for (const LineCase& lc : cases) {
    SCOPED_TRACE(lc.name);
    Canvas c;
    c.set_blend(2);
    c.draw_line(lc.x1, lc.y1, lc.x2, lc.y2, lc.last);
    for (auto [x, y] : lc.pixels) EXPECT_EQ(c.pixel(x, y), 0xffffffu) << x << "," << y;
    EXPECT_EQ(painted(c).count, int(lc.pixels.size()));
  }
}

TEST(RenderLine, ScanlineCoversTheWholeRow) {
  Canvas c;
  fill(c, {90, 90, 90});
  c.set_color(0, 0, 0);
  c.draw_line(0, 7, 640, 7, true);
  for (int x = 0; x < Canvas::width; ++x) ASSERT_EQ(c.pixel(x, 7), 0u) << x;
  EXPECT_EQ(at(c, 0, 6), (Rgb{90, 90, 90}));
  EXPECT_EQ(at(c, 639, 8), (Rgb{90, 90, 90}));
}

TEST(RenderLine, TurnsAboutItsStart) {
  Canvas c;
  c.set_blend(2);
  c.set_transform(90, 2, 1);
  c.draw_line(50, 50, 53, 50, true);  // 3 long, scaled to 6, turned to point down
  Painted p = painted(c);
  EXPECT_EQ(p, box(50, 50, 50, 56));
}

// ---------------------------------------------------------------------------
// Pictures: nearest and linear sampling, handles, turns, clipping.

TEST(RenderImage, NearestAgainstLinear) {
  // Two texels, black then white, stretched three times across six pixels;
  // turned a quarter, the same six run down the column left of the anchor.
  struct Case {
    int flags;
    float degrees;
    int expected[6];
  } cases[] = {
      {0, 0, {0, 0, 0, 255, 255, 255}},
      {0, 90, {0, 0, 0, 255, 255, 255}},
      // u - 0.5 = -0.33, 0, 0.33 (weight 85), 0.67 (171), 1, 1.33: edge texels clamp
      {pf::img_filtered, 0, {0, 0, 85, 170, 255, 255}},
      {pf::img_filtered, 90, {0, 0, 85, 170, 255, 255}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << k.flags << ", " << k.degrees << " degrees");
    Canvas c;
    fill(c, {7, 7, 7});
    c.set_transform(k.degrees, 3, 1);
    c.set_blend(2);
    c.set_color(255, 255, 255);
    const pf::Image img = picture(2, 1, {0xff000000, 0xffffffff}, k.flags);
    c.draw_image(img, 10, 10, 0);
    const bool turned = k.degrees != 0;
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(turned ? at(c, 9, 10 + i).g : at(c, 10 + i, 10).g, k.expected[i]) << i;
    EXPECT_EQ(turned ? at(c, 9, 16) : at(c, 16, 10), (Rgb{7, 7, 7}));
    EXPECT_EQ(turned ? at(c, 10, 10) : at(c, 10, 11), (Rgb{7, 7, 7}));
  }
}

pf::Image numbered_4x2() {
  // Texel (u, v) has red 10 + u and green 20 + v.
  std::vector<uint32_t> t;
  for (int v = 0; v < 2; ++v)
    for (int u = 0; u < 4; ++u) t.push_back(0xff000000u | (10u + u) << 16 | (20u + v) << 8);
  return picture(4, 2, t);
}

TEST(RenderImage, QuarterTurnAboutTheMiddleHandle) {
  Canvas c;
  pf::Image img = numbered_4x2();
  pf::mid_handle(img);
  EXPECT_EQ(img.handle_x, 2.0f);
  EXPECT_EQ(img.handle_y, 1.0f);
  c.set_transform(90, 1, 1);
  c.draw_image(img, 50, 50, 0);
  // Clockwise: the top row runs down the right-hand column.
  for (int v = 0; v < 2; ++v)
    for (int u = 0; u < 4; ++u) EXPECT_EQ(at(c, 50 - v, 48 + u), (Rgb{10 + u, 20 + v, 0}));
  EXPECT_EQ(painted(c).count, 8);
}

TEST(RenderImage, ScaledAboutTheHandle) {
  Canvas c;
  pf::Image img = numbered_4x2();
  img.handle_x = 1;
  img.handle_y = 1;
  c.set_transform(0, 2, 3);
  c.draw_image(img, 100, 100, 0);
  EXPECT_EQ(painted(c), box(98, 97, 105, 102));
  EXPECT_EQ(at(c, 98, 97), (Rgb{10, 20, 0}));
  EXPECT_EQ(at(c, 105, 102), (Rgb{13, 21, 0}));
  EXPECT_EQ(at(c, 100, 100), (Rgb{11, 21, 0}));  // the handle texel lands on the draw point
}

TEST(RenderImage, ClippedAtEveryEdge) {
  struct Case {
    float x, y;
    Painted expected;
  } cases[] = {
      {-2, -1, box(0, 0, 1, 0)},
      {638, 479, box(638, 479, 639, 479)},
      {-4, 10, {}},
      {640, 10, {}},
      {10.5f, 20.5f, box(10, 20, 13, 21)},  // centres on the left/top edges
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.x << "," << k.y);
    Canvas c;
    c.draw_image(numbered_4x2(), k.x, k.y, 0);
    EXPECT_EQ(painted(c), k.expected);
  }
}

TEST(RenderImage, MissingFrameDrawsNothing) {
  Canvas c;
  const pf::Image img = numbered_4x2();
  c.draw_image(img, 10, 10, 1);
  c.draw_image(img, 10, 10, -1);
  EXPECT_EQ(painted(c).count, 0);
}

// ---------------------------------------------------------------------------
// Text with a small hand-made font.

pf::ImageRef glyph_image(int w, int h, std::vector<uint8_t> alphas) {
  auto img = std::make_shared<pf::Image>();
  img->width = w;
  img->height = h;
  img->flags = pf::img_filtered;
  std::vector<uint32_t> t;
  for (uint8_t a : alphas) t.push_back(uint32_t(a) << 24 | 0xffffff);
  img->frames.push_back(t);
  return img;
}

pf::FontRef tiny_font() {
  auto f = std::make_shared<pf::Font>();
  f->size = 8;
  f->ascender = 6;
  f->line_height = 9;
  pf::Glyph& a = f->glyphs['A'];  // 3x3 with a graded ring around a solid centre
  a = {true, 5, 1, 2, glyph_image(3, 3, {0, 40, 0, 80, 255, 120, 0, 160, 0})};
  pf::Glyph& b = f->glyphs['B'];
  b = {true, 4, 0, 0, glyph_image(1, 1, {200})};
  pf::Glyph& d = f->glyphs['D'];  // solid, so linear sampling keeps it solid
  d = {true, 3, 0, 0, glyph_image(2, 2, {255, 255, 255, 255})};
  f->glyphs[' '] = {true, 2, 0, 0, nullptr};  // a blank advances without an image
  return f;
}

TEST(RenderText, Measures) {
  Canvas c;
  EXPECT_EQ(c.text_width("AB"), 0);
  EXPECT_EQ(c.text_height("AB"), 0);
  c.set_font(tiny_font());
  const struct {
    const char* text;
    int width;
  } cases[] = {{"", 0}, {"A", 5}, {"ABA", 14}, {"AxB", 9}, {"A B", 11}, {"\xe9", 0}};
  for (const auto& k : cases) EXPECT_EQ(c.text_width(k.text), k.width) << k.text;
  EXPECT_EQ(c.text_height(""), 9);
  EXPECT_EQ(c.text_height("ABA"), 9);
}

TEST(RenderText, GlyphsAtPenPlusOffset) {
  Canvas c;
  c.set_font(tiny_font());
  c.set_blend(3);
  c.draw_text("AxB A", 10, 20);  // x is missing: skipped, no advance
  // A at pen 0: image at (10 + 1, 20 + 2); at scale 1 the texels come through
  // unfiltered, so over black each pixel's level is the texel alpha.
  const int a_alpha[3][3] = {{0, 40, 0}, {80, 255, 120}, {0, 160, 0}};
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(at(c, 11 + i, 22 + j).g, a_alpha[j][i]) << i << "," << j;
      EXPECT_EQ(at(c, 22 + i, 22 + j).g, a_alpha[j][i]) << i << "," << j;  // pen 11
    }
  EXPECT_EQ(at(c, 15, 20), (Rgb{200, 200, 200}));  // B at pen 5
  EXPECT_EQ(painted(c).count, 2 * 5 + 1);
}

TEST(RenderText, HalfPixelDownBlendsRows) {
  Canvas c;
  c.set_font(tiny_font());
  c.set_blend(3);
  c.draw_text("A", 10, 20.5f);
  // Each screen row samples half of one glyph row and half of the next.
  const int expected[3][3] = {{0, 40, 0}, {40, 148, 60}, {40, 208, 60}};
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) EXPECT_EQ(at(c, 11 + i, 22 + j).g, expected[j][i]) << i << "," << j;
  EXPECT_EQ(painted(c), (Painted{11, 22, 13, 24, 7}));
}

TEST(RenderText, ColourAndTransformOfTheWholeLine) {
  Canvas c;
  c.set_font(tiny_font());
  c.set_blend(1);
  c.set_color(200, 100, 50);
  c.set_transform(0, 2, 2);
  c.draw_text("D", 30, 40);
  EXPECT_EQ(painted(c), box(30, 40, 33, 43));
  EXPECT_EQ(at(c, 33, 43), (Rgb{200, 100, 50}));

  Canvas t;
  t.set_font(tiny_font());
  t.set_transform(90, 1, 1);
  t.draw_text("DD", 100, 100);  // the pen runs down the screen
  Painted p = painted(t);
  EXPECT_EQ(p.count, 8);
  EXPECT_EQ(p.x0, 98);
  EXPECT_EQ(p.x1, 99);
  EXPECT_EQ(p.y0, 100);
  EXPECT_EQ(p.y1, 104);
  EXPECT_EQ(t.pixel(99, 102), 0u);  // the gap between the two
}

TEST(RenderText, NoFontDrawsNothing) {
  Canvas c;
  c.draw_text("AB", 10, 10);
  EXPECT_EQ(painted(c).count, 0);
}

// ---------------------------------------------------------------------------
// The global frame: clearing, grabbing, masks, state round trips.

class GlobalFrame : public testing::Test {
 protected:
  void SetUp() override {
    pf::set_transform(0, 1, 1);
    pf::set_alpha(1);
    pf::set_blend(2);
    pf::cls();
  }
  void TearDown() override {
    pf::set_mask_color(0, 0, 0);
    pf::cls();
  }
};

TEST_F(GlobalFrame, ClsClearsEverything) {
  pf::set_color(9, 9, 9);
  pf::draw_rect(0, 0, 640, 480);
  pf::cls();
  const uint32_t* px = pf::frame_pixels();
  for (int i = 0; i < pf::screen_w * pf::screen_h; ++i) ASSERT_EQ(px[i], 0u) << i;
}

TEST_F(GlobalFrame, GrabCopiesAndMasks) {
  // Frame row 0 at x 0..2: red, black, white; x -1 lies off screen.
  pf::set_color(255, 0, 0);
  pf::draw_rect(0, 0, 1, 1);
  pf::set_color(255, 255, 255);
  pf::draw_rect(2, 0, 1, 1);
  const struct {
    const char* name;
    int flags;
    Rgb mask;
    std::vector<uint32_t> expected;
  } cases[] = {
      {"masked black", pf::img_masked, {0, 0, 0},
       {0x00000000, 0xffff0000, 0x00000000, 0xffffffff}},
      {"not masked", 0, {0, 0, 0}, {0xff000000, 0xffff0000, 0xff000000, 0xffffffff}},
      {"masked white", pf::img_masked, {255, 255, 255},
       {0xff000000, 0xffff0000, 0xff000000, 0x00ffffff}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    pf::set_mask_color(k.mask.r, k.mask.g, k.mask.b);
    pf::ImageRef img = pf::create_image(4, 1, 2, k.flags);
    ASSERT_TRUE(img);
    pf::grab_image(*img, -1, 0, 1);
    EXPECT_EQ(img->frames[1], k.expected);
    EXPECT_EQ(img->frames[0], std::vector<uint32_t>(4, k.flags & pf::img_masked ? 0u : 0xff000000u));
  }
}

TEST_F(GlobalFrame, GrabbedPictureDrawsBackMasked) {
  pf::set_color(30, 60, 90);
  pf::draw_rect(5, 5, 2, 1);  // (5,5) and (6,5); (4,5) stays black
  pf::ImageRef img = pf::create_image(3, 1, 1, pf::img_masked);
  pf::grab_image(*img, 4, 5);
  pf::set_color(255, 255, 255);
  pf::draw_rect(100, 100, 3, 1);
  pf::set_blend(1);
  pf::draw_image(*img, 100, 100);
  const uint32_t* px = pf::frame_pixels();
  EXPECT_EQ(px[100 * 640 + 100], 0xffffffu);  // black was transparent
  EXPECT_EQ(px[100 * 640 + 101], 0x1e3c5au);
  EXPECT_EQ(px[100 * 640 + 102], 0x1e3c5au);
}

TEST_F(GlobalFrame, StateRoundTrips) {
  pf::set_rotation(30);
  pf::set_scale(2, 3);
  float sx, sy;
  pf::get_scale(sx, sy);
  EXPECT_EQ(pf::get_rotation(), 30.0f);  // scale left the rotation alone
  EXPECT_EQ(sx, 2.0f);
  EXPECT_EQ(sy, 3.0f);
  pf::set_rotation(45);
  pf::get_scale(sx, sy);
  EXPECT_EQ(sx, 2.0f);  // rotation left the scale alone
  pf::set_blend(5);
  EXPECT_EQ(pf::get_blend(), 5);
  pf::set_alpha(-2.5f);
  EXPECT_EQ(pf::get_alpha(), -2.5f);
}

TEST(Images, CreateAndAutomaticFlags) {
  const int saved = pf::auto_image_flags();
  pf::set_auto_image_flags(9);
  pf::ImageRef img = pf::create_image(5, 3, 2);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->flags, 9);
  EXPECT_EQ(img->frames.size(), 2u);
  EXPECT_EQ(img->frames[1].size(), 15u);
  EXPECT_EQ(pf::create_image(5, 3, 1, 2)->flags, 2);
  EXPECT_EQ(pf::create_image(0, 3), nullptr);
  EXPECT_EQ(pf::create_image(5, 3, 0), nullptr);
  pf::mid_handle(*img);
  EXPECT_EQ(img->handle_x, 2.5f);
  EXPECT_EQ(img->handle_y, 1.5f);
  pf::set_auto_image_flags(saved);
}

}  // namespace

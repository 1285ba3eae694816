// Pictures drawn run by run: rows with clear gaps, part-transparent and
// solid runs of every length around a block of 8, clipped at the screen's
// edge, must give each pixel the per-texel blend; and a picture whose texels
// a grab replaced must draw with its new texels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/render/canvas.h"

namespace {

using pf::render::Canvas;

constexpr uint32_t kBackground = 0x305070;

// The blend of one texel over the background, straight from the pixel rules.
uint32_t expected_pixel(int mode, uint32_t texel, float alpha) {
  const float a255 = static_cast<float>(static_cast<int>(texel >> 24)) * alpha;
  const uint32_t ai = static_cast<uint32_t>(static_cast<int>(a255 + 0.5f));
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t s = (texel >> shift) & 0xff, d = (kBackground >> shift) & 0xff;
    uint32_t c = d;
    if (mode == 1) c = a255 >= 127.5f ? s : d;
    if (mode == 3) c = (s * ai + d * (255 - ai) + 127) / 255;
    if (mode == 4) c = std::min(255u, d + (s * ai + 127) / 255);
    out |= c << shift;
  }
  return out;
}

// One row: clear texels, then runs of the given lengths, each followed by a
// clear gap; odd runs are solid, even ones part transparent.
std::vector<uint32_t> runs_row(const std::vector<int>& lengths) {
  std::vector<uint32_t> row(3, 0x00ffffff);
  int k = 0;
  for (const int len : lengths) {
    for (int i = 0; i < len; ++i) {
      const uint32_t rgb = 0x102030u * uint32_t(1 + (k + i) % 7);
      const uint32_t a = k % 2 ? 0xffu : uint32_t(40 + 13 * i % 200);
      row.push_back(a << 24 | (rgb & 0xffffff));
    }
    row.push_back(0x00ffffff);
    row.push_back(0);
    ++k;
  }
  return row;
}

TEST(TexelRuns, EveryPixelAsThePerTexelBlend) {
  const std::vector<int> lengths = {1, 7, 8, 9, 16, 17, 3, 24};
  const std::vector<uint32_t> row = runs_row(lengths);
  const int w = static_cast<int>(row.size());
  pf::Image img;
  img.width = w;
  img.height = 2;
  img.frames.push_back(row);
  img.frames[0].insert(img.frames[0].end(), row.rbegin(), row.rend());  // second row mirrored

  const struct {
    int mode;
    float alpha;
    int x;  // where the picture's left edge goes; negative and far right clip it
  } cases[] = {{3, 1.0f, 10}, {3, 0.6f, 10}, {3, 0.6f, -5}, {3, 0.6f, Canvas::width - 37},
               {1, 1.0f, 10}, {1, 0.4f, 10}, {1, 0.7f, -13}, {4, 0.8f, 10},
               {4, 1.0f, Canvas::width - 30}};
  for (const auto& k : cases) {
    SCOPED_TRACE("mode " + std::to_string(k.mode) + " alpha " + std::to_string(k.alpha) +
                 " at x " + std::to_string(k.x));
    Canvas c;
    c.set_blend(2);
    c.set_color(kBackground >> 16, (kBackground >> 8) & 0xff, kBackground & 0xff);
    c.draw_rect(0, 0, Canvas::width, Canvas::height);
    c.set_color(255, 255, 255);
    c.set_blend(k.mode);
    c.set_alpha(k.alpha);
    // Drawn twice, so the second draw uses the runs the first worked out.
    for (int pass = 0; pass < 2; ++pass) {
      c.draw_image(img, float(k.x), 100.0f + 10 * pass, 0);
      for (int v = 0; v < 2; ++v)
        for (int u = 0; u < w; ++u) {
          const int x = k.x + u;
          if (x < 0 || x >= Canvas::width) continue;
          ASSERT_EQ(c.pixel(x, 100 + 10 * pass + v),
                    expected_pixel(k.mode, img.frames[0][size_t(v) * w + u], k.alpha))
              << "texel " << u << ", " << v << " pass " << pass;
        }
    }
  }
}

TEST(TexelRuns, GrabbedTexelsDrawAfterTheOldOnes) {
  Canvas c;
  pf::Image img;
  img.width = 12;
  img.height = 1;
  img.flags = pf::img_masked;
  img.frames.assign(1, std::vector<uint32_t>(12, 0));  // all clear
  c.set_blend(3);
  c.draw_image(img, 0, 50, 0);  // works out runs for the clear picture
  EXPECT_EQ(c.pixel(5, 50), 0u);

  c.set_blend(2);
  c.set_color(200, 100, 50);
  c.draw_rect(0, 0, 12, 1);
  c.grab(img, 0, 0, 0, 0);  // now every texel is opaque
  c.set_blend(3);
  c.set_color(255, 255, 255);
  c.draw_image(img, 0, 50, 0);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(c.pixel(x, 50), 0xc86432u) << x;
}

}  // namespace

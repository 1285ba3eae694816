// The game's own font as the loader renders it: metrics at the game's size,
// glyph images and their placement against the baseline.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/font.h"
#include "platform/resources.h"

namespace {

const std::string font_path = std::string(OV_SOURCE_DIR) + "/assets/game_font.ttf";

class LoadedGameFont : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(pf::read_all(font_path, bytes)) << font_path;
    std::string error;
    font_ = pf::load_font_from_memory(bytes.data(), bytes.size(), 30, &error);
    ASSERT_NE(font_, nullptr) << error;
    EXPECT_EQ(error, "");
  }
  static void TearDownTestSuite() { font_.reset(); }
  static pf::FontRef font_;
};
pf::FontRef LoadedGameFont::font_;

TEST_F(LoadedGameFont, MetricsAtTheGameSize) {
  ASSERT_NE(font_, nullptr);
  EXPECT_EQ(font_->size, 30);
  EXPECT_EQ(font_->ascender, 25);
  EXPECT_EQ(font_->line_height, 30);
}

TEST_F(LoadedGameFont, PrintableAsciiPresentControlCodesSkipped) {
  ASSERT_NE(font_, nullptr);
  for (int c = 32; c <= 126; ++c) {
    EXPECT_TRUE(font_->glyphs[c].present) << "char " << c;
    EXPECT_GT(font_->glyphs[c].advance, 0) << "char " << c;
  }
  // No face draws control codes: below space, DEL and the C1 block.
  for (int c : {0, 9, 10, 31, 127, 128, 141, 159}) {
    EXPECT_FALSE(font_->glyphs[c].present) << "char " << c;
    EXPECT_EQ(font_->glyphs[c].advance, 0) << "char " << c;
    EXPECT_EQ(font_->glyphs[c].image, nullptr) << "char " << c;
  }
}

// Every glyph: white texels, coverage in alpha, and a frame of one fully
// transparent texel all round.
TEST_F(LoadedGameFont, GlyphImagesAreWhiteAndPadded) {
  ASSERT_NE(font_, nullptr);
  for (int c = 32; c < 256; ++c) {
    const pf::Glyph& g = font_->glyphs[c];
    if (!g.present) continue;
    SCOPED_TRACE("char " + std::to_string(c));
    ASSERT_NE(g.image, nullptr);
    const pf::Image& img = *g.image;
    ASSERT_GE(img.width, 2);
    ASSERT_GE(img.height, 2);
    ASSERT_EQ(img.frames.size(), 1u);
    ASSERT_EQ(img.frames[0].size(), size_t(img.width) * img.height);
    EXPECT_EQ(img.flags & pf::img_masked, 0);
    EXPECT_NE(img.flags & pf::img_filtered, 0);
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x) {
        const uint32_t t = img.frames[0][y * img.width + x];
        EXPECT_EQ(t & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
        if (x == 0 || y == 0 || x == img.width - 1 || y == img.height - 1) {
          EXPECT_EQ(t >> 24, 0u) << "padding " << x << "," << y;
        }
      }
  }
}

// The row of the glyph image holding its lowest ink, in pen coordinates
// (the pen at the text's top); -1 when the glyph has no ink.
int lowest_ink_row(const pf::Glyph& g) {
  const pf::Image& img = *g.image;
  for (int y = img.height - 1; y >= 0; --y)
    for (int x = 0; x < img.width; ++x)
      if (img.frames[0][y * img.width + x] >> 24) return g.top + y;
  return -1;
}

// The baseline lies at the pen's y plus the ascender: capitals and digits
// stand on it, descenders reach below it, a space leaves no ink.
TEST_F(LoadedGameFont, GlyphsStandOnTheBaseline) {
  ASSERT_NE(font_, nullptr);
  const int baseline = font_->ascender;
  for (char c : std::string("AEHMZ0158xz")) {
    SCOPED_TRACE(std::string("char ") + c);
    const int low = lowest_ink_row(font_->glyphs[static_cast<unsigned char>(c)]);
    EXPECT_GE(low, baseline - 2);
    EXPECT_LE(low, baseline - 1);
  }
  for (char c : std::string("gjpqy")) {
    SCOPED_TRACE(std::string("char ") + c);
    EXPECT_GT(lowest_ink_row(font_->glyphs[static_cast<unsigned char>(c)]), baseline + 1);
  }
  EXPECT_EQ(lowest_ink_row(font_->glyphs[' ']), -1);
  // Capitals reach up to about the ascender's height below the top, not above it.
  const pf::Glyph& h = font_->glyphs['H'];
  EXPECT_GE(h.top + 1, 0);
  EXPECT_LE(h.top + 1, baseline - 18);
}

TEST(FontLoad, ThroughAResourceAndAFile) {
  static std::vector<unsigned char> bytes;  // a resource's bytes last for the run
  ASSERT_TRUE(pf::read_all(font_path, bytes));
  pf::register_resource("font_load_test.ttf", bytes.data(), int(bytes.size()));
  for (const std::string& path : {std::string("embed::font_load_test.ttf"), font_path}) {
    SCOPED_TRACE(path);
    pf::FontRef f = pf::load_font(path, 15, 4);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->size, 15);
    EXPECT_EQ(f->line_height, 15);  // 984 units at 15 pixels to the em
    EXPECT_TRUE(f->glyphs['A'].present);
  }
}

TEST(FontLoad, FailuresGiveNothing) {
  const std::string junk = "this is not a TrueType face, only some text";
  const auto* p = reinterpret_cast<const unsigned char*>(junk.data());
  std::string error;
  EXPECT_EQ(pf::load_font_from_memory(p, junk.size(), 30, &error), nullptr);
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_EQ(pf::load_font_from_memory(nullptr, 0, 30, &error), nullptr);
  EXPECT_FALSE(error.empty());

  std::vector<unsigned char> bytes;
  ASSERT_TRUE(pf::read_all(font_path, bytes));
  for (int size : {0, -3}) {
    error.clear();
    EXPECT_EQ(pf::load_font_from_memory(bytes.data(), bytes.size(), size, &error), nullptr);
    EXPECT_FALSE(error.empty());
  }
  // Cut short, the face's tables point past its end.
  error.clear();
  EXPECT_EQ(pf::load_font_from_memory(bytes.data(), 64, 30, &error), nullptr);

  testing::internal::CaptureStderr();
  EXPECT_EQ(pf::load_font("embed::font_load_test_missing.ttf", 30, 4), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("font_load_test_missing.ttf"),
            std::string::npos);
}

}  // namespace

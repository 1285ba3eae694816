// The pictures and the font built into the program, read from assets/ as the
// build embeds them: the three small pictures pixel for pixel, the file
// layout shared by every picture, and the font's line metrics and advances
// as FreeType reports them at the game's size.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/embedded.h"
#include "platform/image.h"

namespace {

std::vector<unsigned char> read_asset(const std::string& name) {
  std::ifstream in(std::string(OV_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "ship.png" -> "ship", to name the cases of a table.
std::string stem(const char* file) {
  const std::string s(file);
  return s.substr(0, s.find('.'));
}

uint32_t be32(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// The CRC every PNG chunk ends with (ISO 3309, over the chunk type and data).
uint32_t png_crc(const unsigned char* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return c ^ 0xFFFFFFFFu;
}

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<Rgb> px;
  Rgb at(int x, int y) const { return px[size_t(y) * width + x]; }
};

// Decodes with libpng itself, asking for no conversions: the bytes come out
// exactly as stored, which is how the game uses them (gamma not applied).
Picture decode(const std::vector<unsigned char>& file) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  Picture pic;
  if (!png_image_begin_read_from_memory(&img, file.data(), file.size())) return pic;
  img.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> buf(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) return pic;
  pic.width = int(img.width);
  pic.height = int(img.height);
  for (size_t i = 0; i + 2 < buf.size(); i += 3) pic.px.push_back({buf[i], buf[i + 1], buf[i + 2]});
  return pic;
}

// A picture painted from solid rectangles (x0..x1, y0..y1 inclusive) on black.
struct Rect {
  int x0, x1, y0, y1;
  Rgb c;
};

Picture paint(int w, int h, const std::vector<Rect>& rects) {
  Picture p{w, h, std::vector<Rgb>(size_t(w) * h, Rgb{0, 0, 0})};
  for (const Rect& r : rects)
    for (int y = r.y0; y <= r.y1; ++y)
      for (int x = r.x0; x <= r.x1; ++x) p.px[size_t(y) * w + x] = r.c;
  return p;
}

Picture expected_ship() {
  const Rgb grey{190, 190, 190}, steel{58, 100, 130}, glass{146, 181, 206};
  return paint(77, 40, {{9, 16, 0, 7, grey},
                        {9, 24, 8, 15, grey},
                        {43, 45, 11, 14, steel},
                        {46, 53, 11, 14, glass},
                        {54, 58, 11, 14, steel},
                        {43, 58, 15, 18, steel},
                        {1, 8, 16, 23, {167, 20, 5}},
                        {9, 42, 16, 18, grey},
                        {59, 68, 16, 18, grey},
                        {69, 76, 16, 23, {106, 106, 106}},
                        {9, 68, 19, 23, grey},
                        {19, 54, 24, 31, {217, 217, 217}},
                        {13, 36, 32, 39, {238, 238, 238}}});
}

Picture expected_bomb() {
  const Rgb body{217, 217, 217};
  return paint(8, 21, {{0, 7, 0, 4, {144, 3, 0}},
                       {0, 7, 5, 9, {236, 44, 0}},
                       {0, 7, 13, 18, body},
                       {2, 5, 19, 20, body}});
}

Picture expected_pointer() {
  const Rgb white{255, 255, 255}, violet{111, 89, 255};
  // Per row: white runs, then violet runs, as (first x, last x).
  struct Row {
    std::vector<std::pair<int, int>> w, v;
  };
  const Row rows[] = {{{{0, 0}}, {{1, 3}}},    {{{0, 1}}, {{2, 6}}},
                      {{{0, 2}}, {{3, 9}}},    {{{1, 3}}, {{4, 13}}},
                      {{{1, 4}}, {{5, 13}}},   {{{1, 5}}, {{6, 12}}},
                      {{{1, 6}}, {{7, 11}}},   {{{2, 7}}, {{8, 12}}},
                      {{{2, 8}}, {{9, 13}}},   {{{2, 9}}, {{10, 14}}},
                      {{{3, 10}}, {{11, 15}}}, {{{3, 5}, {7, 11}}, {{12, 16}}},
                      {{{3, 4}, {8, 12}}, {{13, 15}}}, {{{9, 13}}, {{14, 14}}},
                      {{{10, 13}}, {}},        {{{11, 12}}, {}}};
  std::vector<Rect> rects;
  for (int y = 0; y < 16; ++y) {
    for (auto [a, b] : rows[y].w) rects.push_back({a, b, y, y, white});
    for (auto [a, b] : rows[y].v) rects.push_back({a, b, y, y, violet});
  }
  return paint(18, 18, rects);
}

struct SpriteCase {
  const char* file;
  Picture (*expected)();
  int black;  // transparent pixels once loaded
};

class SpritePixels : public ::testing::TestWithParam<SpriteCase> {};

TEST_P(SpritePixels, MatchTheDrawingExactly) {
  const SpriteCase& c = GetParam();
  const Picture want = c.expected();
  const Picture got = decode(read_asset(c.file));
  ASSERT_EQ(got.width, want.width);
  ASSERT_EQ(got.height, want.height);
  int mismatches = 0, black = 0;
  for (int y = 0; y < want.height; ++y)
    for (int x = 0; x < want.width; ++x) {
      const Rgb g = got.at(x, y), w = want.at(x, y);
      black += g == Rgb{0, 0, 0};
      if (!(g == w) && ++mismatches <= 5)
        ADD_FAILURE() << c.file << " pixel (" << x << ", " << y << ") is (" << g.r << ", "
                      << g.g << ", " << g.b << "), want (" << w.r << ", " << w.g << ", " << w.b
                      << ")";
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(black, c.black);
}

INSTANTIATE_TEST_SUITE_P(Assets, SpritePixels,
                         ::testing::Values(SpriteCase{"ship.png", expected_ship, 1720},
                                           SpriteCase{"bomb.png", expected_bomb, 32},
                                           SpriteCase{"pointer.png", expected_pointer, 170}),
                         [](const auto& info) { return stem(info.param.file); });

struct PngCase {
  const char* file;
  uint32_t width, height;
};

class PictureLayout : public ::testing::TestWithParam<PngCase> {};

// Every picture: 8-bit RGB without palette or transparency, and exactly the
// chunks IHDR, tEXt, tIME, pHYs, gAMA, IDAT, IEND with valid CRCs.
TEST_P(PictureLayout, HasTheSharedChunkLayout) {
  const PngCase& c = GetParam();
  const std::vector<unsigned char> f = read_asset(c.file);
  ASSERT_GT(f.size(), 8u);
  ASSERT_EQ(std::memcmp(f.data(), "\x89PNG\r\n\x1a\n", 8), 0);
  std::vector<std::string> kinds;
  size_t pos = 8;
  while (pos + 12 <= f.size()) {
    const uint32_t len = be32(&f[pos]);
    ASSERT_LE(pos + 12 + len, f.size()) << c.file << ": chunk runs past the end";
    const unsigned char* kind = &f[pos + 4];
    const unsigned char* data = kind + 4;
    const std::string name(reinterpret_cast<const char*>(kind), 4);
    kinds.push_back(name);
    const uint32_t crc = png_crc(kind, len + 4);
    EXPECT_EQ(be32(data + len), crc) << c.file << ": bad CRC on " << name;
    if (name == "IHDR") {
      ASSERT_EQ(len, 13u);
      EXPECT_EQ(be32(data), c.width);
      EXPECT_EQ(be32(data + 4), c.height);
      EXPECT_EQ(data[8], 8) << "bit depth";
      EXPECT_EQ(data[9], 2) << "colour type RGB";
      EXPECT_EQ(data[10], 0) << "compression";
      EXPECT_EQ(data[11], 0) << "filter method";
      EXPECT_EQ(data[12], 0) << "not interlaced";
    } else if (name == "tEXt") {
      const std::string key = "Creation Time";
      ASSERT_GT(len, key.size());
      EXPECT_EQ(std::memcmp(data, key.c_str(), key.size() + 1), 0);
    } else if (name == "gAMA") {
      ASSERT_EQ(len, 4u);
      EXPECT_EQ(be32(data), 45455u);
    }
    pos += 12 + len;
  }
  EXPECT_EQ(pos, f.size()) << c.file << ": bytes after the last chunk";
  const std::vector<std::string> want = {"IHDR", "tEXt", "tIME", "pHYs", "gAMA", "IDAT", "IEND"};
  EXPECT_EQ(kinds, want);
}

// The logos lie on black, which the game makes transparent: the corners must
// be black and the lettering must be there.
TEST_P(PictureLayout, DecodesWithBlackCorners) {
  const PngCase& c = GetParam();
  const Picture p = decode(read_asset(c.file));
  ASSERT_EQ(p.width, int(c.width));
  ASSERT_EQ(p.height, int(c.height));
  const Rgb black{0, 0, 0};
  int w = p.width - 1, h = p.height - 1;
  if (std::string(c.file) != "ship.png" && std::string(c.file) != "bomb.png") {
    EXPECT_EQ(p.at(w, 0), black);
    EXPECT_EQ(p.at(0, h), black);
  }
  EXPECT_EQ(p.at(w, h), black);
  int lit = 0;
  for (const Rgb& q : p.px) lit += !(q == black);
  EXPECT_GT(lit, 0);
}

INSTANTIATE_TEST_SUITE_P(Assets, PictureLayout,
                         ::testing::Values(PngCase{"ship.png", 77, 40}, PngCase{"bomb.png", 8, 21},
                                           PngCase{"pointer.png", 18, 18},
                                           PngCase{"title_logo.png", 427, 138},
                                           PngCase{"maker_logo.png", 420, 236}),
                         [](const auto& info) { return stem(info.param.file); });

// The program carries the very bytes of assets/, and the game's loader, with
// the game's image flags (masked, 9), hides exactly the black pixels.
TEST(EmbeddedAssets, MatchTheFilesAndLoadMasked) {
  pf::set_mask_color(0, 0, 0);  // as start-up sets it
  struct Case {
    const char* file;
    int transparent;  // -1: a logo, only its corner is checked
  };
  const Case cases[] = {{"maker_logo.png", -1}, {"game_font.ttf", -1}, {"pointer.png", 170},
                        {"title_logo.png", -1}, {"ship.png", 1720},    {"bomb.png", 32}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const EmbeddedFile* e = find_embedded(c.file);
    ASSERT_NE(e, nullptr);
    const std::vector<unsigned char> file = read_asset(c.file);
    ASSERT_EQ(size_t(e->size), file.size());
    EXPECT_EQ(std::memcmp(e->bytes, file.data(), file.size()), 0);
    if (std::string(c.file).ends_with(".ttf")) continue;
    std::string error;
    pf::ImageRef img = pf::decode_png(e->bytes, size_t(e->size), 9, &error);
    ASSERT_NE(img, nullptr) << error;
    const Picture pic = decode(file);
    ASSERT_EQ(img->frames[0].size(), pic.px.size());
    int transparent = 0, wrong = 0;
    for (size_t i = 0; i < pic.px.size(); ++i) {
      const bool clear = (img->frames[0][i] >> 24) == 0;
      transparent += clear;
      wrong += clear != (pic.px[i] == Rgb{0, 0, 0});
    }
    EXPECT_EQ(wrong, 0) << "texels whose transparency is not their blackness";
    if (c.transparent >= 0)
      EXPECT_EQ(transparent, c.transparent);
    else
      EXPECT_EQ(img->frames[0][0] >> 24, 0u) << "a logo's corner must be transparent";
  }
}

class FontFile : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = read_asset("game_font.ttf");
    ASSERT_FALSE(bytes_.empty());
    ASSERT_EQ(FT_Init_FreeType(&lib_), 0);
    ASSERT_EQ(FT_New_Memory_Face(lib_, bytes_.data(), FT_Long(bytes_.size()), 0, &face_), 0);
    ASSERT_EQ(FT_Set_Pixel_Sizes(face_, 0, 30), 0);
  }
  void TearDown() override {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  std::vector<unsigned char> bytes_;
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// The score line, the menu and the banners are laid out on a 30-pixel line
// with the baseline 25 pixels down.
TEST_F(FontFile, LineMetricsAtTheGameSize) {
  EXPECT_EQ(face_->units_per_EM, 1000);
  EXPECT_EQ(face_->ascender, 825);
  EXPECT_EQ(face_->descender, -150);
  EXPECT_EQ(face_->height, 984);  // ascender - descender + line gap 9
  EXPECT_EQ(face_->size->metrics.ascender >> 6, 25);
  EXPECT_EQ(face_->size->metrics.height >> 6, 30);
  EXPECT_EQ(face_->size->metrics.height & 63, 0) << "line height must be whole pixels";
}

// Advance widths in font units, and the whole pixels the game measures text
// with (hinted, as the game loads glyphs). Each comes out as round(units *
// 0.03) with halves rounded up (450 units: 13.5 -> 14). The face's glyph
// programs only snap rows vertically, and their presence keeps FreeType on
// its TrueType hinter: an uninstructed face goes to the auto-hinter, which
// moved 12 of the 95 by a pixel (for example '`' 6, ']' 12, 'V' 19).
TEST_F(FontFile, AdvancesOfEveryPrintableCharacter) {
  struct Width {
    int units, pixels;
    const char* chars;
  };
  const Width table[] = {
      {225, 7, "!',-.1:;`ijl|"},
      {375, 11, "()[]"},
      {450, 14, "\"<>^{}"},
      {525, 16, "+=ITY_t"},
      {600, 18, " #$%&*/0233456789?ABCDEFGHJKLNOPQRSUVXZ\\abcdefghknopqrsuvxyz"},
      {675, 20, "MWmw~"},
      {825, 25, "@"},
  };
  bool seen[128] = {};
  for (const Width& w : table)
    for (const char* p = w.chars; *p; ++p) {
      const unsigned char ch = static_cast<unsigned char>(*p);
      seen[ch] = true;
      const FT_UInt index = FT_Get_Char_Index(face_, ch);
      ASSERT_NE(index, 0u) << "no glyph for '" << *p << "'";
      FT_Fixed units = 0;
      ASSERT_EQ(FT_Get_Advance(face_, index, FT_LOAD_NO_SCALE, &units), 0);
      EXPECT_EQ(units, w.units) << "'" << *p << "'";
      ASSERT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT), 0);
      EXPECT_EQ(face_->glyph->advance.x >> 6, w.pixels) << "'" << *p << "'";
    }
  for (int ch = 32; ch < 127; ++ch) EXPECT_TRUE(seen[ch]) << "character " << ch << " unchecked";
}

// Capitals and digits stand 675 units on the baseline, the lower case 375;
// descenders reach -150. Ink widths as the face's design has them.
TEST_F(FontFile, GlyphBoxes) {
  struct Box {
    char ch;
    int width, top, bottom;
  };
  const Box boxes[] = {{'A', 525, 675, 0}, {'I', 450, 675, 0}, {'M', 600, 675, 0},
                       {'W', 600, 675, 0}, {'1', 150, 675, 0}, {'8', 525, 675, 0},
                       {'x', 525, 375, 0}, {'o', 525, 375, 0}, {'g', 525, 375, -150},
                       {'p', 525, 375, -150}};
  for (const Box& b : boxes) {
    const FT_UInt index = FT_Get_Char_Index(face_, static_cast<unsigned char>(b.ch));
    ASSERT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_NO_SCALE), 0);
    FT_BBox box;
    FT_Outline_Get_CBox(&face_->glyph->outline, &box);
    EXPECT_EQ(box.xMax - box.xMin, b.width) << "'" << b.ch << "'";
    EXPECT_EQ(box.yMax, b.top) << "'" << b.ch << "'";
    EXPECT_EQ(box.yMin, b.bottom) << "'" << b.ch << "'";
  }
}

}  // namespace

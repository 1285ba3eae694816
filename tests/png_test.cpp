// Picture loading: every colour type libpng can read comes out as 8-bit
// 0xAARRGGBB texels, the mask colour is applied, and broken files give
// nullptr with a reason instead of a crash.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/resources.h"

namespace {

struct PngPlan {
  int width, height;
  int color_type;  // PNG_COLOR_TYPE_*
  int bit_depth;
  bool interlaced = false;
  std::vector<uint8_t> pixels;  // packed rows as stored in the file
  std::vector<png_color> palette = {};
  std::vector<uint8_t> trns_alpha = {};  // palette transparency
  bool has_trns_color = false;           // grey or RGB colour key
  png_color_16 trns_color = {};
};

void append(png_structp png, png_bytep data, size_t n) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// A PNG file in memory, written by libpng itself.
std::vector<uint8_t> encode(const PngPlan& s) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the test picture";
    return {};
  }
  png_set_write_fn(png, &out, append, nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.bit_depth, s.color_type,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!s.palette.empty())
    png_set_PLTE(png, info, s.palette.data(), static_cast<int>(s.palette.size()));
  if (!s.trns_alpha.empty())
    png_set_tRNS(png, info, s.trns_alpha.data(), static_cast<int>(s.trns_alpha.size()), nullptr);
  if (s.has_trns_color)
    png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(&s.trns_color));
  png_write_info(png, info);
  const size_t row_bytes = s.pixels.size() / s.height;
  std::vector<png_bytep> rows(s.height);
  for (int y = 0; y < s.height; ++y)
    rows[y] = const_cast<png_bytep>(s.pixels.data() + y * row_bytes);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct DecodeCase {
  const char* name;
  PngPlan plan;
  std::vector<uint32_t> plain;   // texels without the masked flag
  std::vector<uint32_t> masked;  // texels with it, mask colour black
};

std::vector<DecodeCase> decode_cases() {
  return {
      {"rgb8",
       {2, 2, PNG_COLOR_TYPE_RGB, 8, false, {0, 0, 0, 255, 0, 0, 1, 2, 3, 0, 0, 1}},
       {0xFF000000, 0xFFFF0000, 0xFF010203, 0xFF000001},
       {0x00000000, 0xFFFF0000, 0xFF010203, 0xFF000001}},
      {"rgb16 scaled to 8 bits",
       {2,
        1,
        PNG_COLOR_TYPE_RGB,
        16,
        false,
        {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
       {0xFFFF8000, 0xFF000000},
       {0xFFFF8000, 0x00000000}},
      {"palette 2-bit",
       {3,
        1,
        PNG_COLOR_TYPE_PALETTE,
        2,
        false,
        {0b00011000},
        {{0, 0, 0}, {10, 20, 30}, {200, 100, 50}}},
       {0xFF000000, 0xFF0A141E, 0xFFC86432},
       {0x00000000, 0xFF0A141E, 0xFFC86432}},
      {"palette with transparency",
       {3,
        1,
        PNG_COLOR_TYPE_PALETTE,
        8,
        false,
        {0, 1, 2},
        {{0, 0, 0}, {10, 20, 30}, {200, 100, 50}},
        {0x80, 0x40}},
       {0x80000000, 0x400A141E, 0xFFC86432},
       {0x00000000, 0x400A141E, 0xFFC86432}},
      {"grey 1-bit",
       {3, 1, PNG_COLOR_TYPE_GRAY, 1, false, {0b10100000}},
       {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF},
       {0xFFFFFFFF, 0x00000000, 0xFFFFFFFF}},
      {"grey 8-bit",
       {2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {0x80, 0x00}},
       {0xFF808080, 0xFF000000},
       {0xFF808080, 0x00000000}},
      {"grey with colour key",
       {3, 1, PNG_COLOR_TYPE_GRAY, 8, false, {0x10, 0x20, 0x00}, {}, {}, true, {0, 0, 0, 0, 0x20}},
       {0xFF101010, 0x00202020, 0xFF000000},
       {0xFF101010, 0x00202020, 0x00000000}},
      {"grey and alpha",
       {2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {0x40, 0x80, 0x00, 0xFF}},
       {0x80404040, 0xFF000000},
       {0x80404040, 0x00000000}},
      {"rgb with colour key",
       {2, 1, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3, 4, 5, 6}, {}, {}, true, {0, 4, 5, 6, 0}},
       {0xFF010203, 0x00040506},
       {0xFF010203, 0x00040506}},
      {"rgba8: alpha kept, mask colour cleared whatever its alpha",
       {3, 1, PNG_COLOR_TYPE_RGBA, 8, false, {9, 8, 7, 0x33, 0, 0, 0, 0x80, 0, 0, 0, 0}},
       {0x33090807, 0x80000000, 0x00000000},
       {0x33090807, 0x00000000, 0x00000000}},
      {"rgba16",
       {1, 1, PNG_COLOR_TYPE_RGBA, 16, false, {0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80, 0x7F, 0x7F}},
       {0x7FFF0080},
       {0x7FFF0080}},
  };
}

class DecodeTable : public testing::TestWithParam<DecodeCase> {
 protected:
  void SetUp() override { pf::set_mask_color(0, 0, 0); }
};

TEST_P(DecodeTable, TexelsAndMasking) {
  const DecodeCase& c = GetParam();
  const std::vector<uint8_t> file = encode(c.plan);
  ASSERT_FALSE(file.empty());
  for (const bool masked : {false, true}) {
    SCOPED_TRACE(masked ? "masked" : "plain");
    std::string error = "stale";
    const int flags = masked ? pf::img_masked | pf::img_dynamic : 0;
    pf::ImageRef img = pf::decode_png(file.data(), file.size(), flags, &error);
    ASSERT_NE(img, nullptr) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(img->width, c.plan.width);
    EXPECT_EQ(img->height, c.plan.height);
    EXPECT_EQ(img->flags, flags);
    EXPECT_EQ(img->handle_x, 0.0f);
    EXPECT_EQ(img->handle_y, 0.0f);
    ASSERT_EQ(img->frames.size(), 1u);
    EXPECT_EQ(img->frames[0], masked ? c.masked : c.plain);
  }
}

INSTANTIATE_TEST_SUITE_P(ColourTypes, DecodeTable, testing::ValuesIn(decode_cases()),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                           std::string n;
                           for (const char* p = info.param.name; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

uint32_t test_texel(int x, int y) {
  return 0xFF000000u | uint32_t(x * 30 + 1) << 16 | uint32_t(y * 30 + 1) << 8 | uint32_t(x + y);
}

// Adam7 spreads a picture over seven passes; a 7x6 picture has texels in all
// of them, and each must land at its own place.
TEST(DecodePng, InterlacedPictureLandsInPlace) {
  PngPlan s{7, 6, PNG_COLOR_TYPE_RGB, 8, true, {}};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) {
      const uint32_t t = test_texel(x, y);
      s.pixels.insert(s.pixels.end(), {uint8_t(t >> 16), uint8_t(t >> 8), uint8_t(t)});
    }
  const std::vector<uint8_t> file = encode(s);
  pf::ImageRef img = pf::decode_png(file.data(), file.size(), 0, nullptr);
  ASSERT_NE(img, nullptr);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(img->frames[0][y * 7 + x], test_texel(x, y)) << x << "," << y;
}

TEST(DecodePng, AutomaticFlagsAndMaskColour) {
  const std::vector<uint8_t> file =
      encode({3, 1, PNG_COLOR_TYPE_RGB, 8, false, {0, 0, 0, 255, 0, 0, 254, 0, 0}});
  pf::set_auto_image_flags(9);
  pf::set_mask_color(255, 0, 0);
  pf::ImageRef img = pf::decode_png(file.data(), file.size(), -1, nullptr);
  pf::set_mask_color(0, 0, 0);
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->flags, 9);
  // Only the exact mask colour vanishes; black is then an ordinary colour.
  EXPECT_EQ(img->frames[0], (std::vector<uint32_t>{0xFF000000, 0x00FF0000, 0xFFFE0000}));
}

// --- Broken files -------------------------------------------------------------

uint32_t crc32_of(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void put_be32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
  f[at] = uint8_t(v >> 24);
  f[at + 1] = uint8_t(v >> 16);
  f[at + 2] = uint8_t(v >> 8);
  f[at + 3] = uint8_t(v);
}

// IHDR is always the first chunk: length at 8, type at 12, data 16..28, CRC at 29.
void set_ihdr_size(std::vector<uint8_t>& f, uint32_t w, uint32_t h) {
  put_be32(f, 16, w);
  put_be32(f, 20, h);
  put_be32(f, 29, crc32_of(f.data() + 12, 17));
}

std::vector<uint8_t> sample_file() {
  PngPlan s{16, 16, PNG_COLOR_TYPE_RGB, 8, false, {}};
  for (int i = 0; i < 16 * 16 * 3; ++i) s.pixels.push_back(uint8_t(i * 7));
  return encode(s);
}

size_t find_chunk(const std::vector<uint8_t>& f, const char* type) {
  for (size_t at = 8; at + 8 <= f.size();) {
    const uint32_t len = uint32_t(f[at]) << 24 | f[at + 1] << 16 | f[at + 2] << 8 | f[at + 3];
    if (std::equal(type, type + 4, f.begin() + at + 4)) return at;
    at += 12 + len;
  }
  return std::string::npos;
}

void expect_rejected(const std::vector<uint8_t>& f, const std::string& why,
                     const std::string& reason = "") {
  SCOPED_TRACE(why);
  std::string error;
  EXPECT_EQ(pf::decode_png(f.data(), f.size(), pf::img_masked, &error), nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_NE(error.find(reason), std::string::npos) << error;
}

TEST(DecodePng, SampleFileIsGood) {
  const std::vector<uint8_t> f = sample_file();
  EXPECT_NE(pf::decode_png(f.data(), f.size(), 0, nullptr), nullptr);
}

TEST(DecodePng, TruncatedFilesAreRejected) {
  const std::vector<uint8_t> f = sample_file();
  const size_t idat = find_chunk(f, "IDAT");
  ASSERT_NE(idat, std::string::npos);
  // Inside the signature, inside IHDR, right after IHDR, inside IDAT's data,
  // before its CRC, inside IEND, one byte short.
  for (size_t len : {size_t{0}, size_t{5}, size_t{8}, size_t{20}, size_t{33}, idat + 10,
                     find_chunk(f, "IEND") - 2, f.size() - 6, f.size() - 1}) {
    std::vector<uint8_t> cut(f.begin(), f.begin() + len);
    expect_rejected(cut, "cut to " + std::to_string(len) + " bytes");
  }
}

TEST(DecodePng, DamagedFilesAreRejected) {
  const std::vector<uint8_t> good = sample_file();
  const size_t idat = find_chunk(good, "IDAT");

  std::vector<uint8_t> f = good;
  f[30] ^= 0x01;
  expect_rejected(f, "bad IHDR CRC", "CRC");

  const uint32_t idat_len = uint32_t(good[idat + 2]) << 8 | good[idat + 3];
  f = good;
  f[idat + 8 + idat_len + 3] ^= 0x55;
  expect_rejected(f, "bad IDAT CRC", "CRC");

  f = good;
  f[idat + 8] ^= 0xFF;  // breaks the zlib header, with a CRC that matches
  put_be32(f, idat + 8 + idat_len, crc32_of(f.data() + idat + 4, 4 + idat_len));
  expect_rejected(f, "bad compressed data");

  f = good;
  set_ihdr_size(f, 100000, 100000);
  expect_rejected(f, "absurd width and height");

  f = good;
  set_ihdr_size(f, 16000, 16000);
  // Refused before anything is allocated for it: 1 GB of texels.
  expect_rejected(f, "each side allowed, too many texels", "too large");

  f = good;
  set_ihdr_size(f, 0, 16);
  expect_rejected(f, "zero width");

  f = good;
  set_ihdr_size(f, 64, 64);
  expect_rejected(f, "declared larger than its data");

  f = good;
  set_ihdr_size(f, 8, 16);
  expect_rejected(f, "declared smaller than its data");

  // A text chunk that claims nearly 2 GB right after the header.
  f = good;
  const std::vector<uint8_t> claim = {0x6E, 0, 0, 0, 't', 'E', 'X', 't', 'a', 0, 'b'};
  f.insert(f.begin() + 33, claim.begin(), claim.end());
  expect_rejected(f, "chunk longer than the file", "truncated");

  const std::string text = "GIF89a this is not a picture at all";
  expect_rejected(std::vector<uint8_t>(text.begin(), text.end()), "not a PNG");
}

TEST(DecodePng, NoBytesAtAll) {
  std::string error;
  EXPECT_EQ(pf::decode_png(nullptr, 0, 0, &error), nullptr);
  EXPECT_FALSE(error.empty());
  const unsigned char one = 0x89;
  EXPECT_EQ(pf::decode_png(&one, 0, 0, nullptr), nullptr);
}

// A damaged text chunk is dropped and the picture is still used: our own
// pictures carry one.
TEST(DecodePng, DamagedAncillaryChunkIsIgnored) {
  PngPlan s{1, 1, PNG_COLOR_TYPE_RGB, 8, false, {5, 6, 7}};
  std::vector<uint8_t> f = encode(s);
  const std::string text = "Creation Time";
  std::vector<uint8_t> chunk = {0, 0, 0, uint8_t(text.size() + 2), 't', 'E', 'X', 't'};
  chunk.insert(chunk.end(), text.begin(), text.end());
  chunk.insert(chunk.end(), {0, '1'});
  chunk.insert(chunk.end(), {0xDE, 0xAD, 0xBE, 0xEF});  // wrong CRC
  f.insert(f.begin() + 33, chunk.begin(), chunk.end());
  std::string error;
  pf::ImageRef img = pf::decode_png(f.data(), f.size(), 0, &error);
  ASSERT_NE(img, nullptr) << error;
  EXPECT_EQ(img->frames[0][0], 0xFF050607u);
}

// --- Loading by path ------------------------------------------------------------

TEST(LoadImage, FromResourceAndFile) {
  static const std::vector<uint8_t> file =
      encode({2, 1, PNG_COLOR_TYPE_RGB, 8, false, {0, 0, 0, 40, 50, 60}});
  pf::register_resource("png_test_pair.png", file.data(), static_cast<int>(file.size()));
  pf::ImageRef img = pf::load_image("Embed::png_test_pair.png", pf::img_masked);
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->frames[0], (std::vector<uint32_t>{0x00000000, 0xFF28323C}));

  const std::string path = testing::TempDir() + "png_test_pair.png";
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  img = pf::load_image(path, 0);
  std::remove(path.c_str());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->frames[0], (std::vector<uint32_t>{0xFF000000, 0xFF28323C}));
}

TEST(LoadImage, MissingOrBrokenGivesNothing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(pf::load_image("embed::png_test_no_such_picture.png", 0), nullptr);
  EXPECT_EQ(pf::load_image(testing::TempDir() + "png_test_missing.png", 0), nullptr);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("png_test_no_such_picture.png"), std::string::npos);
  EXPECT_NE(said.find("png_test_missing.png"), std::string::npos);
}

}  // namespace

// Writing frames as PNG files: what is written reads back the same, as 8-bit
// RGB, and a path that cannot be written is reported, not crashed on.
#include "platform/png_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/image.h"

namespace {

std::vector<unsigned char> slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PngWrite, ReadsBackTheSamePixels) {
  const std::vector<uint32_t> pixels = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  const auto path = std::filesystem::path(testing::TempDir()) / "png_write_roundtrip.png";
  std::string error;
  ASSERT_TRUE(pf::write_png(path.string(), pixels.data(), 3, 2, &error)) << error;

  const std::vector<unsigned char> bytes = slurp(path);
  ASSERT_GT(bytes.size(), 26u);
  EXPECT_EQ(bytes[24], 8) << "bit depth";
  EXPECT_EQ(bytes[25], 2) << "colour type RGB, no alpha";
  pf::ImageRef img = pf::decode_png(bytes.data(), bytes.size(), 0, &error);
  ASSERT_TRUE(img) << error;
  ASSERT_EQ(img->width, 3);
  ASSERT_EQ(img->height, 2);
  for (size_t i = 0; i < pixels.size(); ++i)
    EXPECT_EQ(img->frames[0][i], 0xFF000000u | pixels[i]) << i;
  std::filesystem::remove(path);
}

TEST(PngWrite, ReportsAPathThatCannotBeWritten) {
  const uint32_t pixel = 0;
  const std::string path = testing::TempDir() + "/no such folder/x.png";
  std::string error;
  EXPECT_FALSE(pf::write_png(path, &pixel, 1, 1, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_FALSE(pf::write_png(testing::TempDir() + "/empty.png", &pixel, 0, 1, &error));
}

}  // namespace

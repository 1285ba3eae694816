#pragma once
// The pieces of a round set up in-process on the headless back end: a
// fresh player, mountain and effect lists, plain pictures for the craft and
// the bomb, and named silent sounds whose starts are recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/image.h"

class PlayFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Names of the sounds started since the last call ("expld", "dbomb"...).
  static std::vector<std::string> sounds();
  // The frame's pixel as 0x00RRGGBB.
  static uint32_t pixel(int x, int y);
  // A solid single-frame picture in one colour (0x00RRGGBB), fully opaque.
  static pf::ImageRef solid_image(int w, int h, uint32_t rgb);

  pf::HeadlessBackend backend_;
};

constexpr uint32_t rgb(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}

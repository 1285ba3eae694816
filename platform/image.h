#pragma once
// Pictures: loading PNGs, empty images, screen grabs and handles.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pf {

namespace render {
struct TexelRunCache;
}

// Image flag bits. The game uses masked images sampled nearest-neighbour.
constexpr int img_masked = 1;     // pure black (the mask colour) becomes transparent
constexpr int img_filtered = 2;   // linear filtering when scaled or rotated
constexpr int img_mipmapped = 4;  // accepted, changes nothing here
constexpr int img_dynamic = 8;    // accepted, changes nothing here

// One picture with one or more frames of texels, 0xAARRGGBB with straight
// (not premultiplied) alpha, rows top first.
struct Image {
  int width = 0;
  int height = 0;
  int flags = 0;
  float handle_x = 0;  // the point of the picture placed at the draw position
  float handle_y = 0;
  std::vector<std::vector<uint32_t>> frames;  // each width * height texels
  // Whatever changes texels in place (a screen grab) counts this up, so the
  // renderer works out again what it keeps about the picture's clear texels.
  uint32_t texel_version = 0;
  mutable std::shared_ptr<render::TexelRunCache> draw_cache;
};
using ImageRef = std::shared_ptr<Image>;

// flags -1 stands for the automatic flags (set_auto_image_flags).
// load_image reads a PNG from a file or an embedded resource ("embed::name");
// a missing, corrupt or truncated picture gives nullptr and one line on stderr.
ImageRef load_image(const std::string& path, int flags = -1);
ImageRef decode_png(const unsigned char* bytes, size_t size, int flags, std::string* error);
ImageRef create_image(int width, int height, int frames = 1, int flags = -1);

// Copies the screen rectangle at (x, y) of the image's size into a frame.
// Reads the back buffer, which after a presentation still holds the frame just
// shown: grabbing right after flip() captures exactly what the player saw.
// On a masked image pure black texels of the copy become transparent.
void grab_image(Image& img, int x, int y, int frame = 0);

void mid_handle(Image& img);  // handle at (width / 2, height / 2), as floats
void set_mask_color(int r, int g, int b);  // default black
void get_mask_color(int& r, int& g, int& b);
void set_auto_image_flags(int flags);
int auto_image_flags();

}  // namespace pf

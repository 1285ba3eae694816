// Empty pictures, screen grabs, handles and the image flags that apply when
// a picture is made with flags -1.
#include "platform/image.h"

#include "platform/render/blend.h"
#include "platform/render/frame_canvas.h"

namespace pf {

namespace {

// The game sets both at start-up (mask black, flags 9); these defaults are
// the same, so pictures made earlier behave alike.
int g_auto_flags = img_masked | img_dynamic;
int g_mask_r = 0, g_mask_g = 0, g_mask_b = 0;

int clamp_byte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

}  // namespace

ImageRef create_image(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  auto img = std::make_shared<Image>();
  img->width = width;
  img->height = height;
  img->flags = flags == -1 ? g_auto_flags : flags;
  // A new picture is black: transparent when masked, opaque otherwise.
  const uint32_t fill = (img->flags & img_masked) ? 0u : 0xff000000u;
  img->frames.assign(frames, std::vector<uint32_t>(static_cast<size_t>(width) * height, fill));
  return img;
}

void grab_image(Image& img, int x, int y, int frame) {
  frame_canvas().grab(img, x, y, frame, render::rgb(g_mask_r, g_mask_g, g_mask_b));
}

void mid_handle(Image& img) {
  img.handle_x = static_cast<float>(img.width) / 2.0f;
  img.handle_y = static_cast<float>(img.height) / 2.0f;
}

void set_mask_color(int r, int g, int b) {
  g_mask_r = clamp_byte(r), g_mask_g = clamp_byte(g), g_mask_b = clamp_byte(b);
}
void get_mask_color(int& r, int& g, int& b) { r = g_mask_r, g = g_mask_g, b = g_mask_b; }
void set_auto_image_flags(int flags) { g_auto_flags = flags; }
int auto_image_flags() { return g_auto_flags; }

}  // namespace pf

// Feeds arbitrary bytes to the picture decoder: whatever comes in, it must
// give a picture or nullptr with a reason, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  pf::ImageRef img = pf::decode_png(data, size, pf::img_masked, &error);
  if (img) {
    const size_t texels = static_cast<size_t>(img->width) * img->height;
    if (img->frames.size() != 1 || img->frames[0].size() != texels) __builtin_trap();
  } else if (error.empty()) {
    __builtin_trap();
  }
  return 0;
}

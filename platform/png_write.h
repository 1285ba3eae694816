#pragma once
// Writes a picture as an 8-bit RGB PNG: the runner's shots and the tests'
// golden frames and difference pictures.
#include <cstdint>
#include <string>

namespace pf {

// pixels: w x h values 0x00RRGGBB, rows top first. On failure returns false
// and, when error is given, says why in one line.
bool write_png(const std::string& path, const uint32_t* pixels, int w, int h, std::string* error);

}  // namespace pf

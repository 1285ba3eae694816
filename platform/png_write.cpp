#include "platform/png_write.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace pf {

namespace {

struct WriteFailure {
  char message[256] = {};
};

void on_png_error(png_structp png, png_const_charp message) {
  auto* failure = static_cast<WriteFailure*>(png_get_error_ptr(png));
  std::snprintf(failure->message, sizeof failure->message, "%s", message);
  png_longjmp(png, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

bool fail(std::string* error, const std::string& path, const char* why) {
  if (error) *error = path + ": " + why;
  return false;
}

}  // namespace

bool write_png(const std::string& path, const uint32_t* pixels, int w, int h, std::string* error) {
  if (w <= 0 || h <= 0 || !pixels) return fail(error, path, "empty picture");
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return fail(error, path, std::strerror(errno));

  WriteFailure failure;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, on_png_error, on_png_warning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return fail(error, path, "out of memory");
  }
  // Made before the jump point and only filled after it, so a jump back
  // leaves it whole for its destructor.
  std::vector<png_byte> row(static_cast<size_t>(w) * 3);

  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return fail(error, path, failure.message);
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < h; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * static_cast<size_t>(w);
    for (int x = 0; x < w; ++x) {
      row[static_cast<size_t>(x) * 3 + 0] = static_cast<png_byte>(src[x] >> 16);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(src[x] >> 8);
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(src[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  if (!closed) return fail(error, path, std::strerror(errno));
  return true;
}

}  // namespace pf

// PNG pictures to 8-bit RGBA texels. The input is never trusted: every read
// is bounds-checked, absurd sizes are refused before anything is allocated,
// and a corrupt or truncated file gives nullptr with the reason.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/image.h"

namespace pf {

namespace {

// Far beyond any picture the game has (the largest is 427 x 138), far below
// what would exhaust memory: 16M texels are 64 MB.
constexpr uint32_t max_side = 16384;
constexpr uint64_t max_texels = uint64_t{1} << 24;
constexpr png_alloc_size_t max_chunk_bytes = 8 << 20;
constexpr png_uint_32 max_side_chunks = 256;

// Everything libpng's callbacks touch. Trivially destructible on purpose: an
// error in libpng longjmps over the frames that hold it.
struct PngSource {
  const unsigned char* data;
  size_t size;
  size_t pos;
  char message[160];
};

[[noreturn]] void on_error(png_structp png, png_const_charp msg) {
  auto* src = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(src->message, sizeof(src->message), "%s", msg ? msg : "unknown error");
  png_longjmp(png, 1);
}

// Damaged ancillary chunks (a bad tEXt CRC, say) are dropped by libpng and
// the picture is still good: nothing to say.
void on_warning(png_structp, png_const_charp) {}

void on_read(png_structp png, png_bytep out, size_t count) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > src->size - src->pos) png_error(png, "the file ends too early (truncated)");
  std::memcpy(out, src->data + src->pos, count);
  src->pos += count;
}

struct Header {
  uint32_t width;
  uint32_t height;
};

// Reads the header and sets up the conversion of every colour type to 8-bit
// RGBA. The gamma chunk is left alone: texels are used as stored.
// Only trivially destructible locals: a libpng error longjmps back here.
bool read_header(png_structp png, png_infop info, Header* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  const int color = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  const bool has_alpha =
      (color & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);  // palette to RGB, 1/2/4-bit grey to 8, tRNS to alpha
  if (depth == 16) png_set_scale_16(png);
  if ((color & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if (!has_alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out->width = png_get_image_width(png, info);
  out->height = png_get_image_height(png, info);
  if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4 ||
      png_get_rowbytes(png, info) != size_t{out->width} * 4)
    png_error(png, "unsupported pixel layout");
  if (uint64_t{out->width} * out->height > max_texels) png_error(png, "picture too large");
  return true;
}

// Only trivially destructible locals: a libpng error longjmps back here.
bool read_rows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  // The end chunk too: a file cut short after its pixels is still broken.
  png_read_end(png, info);
  return true;
}

// Walks the chunk list before libpng sees it. libpng allocates what a text
// chunk's length claims before reading it; as the whole file is at hand, a
// chunk claiming more bytes than the file still holds is refused up front.
const char* check_chunks(const unsigned char* bytes, size_t size) {
  size_t at = 8;
  while (size - at >= 12) {
    const uint32_t length = uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
                            uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    if (length > size - at - 12) return "a chunk runs past the end of the file (truncated)";
    if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return nullptr;
    at += 12 + size_t{length};
  }
  return "the file ends before its end chunk (truncated)";
}

struct ReadStructs {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~ReadStructs() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

void set_error(std::string* error, const char* what) {
  if (error) *error = what;
}

}  // namespace

ImageRef decode_png(const unsigned char* bytes, size_t size, int flags, std::string* error) {
  if (flags == -1) flags = auto_image_flags();
  if (bytes == nullptr || size < 8 || png_sig_cmp(bytes, 0, 8) != 0) {
    set_error(error, "not a PNG file");
    return nullptr;
  }

  if (const char* broken = check_chunks(bytes, size)) {
    set_error(error, broken);
    return nullptr;
  }

  PngSource src{bytes, size, 0, {0}};
  ReadStructs rs;
  rs.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, on_error, on_warning);
  if (rs.png) rs.info = png_create_info_struct(rs.png);
  if (!rs.png || !rs.info) {
    set_error(error, "out of memory");
    return nullptr;
  }
  png_set_read_fn(rs.png, &src, on_read);
  png_set_user_limits(rs.png, max_side, max_side);
  // Cap what libpng may allocate for one chunk, and how many text and
  // palette side chunks it keeps.
  png_set_chunk_malloc_max(rs.png, max_chunk_bytes);
  png_set_chunk_cache_max(rs.png, max_side_chunks);

  Header h{};
  if (!read_header(rs.png, rs.info, &h)) {
    set_error(error, src.message);
    return nullptr;
  }

  // libpng writes R, G, B, A bytes straight into the texel array; each texel
  // is then repacked in place as 0xAARRGGBB.
  std::vector<uint32_t> texels(size_t{h.width} * h.height);
  std::vector<png_bytep> rows(h.height);
  for (uint32_t y = 0; y < h.height; ++y)
    rows[y] = reinterpret_cast<png_bytep>(texels.data() + size_t{y} * h.width);
  if (!read_rows(rs.png, rs.info, rows.data())) {
    set_error(error, src.message);
    return nullptr;
  }

  const bool masked = (flags & img_masked) != 0;
  int mr = 0, mg = 0, mb = 0;
  if (masked) get_mask_color(mr, mg, mb);
  const uint32_t mask_rgb =
      (uint32_t(mr & 255) << 16) | (uint32_t(mg & 255) << 8) | uint32_t(mb & 255);
  for (uint32_t& t : texels) {
    unsigned char c[4];
    std::memcpy(c, &t, 4);
    const uint32_t rgb = uint32_t{c[0]} << 16 | uint32_t{c[1]} << 8 | c[2];
    // Mask-coloured texels vanish; every other texel keeps its alpha, which
    // for a picture without alpha is fully opaque.
    const uint32_t a = (masked && rgb == mask_rgb) ? 0 : c[3];
    t = a << 24 | rgb;
  }

  auto img = std::make_shared<Image>();
  img->width = static_cast<int>(h.width);
  img->height = static_cast<int>(h.height);
  img->flags = flags;
  img->frames.push_back(std::move(texels));
  if (error) error->clear();
  return img;
}

ImageRef load_image(const std::string& path, int flags) {
  std::vector<unsigned char> bytes;
  std::string error;
  ImageRef img;
  if (!read_all(path, bytes)) {
    error = "cannot be opened";
  } else {
    img = decode_png(bytes.data(), bytes.size(), flags, &error);
  }
  if (!img) std::fprintf(stderr, "load_image: %s: %s\n", path.c_str(), error.c_str());
  return img;
}

}  // namespace pf

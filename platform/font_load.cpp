// TrueType faces rendered once, glyph by glyph, into white images whose alpha
// is the anti-aliased coverage. The face is released as soon as every glyph
// is rendered: drawing text needs nothing from FreeType.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/font.h"

namespace pf {

namespace {

struct FreeTypeFace {
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeFace() {
    if (face) FT_Done_Face(face);
    if (lib) FT_Done_FreeType(lib);
  }
};

std::string ft_message(const char* what, FT_Error err) {
  std::string msg = what;
  const char* text = FT_Error_String(err);
  msg += text ? std::string(": ") + text : ": FreeType error " + std::to_string(err);
  return msg;
}

// Coverage of bitmap texel (x, y), 0..255, for the two modes a TrueType face
// gives: anti-aliased grey and the 1-bit embedded bitmaps some faces carry.
unsigned coverage(const FT_Bitmap& bm, unsigned x, unsigned y) {
  const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
  if (bm.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80u >> (x & 7))) ? 255u : 0u;
  if (bm.num_grays <= 1) return 0;
  return row[x] * 255u / static_cast<unsigned>(bm.num_grays - 1);
}

// One glyph as drawn: the bitmap inside a frame of one transparent texel, so
// the linear filter fades the glyph's edge out instead of clamping it.
Glyph make_glyph(FT_GlyphSlot slot, int ascender) {
  const FT_Bitmap& bm = slot->bitmap;
  Glyph g;
  g.present = true;
  g.advance = static_cast<int>(slot->advance.x >> 6);
  g.left = slot->bitmap_left - 1;
  g.top = ascender - slot->bitmap_top - 1;
  auto img = std::make_shared<Image>();
  img->width = static_cast<int>(bm.width) + 2;
  img->height = static_cast<int>(bm.rows) + 2;
  img->flags = img_filtered | img_mipmapped;
  std::vector<uint32_t> texels(static_cast<size_t>(img->width) * img->height, 0x00FFFFFFu);
  const bool readable = bm.buffer != nullptr && (bm.pixel_mode == FT_PIXEL_MODE_GRAY ||
                                                 bm.pixel_mode == FT_PIXEL_MODE_MONO);
  for (unsigned y = 0; readable && y < bm.rows; ++y)
    for (unsigned x = 0; x < bm.width; ++x)
      texels[(y + 1) * static_cast<size_t>(img->width) + x + 1] =
          coverage(bm, x, y) << 24 | 0x00FFFFFFu;
  img->frames.push_back(std::move(texels));
  g.image = std::move(img);
  return g;
}

void set_error(std::string* error, const std::string& what) {
  if (error) *error = what;
}

}  // namespace

FontRef load_font_from_memory(const unsigned char* bytes, size_t size, int pixel_size,
                              std::string* error) {
  if (bytes == nullptr || size == 0) {
    set_error(error, "no font data");
    return nullptr;
  }
  if (pixel_size <= 0 || pixel_size > 1024) {
    set_error(error, "font size out of range: " + std::to_string(pixel_size));
    return nullptr;
  }
  FreeTypeFace ft;
  if (FT_Error err = FT_Init_FreeType(&ft.lib)) {
    set_error(error, ft_message("cannot start FreeType", err));
    return nullptr;
  }
  if (FT_Error err = FT_New_Memory_Face(ft.lib, bytes, static_cast<FT_Long>(size), 0, &ft.face)) {
    set_error(error, ft_message("not a usable font", err));
    return nullptr;
  }
  // Byte values are Latin-1, which is the first 256 code points of Unicode.
  FT_Select_Charmap(ft.face, FT_ENCODING_UNICODE);
  if (FT_Error err = FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(pixel_size))) {
    set_error(error, ft_message("cannot set the font size", err));
    return nullptr;
  }

  auto font = std::make_shared<Font>();
  font->size = pixel_size;
  font->ascender = static_cast<int>(ft.face->size->metrics.ascender >> 6);
  font->line_height = static_cast<int>(ft.face->size->metrics.height >> 6);
  for (unsigned c = 32; c < 256; ++c) {
    if (FT_Get_Char_Index(ft.face, c) == 0) continue;  // missing: skipped in text
    if (FT_Load_Char(ft.face, c, FT_LOAD_RENDER) != 0) continue;
    font->glyphs[c] = make_glyph(ft.face->glyph, font->ascender);
  }
  if (error) error->clear();
  return font;
}

FontRef load_font(const std::string& path, int size, int /*style: always smooth*/) {
  std::vector<unsigned char> bytes;  // lives until every glyph is rendered
  std::string error;
  FontRef font;
  if (!read_all(path, bytes)) {
    error = "cannot be opened";
  } else {
    font = load_font_from_memory(bytes.data(), bytes.size(), size, &error);
  }
  if (!font) std::fprintf(stderr, "load_font: %s: %s\n", path.c_str(), error.c_str());
  return font;
}

}  // namespace pf

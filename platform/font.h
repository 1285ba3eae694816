#pragma once
// TrueType fonts rendered once per glyph into anti-aliased white images.
#include <array>
#include <memory>
#include <string>

#include "platform/image.h"

namespace pf {

struct Glyph {
  bool present = false;  // characters the face lacks are skipped: no advance, nothing drawn
  int advance = 0;       // whole pixels
  int left = 0;          // image's top-left relative to the pen, with the pen at the text's top
  int top = 0;
  ImageRef image;        // white texels, alpha = coverage, one transparent pixel of padding
};

struct Font {
  int size = 0;         // pixels to the em
  int ascender = 0;     // whole pixels, as the face reports at this size
  int line_height = 0;  // whole pixels: the text height of every line
  std::array<Glyph, 256> glyphs;  // by byte value (Latin-1)
};
using FontRef = std::shared_ptr<Font>;

// Loads a TrueType face from a file or an embedded resource at a pixel size.
// Style 4 (smooth) is the only style the game uses; glyphs are always
// anti-aliased and drawn with linear filtering. nullptr and a message on failure.
FontRef load_font(const std::string& path, int size, int style);
FontRef load_font_from_memory(const unsigned char* bytes, size_t size, int pixel_size,
                              std::string* error);

void set_font(FontRef font);  // the current font for draw_text and the measures
FontRef current_font();
int text_width(const std::string& text);   // sum of whole-pixel advances, unscaled
int text_height(const std::string& text);  // the font's line height, unscaled

}  // namespace pf

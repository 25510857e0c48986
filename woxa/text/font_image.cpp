#include "woxa/text/font_image.h"

#include "woxa/text/font_glyphs.h"

namespace woxa {
namespace {

constexpr std::size_t kCellWidth = 6;
constexpr std::size_t kCellHeight = 13;
constexpr std::size_t kCellsPerRow = 32;

static_assert(kFontGlyphRows == kCellHeight, "the glyph table holds one byte per cell row");
static_assert((kFontGlyphLast / kCellsPerRow + 1) * kCellHeight <= kFontImageHeight, "every glyph fits the image");

// Sets the texels of one glyph's cell. Cell rows count down from the top of
// the image while stored rows count up from its bottom.
void PutGlyph(FontImage& image, int code, const unsigned char (&rows)[kFontGlyphRows]) {
  const std::size_t left = kCellWidth * (static_cast<std::size_t>(code) % kCellsPerRow);
  const std::size_t top = kCellHeight * (static_cast<std::size_t>(code) / kCellsPerRow);
  for (std::size_t row = 0; row < kCellHeight; ++row) {
    const std::size_t stored_row = kFontImageHeight - 1 - (top + row);
    for (std::size_t column = 0; column < kCellWidth; ++column) {
      if ((rows[row] & (0x80u >> column)) == 0) continue;
      const std::size_t texel = (stored_row * kFontImageWidth + left + column) * 2;
      image[texel] = 255;
      image[texel + 1] = 255;
    }
  }
}

FontImage ExpandGlyphs() {
  FontImage image{};
  for (int code = kFontGlyphFirst; code <= kFontGlyphLast; ++code) {
    PutGlyph(image, code, kFontGlyphs[code - kFontGlyphFirst]);
  }
  return image;
}

}  // namespace

// Expanded during static initialisation: nothing reads it before main.
const FontImage kFontImage = ExpandGlyphs();

}  // namespace woxa

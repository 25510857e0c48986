// The built-in 6 x 13 bitmap font (global service 9) and the drawing of
// plain and coloured text with it.
//
// The glyphs live in the constant image kFontImage; the font turns it into a
// GL texture on the first string it draws, because no GL context exists yet
// at library start-up. Text is single-byte: codes 32 to 127 are drawn, every
// other byte (control characters, 128 to 255) leaves a blank cell, and the
// pen advances one cell per byte either way.
//
// The string operations only emit GL commands. The caller sets up the 2D
// overlay projection (origin top-left, y down, one unit per pixel), enables
// blending with GL_SRC_ALPHA / GL_ONE_MINUS_SRC_ALPHA, and brackets the call
// with glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT) / glPopAttrib. A scale of
// 0 draws like 1. Nothing is allocated while drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>

#include "woxa/framework/singleton.h"
#include "woxa/text/colored_line.h"
#include "woxa/util/color.h"

namespace woxa {

class Font : public Singleton<Font> {
 public:
  // Makes no GL call: the texture is made on first use.
  Font();
  // Deletes the texture if it was made. Programs release their context
  // before library shutdown; the call then acts on no context and does
  // nothing, the texture having gone with its context.
  ~Font() override;

  // Creates the font texture from kFontImage and binds it. The string
  // operations call it once, the first time they draw.
  void UploadTexture();

  // Emits the four textured vertices of the cell of `code` with its top-left
  // corner at (x, y), magnified by `scale` as given; emits nothing for codes
  // outside 32..127. The font texture must be bound and a GL_QUADS primitive
  // open.
  void DrawGlyph(std::int32_t code, std::int32_t x, std::int32_t y, std::int32_t scale) const;

  std::int32_t CellWidth() const { return cell_width_; }
  std::int32_t CellHeight() const { return cell_height_; }

  // Draws `text` in `color` with the top-left corner of its first cell at
  // (x, y).
  void DrawString(std::string_view text, const Color& color, std::int32_t x, std::int32_t y, std::int32_t scale);
  // Draws `line` starting in the current colour and applying its runs.
  void DrawColoredLine(const ColoredLine& line, std::int32_t scale, std::int32_t x, std::int32_t y);
  // Draws lines[first] .. lines[end - 1] one below the other, 13 x scale
  // apart, starting in the current colour. Requires end <= lines.size();
  // first >= end draws nothing.
  void DrawColoredLines(const std::deque<ColoredLine>& lines, std::int32_t scale, std::size_t first,
                        std::size_t end, std::int32_t x, std::int32_t y);

  unsigned int texture_name() const { return texture_name_; }
  bool uploaded() const { return uploaded_; }

 private:
  // The steps every string operation opens with; returns the scale to use.
  std::int32_t BeginText(std::int32_t scale);
  // The glyph loop of one coloured line, inside an open GL_QUADS primitive.
  void EmitColoredLine(const ColoredLine& line, std::int32_t scale, std::int32_t x, std::int32_t y) const;

  unsigned int texture_name_ = 0;
  std::int32_t first_character_;
  std::int32_t last_character_;
  std::int32_t cell_width_;
  std::int32_t cell_height_;
  std::int32_t image_width_;
  std::int32_t image_height_;
  std::int32_t glyphs_per_row_;
  bool uploaded_;
};

}  // namespace woxa

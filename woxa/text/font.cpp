#include "woxa/text/font.h"

#include <type_traits>

#include "woxa/platform/win32.h"
#include "woxa/text/font_image.h"

namespace woxa {

static_assert(std::is_same<GLuint, unsigned int>::value, "the texture name field holds a GLuint");

Font::Font()
    : first_character_(32),
      last_character_(127),
      cell_width_(6),
      cell_height_(13),
      image_width_(static_cast<std::int32_t>(kFontImageWidth)),
      image_height_(static_cast<std::int32_t>(kFontImageHeight)),
      glyphs_per_row_(32),
      uploaded_(false) {}

Font::~Font() {
  if (uploaded_) glDeleteTextures(1, &texture_name_);
}

void Font::UploadTexture() {
  // Rows of the image are 512 bytes, but the alignment must not pad them
  // whatever the width; it stays 1 afterwards.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGenTextures(1, &texture_name_);
  glBindTexture(GL_TEXTURE_2D, texture_name_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, image_width_, image_height_, 0, GL_LUMINANCE_ALPHA,
               GL_UNSIGNED_BYTE, kFontImage.data());
  uploaded_ = true;
}

void Font::DrawGlyph(std::int32_t code, std::int32_t x, std::int32_t y, std::int32_t scale) const {
  if (code < first_character_ || code > last_character_) return;
  const auto ucode = static_cast<std::uint32_t>(code);
  const auto per_row = static_cast<std::uint32_t>(glyphs_per_row_);
  const auto column = static_cast<std::int32_t>(ucode % per_row);
  const auto row = static_cast<std::int32_t>(ucode / per_row);
  // Texel coordinates of the cell: left edge, and top edge counted from the
  // image's bottom row, which is stored first.
  const std::int32_t sx = cell_width_ * column;
  const std::int32_t ty = image_height_ - cell_height_ * row;
  const float width = static_cast<float>(image_width_);
  const float height = static_cast<float>(image_height_);
  const float s0 = static_cast<float>(sx) / width;
  const float s1 = static_cast<float>(sx + cell_width_) / width;
  const float t_top = static_cast<float>(ty) / height;
  const float t_bottom = static_cast<float>(ty - cell_height_) / height;
  const std::int32_t right = x + cell_width_ * scale;
  const std::int32_t bottom = y + cell_height_ * scale;
  glTexCoord2f(s0, t_top);
  glVertex3i(x, y, 0);
  glTexCoord2f(s0, t_bottom);
  glVertex3i(x, bottom, 0);
  glTexCoord2f(s1, t_bottom);
  glVertex3i(right, bottom, 0);
  glTexCoord2f(s1, t_top);
  glVertex3i(right, y, 0);
}

std::int32_t Font::BeginText(std::int32_t scale) {
  if (!uploaded_) UploadTexture();
  if (scale == 0) scale = 1;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture_name_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // White-or-transparent texels: glyphs take the current colour exactly.
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  return scale;
}

void Font::DrawString(std::string_view text, const Color& color, std::int32_t x, std::int32_t y,
                      std::int32_t scale) {
  scale = BeginText(scale);
  glColor4ubv(color.data());
  const std::int32_t step = cell_width_ * scale;
  std::int32_t pen_x = x;
  glBegin(GL_QUADS);
  for (char c : text) {
    DrawGlyph(static_cast<signed char>(c), pen_x, y, scale);
    pen_x += step;
  }
  glEnd();
}

void Font::EmitColoredLine(const ColoredLine& line, std::int32_t scale, std::int32_t x, std::int32_t y) const {
  const std::int32_t step = cell_width_ * scale;
  const std::size_t run_count = line.runs.size();
  std::size_t k = 0;
  std::int32_t pen_x = x;
  std::int64_t j = 0;  // wide enough that no line length wraps it
  for (char c : line.text) {
    // Only the next run in order is ever looked at, so one that is never
    // met holds back those after it.
    if (k < run_count && line.runs[k].start == j) {
      glColor4ubv(line.runs[k].color.data());
      ++k;
    }
    DrawGlyph(static_cast<signed char>(c), pen_x, y, scale);
    pen_x += step;
    ++j;
  }
}

void Font::DrawColoredLine(const ColoredLine& line, std::int32_t scale, std::int32_t x, std::int32_t y) {
  scale = BeginText(scale);
  glBegin(GL_QUADS);
  EmitColoredLine(line, scale, x, y);
  glEnd();
}

void Font::DrawColoredLines(const std::deque<ColoredLine>& lines, std::int32_t scale, std::size_t first,
                            std::size_t end, std::int32_t x, std::int32_t y) {
  scale = BeginText(scale);
  const std::int32_t line_step = cell_height_ * scale;
  std::int32_t row_y = y;
  glBegin(GL_QUADS);
  for (std::size_t index = first; index < end; ++index) {
    EmitColoredLine(lines[index], scale, x, row_y);
    row_y += line_step;
  }
  glEnd();
}

}  // namespace woxa

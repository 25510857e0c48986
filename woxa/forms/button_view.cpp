#include "woxa/forms/button_view.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "woxa/forms/overlay_bracket.h"
#include "woxa/platform/win32.h"
#include "woxa/text/font.h"

namespace woxa {

namespace {

// The built-in font's cell, for buttons laid out before the font service
// exists (a view's constructor lays out at once).
constexpr std::int32_t kDefaultCellWidth = 6;
constexpr std::int32_t kDefaultCellHeight = 13;

std::int32_t CellWidth() {
  const Font* font = Font::Instance();
  return font != nullptr ? font->CellWidth() : kDefaultCellWidth;
}

std::int32_t CellHeight() {
  const Font* font = Font::Instance();
  return font != nullptr ? font->CellHeight() : kDefaultCellHeight;
}

// Halves towards zero, as a signed integer division does.
std::int64_t Half(std::int64_t value) { return value / 2; }

}  // namespace

ButtonView::ButtonView(Rect& rect) : Backdrop(rect), layout_rect(rect) { LayoutCaption(); }

void ButtonView::ClearCaption() {
  caption.text.clear();
  caption.runs.clear();
}

void ButtonView::Printf(const char* format, ...) {
  char buffer[kCaptionPrintfBufferSize];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    caption.text.append(buffer);
  } else if (length >= 0) {
    // Too long for the buffer: format once more into room of its own size
    // rather than cut the text.
    std::string longer(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&longer[0], longer.size(), format, again);
    caption.text.append(longer.c_str());
  }
  va_end(again);
  LayoutCaption();
}

// Summed in 64 bits: a long caption at a large scale must not overflow; the
// result is taken back to 32 bits as the field holds it.
void ButtonView::LayoutCaption() {
  const Rect& r = layout_rect;
  const std::int64_t s = EffectiveScale();
  const std::int64_t n = static_cast<std::int64_t>(caption.text.size());
  const std::int64_t text_width = CellWidth() * s * n;
  caption_y = static_cast<std::int32_t>(r.y + Half(r.height - CellHeight() * s));
  std::int64_t x;
  if (alignment.Test(kAlignCentre)) {
    x = r.x + Half(r.width - text_width);
  } else if (alignment.Test(kAlignRight)) {
    x = std::int64_t{r.x} + r.width - text_width - margin;
  } else {
    x = std::int64_t{r.x} + margin;
  }
  caption_x = static_cast<std::int32_t>(x);
}

void ButtonView::Draw(std::uint32_t view_width, std::uint32_t view_height) {
  OverlayBracket::Open(view_width, view_height);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  if (backdrop_shown.Test(0)) Backdrop::Draw(view_width, view_height);
  glColor4ubv(caption_color.data());
  Font* font = Font::Instance();
  if (font != nullptr) font->DrawColoredLine(caption, EffectiveScale(), caption_x, caption_y);
  OverlayBracket::Close();
}

}  // namespace woxa

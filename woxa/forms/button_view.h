// The drawing part of a push button, also the console's input field: a
// backdrop with a one-line coloured caption laid out inside the rectangle.
//
// The caption is centred vertically; horizontally it sits at the margin from
// the left edge, at the margin from the right edge, or centred. A scale of 0
// or less lays out and draws like 1, as the font draws a scale of 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "woxa/forms/backdrop.h"
#include "woxa/forms/form.h"
#include "woxa/text/colored_line.h"
#include "woxa/util/color.h"
#include "woxa/util/flag_array.h"

namespace woxa {

// Alignment flags; neither set means left.
enum CaptionAlignment : std::uint32_t {
  kAlignRight = 0,
  kAlignCentre = 1,
};

// The formatting buffer of ButtonView::Printf. Longer output is formatted
// again into a buffer of its own size, so nothing is cut.
constexpr std::size_t kCaptionPrintfBufferSize = 2048;

class ButtonView : public Backdrop {
 public:
  explicit ButtonView(Rect& rect);

  void ClearCaption();
  // Formats like printf and appends the result, up to its first zero byte,
  // to the caption; then lays the caption out.
  void Printf(const char* format, ...);
  // Sets caption x and y from the rectangle, scale, margin and alignment.
  void LayoutCaption();
  // The overlay bracket around blending on, the backdrop when shown and the
  // caption; view_width, view_height: the window's client size.
  void Draw(std::uint32_t view_width, std::uint32_t view_height);

  // The scale actually used: at least 1.
  std::int32_t EffectiveScale() const { return scale < 1 ? 1 : scale; }

  FlagArray backdrop_shown{1};
  Rect& layout_rect;
  ColoredLine caption;
  Color caption_color{255, 255, 255, 255};
  std::int32_t scale = 1;
  std::int32_t margin = 0;
  std::int32_t caption_x = 0;
  std::int32_t caption_y = 0;
  FlagArray alignment{2};
};

}  // namespace woxa

// The drawing part of a text box: a scrolling log of coloured text laid out
// in a grid of fixed cells over a rectangle, with an optional backdrop.
//
// Text is appended with Printf and broken into lines at newlines and at the
// column count; a newline stays at the end of the line it ends and is drawn
// as a blank cell. At most max_lines lines are kept (0: no limit), the
// oldest dropped first. Colour changes are runs inside the lines; the colour
// of the last run in force carries into the lines below it, also when the
// line holding it is dropped or scrolled out of view. The view never scrolls
// by itself: programs move first_visible_line.
//
// The grid reads the cell size from the Font service, which must exist
// while a view is laid out or drawn. A rectangle, margin or scale that
// leaves less than one cell still gives one column and one row, and a scale
// below 1 counts as 1, so appending always makes progress.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>

#include "woxa/forms/backdrop.h"
#include "woxa/forms/form.h"
#include "woxa/text/colored_line.h"
#include "woxa/util/color.h"
#include "woxa/util/flag_array.h"

#if defined(__MINGW_PRINTF_FORMAT)
#define WOXA_TEXT_VIEW_PRINTF(f, a) __attribute__((format(__MINGW_PRINTF_FORMAT, f, a)))
#elif defined(__GNUC__)
#define WOXA_TEXT_VIEW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define WOXA_TEXT_VIEW_PRINTF(f, a)
#endif

namespace woxa {

class TextView : public Backdrop {
 public:
  // The size of the formatting buffer. Longer output is not cut: it is
  // formatted again into storage of its own size.
  static constexpr std::size_t kPrintfBufferSize = 2048;
  static constexpr std::uint32_t kDefaultMaxLines = 128;

  // `rect` is the rectangle the text is laid out in and the backdrop fills;
  // it must outlive the view. Starts with one empty line; the grid is laid
  // out by Relayout or UpdateGrid.
  explicit TextView(Rect& rect);
  ~TextView() override = default;

  // Formats like printf and appends the result, up to its first zero byte,
  // to the last line, then breaks and trims.
  void Printf(const char* format, ...) WOXA_TEXT_VIEW_PRINTF(2, 3);
  void VPrintf(const char* format, std::va_list args);

  // Text appended from now on is drawn in this colour. A second call with
  // no text in between replaces the colour of the first.
  void SetColor(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha);
  void SetColor(const Color& color);

  // Breaks the last line at newlines and at the width, then drops the
  // oldest lines beyond max_lines.
  void Flush();
  // Removes the oldest line, first giving the next line the colour the
  // oldest one ended in unless the next line sets its own at its start.
  // The scroll position is left alone, so the shown text moves up a line.
  void DropOldestLine();
  // Joins all lines into one and breaks it again for the current columns;
  // newlines survive, breaks made for the width are recomputed.
  void Reflow();
  // Leaves one empty line. The scroll position is left alone.
  void Clear();

  // Columns and rows from the rectangle, margin and scale, then Reflow.
  void UpdateGrid();
  // Text origin from the rectangle and margin, then UpdateGrid.
  void Relayout();
  void SetMargin(std::int32_t new_margin);

  // Draws the backdrop (when shown) and the visible lines in the 2D overlay
  // over a client area of view_width x view_height. The top line starts in
  // the colour in force at the end of the text above it.
  void Draw(std::uint32_t view_width, std::uint32_t view_height);

  // The scale the grid and the drawing use: `scale`, or 1 when below 1.
  std::int32_t EffectiveScale() const { return scale < 1 ? 1 : scale; }

  // Never empty; the last line is the one being written.
  std::deque<ColoredLine> lines;
  Color text_color{255, 255, 255, 255};
  std::uint32_t max_lines = kDefaultMaxLines;  // 0: no limit
  std::uint32_t columns = 0;
  std::uint32_t rows = 0;
  std::uint32_t first_visible_line = 0;
  Rect& layout_rect;
  std::int32_t text_x = 0;
  std::int32_t text_y = 0;
  std::int32_t margin = 0;
  std::int32_t scale = 1;
  FlagArray backdrop_shown{1};

 private:
  void AppendToLastLine(const char* text);
  // The run whose colour is in force where line `index` begins, or null.
  const ColorRun* RunInForceAbove(std::size_t index) const;
};

}  // namespace woxa

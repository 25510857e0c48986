#include "woxa/forms/text_view.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "woxa/forms/form.h"
#include "woxa/forms/overlay_bracket.h"
#include "woxa/platform/win32.h"
#include "woxa/text/font.h"

namespace woxa {
namespace {

constexpr std::size_t kNoBreak = static_cast<std::size_t>(-1);

// Where the line that starts at `begin` ends: after its newline, or at
// `width` characters; kNoBreak when the text ends first. The newline test
// comes first, so a newline arriving exactly at the width stays on the full
// line. `width` is at least 1, so every break moves forward.
std::size_t NextBreak(const std::string& text, std::size_t begin, std::size_t width) {
  for (std::size_t i = begin; i < text.size(); ++i) {
    if (text[i] == '\n') return i + 1;
    if (i - begin >= width) return i;
  }
  return kNoBreak;
}

// How many cells of `cell` pixels fit in `extent` less a margin on both
// sides; at least 1, also when the extent is negative or the margin eats it.
std::uint32_t CellsIn(std::int32_t extent, std::int32_t margin, std::int64_t cell) {
  const std::int64_t room = std::int64_t{extent} - 2 * std::int64_t{margin};
  if (room < cell) return 1;
  return static_cast<std::uint32_t>(room / cell);
}

}  // namespace

TextView::TextView(Rect& rect) : Backdrop(rect), lines(1), layout_rect(rect) {}

void TextView::Printf(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  VPrintf(format, args);
  va_end(args);
}

void TextView::VPrintf(const char* format, std::va_list args) {
  char buffer[kPrintfBufferSize];
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    AppendToLastLine(buffer);
  } else if (length >= 0) {
    // Output that does not fit is formatted again at its full size rather
    // than cut.
    std::string larger(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&larger[0], larger.size(), format, again);
    AppendToLastLine(larger.c_str());
  }
  va_end(again);
  Flush();
}

void TextView::AppendToLastLine(const char* text) { lines.back().text.append(text, std::strlen(text)); }

void TextView::SetColor(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha) {
  SetColor(Color{red, green, blue, alpha});
}

void TextView::SetColor(const Color& color) {
  ColoredLine& last = lines.back();
  const auto start = static_cast<std::int32_t>(last.text.size());
  if (!last.runs.empty() && last.runs.back().start == start) {
    last.runs.back().color = color;
  } else {
    last.runs.push_back({color, start});
  }
}

void TextView::Flush() {
  const std::size_t width = std::max<std::uint32_t>(columns, 1);
  const std::size_t first_break = NextBreak(lines.back().text, 0, width);
  if (first_break != kNoBreak) {
    // Breaking the last line over and over would copy its rest every time;
    // cutting all pieces in one pass gives the same lines in linear time.
    // A run goes with the piece it starts in; one that starts exactly at a
    // break belongs to the piece after it, and the last piece keeps a run
    // at its very end (the colour for text still to come).
    const std::string text = std::move(lines.back().text);
    const std::deque<ColorRun> runs = std::move(lines.back().runs);
    lines.pop_back();
    auto run = runs.begin();
    std::size_t begin = 0;
    std::size_t end = first_break;
    for (;;) {
      ColoredLine piece;
      const bool last_piece = end == kNoBreak;
      if (last_piece) end = text.size();
      piece.text.assign(text, begin, end - begin);
      for (; run != runs.end() && (last_piece || static_cast<std::size_t>(run->start) < end); ++run) {
        piece.runs.push_back({run->color, run->start - static_cast<std::int32_t>(begin)});
      }
      lines.push_back(std::move(piece));
      if (last_piece) break;
      begin = end;
      end = NextBreak(text, begin, width);
    }
  }
  if (max_lines != 0) {
    while (lines.size() > max_lines) DropOldestLine();
  }
}

void TextView::DropOldestLine() {
  if (lines.size() == 1) {
    Clear();
    return;
  }
  const ColoredLine& oldest = lines[0];
  ColoredLine& next = lines[1];
  if (!oldest.runs.empty() && (next.runs.empty() || next.runs.front().start > 0)) {
    next.runs.push_front({oldest.runs.back().color, 0});
  }
  lines.pop_front();
}

void TextView::Reflow() {
  if (lines.size() > 1) {
    // Joined front to back in one pass: the same line as appending each
    // line to the one before it from the back, without copying the tail
    // once per line.
    ColoredLine joined;
    std::size_t total = 0;
    for (const ColoredLine& line : lines) total += line.text.size();
    joined.text.reserve(total);
    for (const ColoredLine& line : lines) {
      const auto offset = static_cast<std::int32_t>(joined.text.size());
      for (const ColorRun& run : line.runs) joined.runs.push_back({run.color, run.start + offset});
      joined.text += line.text;
    }
    lines.clear();
    lines.push_back(std::move(joined));
  }
  Flush();
}

void TextView::Clear() {
  lines.clear();
  lines.emplace_back();
}

void TextView::UpdateGrid() {
  const Font& font = *Font::Instance();
  const std::int64_t scale_used = EffectiveScale();
  columns = CellsIn(layout_rect.width, margin, font.CellWidth() * scale_used);
  rows = CellsIn(layout_rect.height, margin, font.CellHeight() * scale_used);
  Reflow();
}

void TextView::Relayout() {
  text_x = layout_rect.x + margin;
  text_y = layout_rect.y + margin;
  UpdateGrid();
}

void TextView::SetMargin(std::int32_t new_margin) {
  margin = new_margin;
  Relayout();
}

const ColorRun* TextView::RunInForceAbove(std::size_t index) const {
  const std::size_t end = std::min(index, lines.size());
  for (std::size_t i = end; i > 0; --i) {
    const ColoredLine& line = lines[i - 1];
    if (!line.runs.empty()) return &line.runs.back();
  }
  return nullptr;
}

void TextView::Draw(std::uint32_t view_width, std::uint32_t view_height) {
  OverlayBracket::Open(view_width, view_height);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  if (backdrop_shown.Test(0)) Backdrop::Draw(view_width, view_height);
  glColor4ubv(text_color.data());
  if (const ColorRun* run = RunInForceAbove(first_visible_line)) glColor4ubv(run->color.data());
  if (first_visible_line < lines.size()) {
    const std::size_t end = std::min<std::size_t>(std::size_t{first_visible_line} + rows, lines.size());
    Font::Instance()->DrawColoredLines(lines, EffectiveScale(), first_visible_line, end, text_x, text_y);
  }
  OverlayBracket::Close();
}

}  // namespace woxa

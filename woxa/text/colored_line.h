// A line of text with colour changes at character positions, kept by the
// text box, the console and the push button caption and drawn by Font.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "woxa/util/color.h"

namespace woxa {

// From character `start` of its line on, text is drawn in `color`.
struct ColorRun {
  Color color;
  std::int32_t start = 0;
};

static_assert(sizeof(ColorRun) == 8, "a run is a packed colour and a 32-bit start");

// `runs` must be in strictly increasing order of start; the owner keeps that
// order and the drawing relies on it without sorting. A run that is never
// reached (start beyond the text, or not above the run before it) holds back
// every later run of its line. The last run's colour stays current after the
// line, so it carries into the lines that follow.
struct ColoredLine {
  std::string text;
  std::deque<ColorRun> runs;
};

}  // namespace woxa

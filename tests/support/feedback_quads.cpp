#include "tests/support/feedback_quads.h"

#include <algorithm>

namespace woxa_test {
namespace {

bool SameCorner(const QuadCorner& a, const QuadCorner& b) { return a.x == b.x && a.y == b.y; }

// Sorts four distinct corners of a rectangle into TL, BL, BR, TR.
bool Arrange(std::vector<QuadCorner> corners, Quad* quad) {
  if (corners.size() != 4) return false;
  auto min_x = std::min_element(corners.begin(), corners.end(), [](auto& a, auto& b) { return a.x < b.x; })->x;
  auto min_y = std::min_element(corners.begin(), corners.end(), [](auto& a, auto& b) { return a.y < b.y; })->y;
  int filled = 0;
  for (const auto& c : corners) {
    const bool left = c.x == min_x;
    const bool top = c.y == min_y;
    const int slot = left ? (top ? 0 : 1) : (top ? 3 : 2);
    quad->corner[slot] = c;
    filled |= 1 << slot;
  }
  return filled == 15;
}

}  // namespace

bool QuadsFromFeedback(const std::vector<FeedbackPolygon>& polygons, int window_height, std::vector<Quad>* quads) {
  quads->clear();
  std::vector<QuadCorner> pending;
  for (const auto& polygon : polygons) {
    for (const auto& v : polygon.vertices) {
      QuadCorner c{v.x, static_cast<float>(window_height) - v.y, v.s, v.t, v.r, v.g, v.b, v.a};
      bool seen = false;
      for (const auto& p : pending) seen = seen || SameCorner(p, c);
      if (!seen) pending.push_back(c);
    }
    if (pending.size() < 4) continue;
    Quad quad;
    if (!Arrange(pending, &quad)) return false;
    quads->push_back(quad);
    pending.clear();
  }
  return pending.empty();
}

}  // namespace woxa_test

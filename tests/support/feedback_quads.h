// Reassembles the quads of textured GL_QUADS drawing from feedback polygons,
// which may arrive as one four-vertex polygon or as two triangles each, and
// reports each corner in the top-down pixel coordinates of the 2D overlay.
#pragma once

#include <vector>

#include "tests/support/gl_window.h"

namespace woxa_test {

struct QuadCorner {
  float x, y;  // y counted from the top of the window
  float s, t;
  float r, g, b, a;
};

// Corners in the order a glyph emits them: top-left, bottom-left,
// bottom-right, top-right.
struct Quad {
  QuadCorner corner[4];
  float left() const { return corner[0].x; }
  float top() const { return corner[0].y; }
  float width() const { return corner[3].x - corner[0].x; }
  float height() const { return corner[1].y - corner[0].y; }
};

// False when the polygons do not pair up into axis-aligned rectangles.
bool QuadsFromFeedback(const std::vector<FeedbackPolygon>& polygons, int window_height, std::vector<Quad>* quads);

}  // namespace woxa_test

// Solid shapes drawn with immediate-mode OpenGL (global service 5).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class Shapes : public Singleton<Shapes> {
 public:
  Shapes() = default;
  ~Shapes() override = default;

  // An axis-aligned cube of edge size centred on the current modelview
  // origin: six GL_QUADS primitives with one normal each. Sets no colour,
  // texture or other state.
  void DrawSolidCube(float size) const;

  // Outward unit normals of the six faces, and the corners of each face.
  const float normals[6][3] = {{-1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  const int faces[6][4] = {{0, 1, 2, 3}, {3, 2, 6, 7}, {7, 6, 5, 4}, {4, 5, 1, 0}, {5, 6, 2, 1}, {7, 4, 0, 3}};
};

}  // namespace woxa

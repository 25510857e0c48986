// One triangle of an MQO object, copied by value.
#pragma once

#include <cstdint>

#include "woxa/model/tex_coord.h"

namespace woxa {

struct MqoFace {
  // Indices into the object's vertex arrays in drawing order, counter-
  // clockwise seen from the front. Kept as the file wrote them: an index
  // outside the object's vertices is possible, and drawing skips the
  // triangle that has one.
  std::int32_t corner[3] = {0, 0, 0};
  // Index into the model's materials.
  std::int32_t material = 0;
  // Texture coordinates of corners 0, 1 and 2; meaningful only for the
  // triangles of a textured material.
  TexCoord coordinate[3];
};

}  // namespace woxa

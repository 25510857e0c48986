// One object of an MQO model: its vertices and its triangles, split by
// whether their material has a texture.
#pragma once

#include <string>
#include <vector>

#include "woxa/model/mqo_face.h"
#include "woxa/model/vector3.h"

namespace woxa {

struct MqoObject {
  // The first word of the name in the file.
  std::string name;
  // Vertex positions as read from the file.
  std::vector<Vector3> base_positions;
  // Triangles whose material has no image, and those whose material has one.
  std::vector<MqoFace> untextured_faces;
  std::vector<MqoFace> textured_faces;
  // Objects of the same model that name this one as their parent, in file
  // order. They point into the model's object array, which is sized once
  // when the model is read and never resized after. Drawing ignores them.
  std::vector<MqoObject*> children;
  // The positions that are drawn; after loading, a copy of base_positions.
  std::vector<Vector3> positions;
  // One per vertex, passed to glNormal3dv. The reader leaves them zero: the
  // toolkit draws models without lighting.
  std::vector<Vector3> normals;
};

}  // namespace woxa

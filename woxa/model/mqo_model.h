// MqoModel: a polygon model read from an MQO file, with its objects and
// materials, and its drawing with OpenGL 1.1 immediate-mode calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "woxa/model/mqo_material.h"
#include "woxa/model/mqo_object.h"

namespace woxa {

// The only model type that loads.
constexpr std::int32_t kModelTypeMqo = 1;
// The index of a model that is not (yet) in the model cache.
constexpr std::int32_t kNoModelIndex = 0x20001;

class MqoModel {
 public:
  MqoModel(std::string name, std::int32_t model_type);
  // Objects point at each other (children) and materials own textures: a
  // model stays where it was made.
  MqoModel(const MqoModel&) = delete;
  MqoModel& operator=(const MqoModel&) = delete;

  // Draws every object in array order. Needs a current GL context; the
  // projection and modelview matrices are the caller's.
  void Draw() const;
  // Draws one object: all its untextured triangles in one glBegin/glEnd pair
  // with texturing off, then each textured triangle in a pair of its own with
  // its material's texture bound. Leaves GL_TEXTURE_2D enabled, the last
  // colour current and the last texture bound; touches no other state.
  // A triangle with a corner outside the object's vertex arrays is skipped,
  // and a material index outside the materials draws as the last material
  // (the reader's extra white one). An index past the objects draws nothing.
  void DrawObject(std::size_t object_index) const;

  // Position in the model cache once loaded.
  std::int32_t index = kNoModelIndex;
  // In file order.
  std::vector<MqoObject> objects;
  // The file's materials in file order, then one extra white material.
  std::vector<MqoMaterial> materials;
  // The path the file is read from; the cache's key.
  std::string file_name;
  std::int32_t type;

 private:
  void DrawUntextured(const MqoObject& object) const;
  void DrawTextured(const MqoObject& object) const;
  bool HasCorners(const MqoObject& object, const MqoFace& face) const;
  const MqoMaterial* MaterialOf(const MqoFace& face) const;
};

}  // namespace woxa

#include "woxa/model/mqo_model.h"

#include <utility>

namespace woxa {
namespace {

const double kWhite[4] = {1.0, 1.0, 1.0, 1.0};

void Normal(const Vector3& n) {
  const GLdouble v[3] = {n.x, n.y, n.z};
  glNormal3dv(v);
}

void Vertex(const Vector3& p) {
  const GLdouble v[3] = {p.x, p.y, p.z};
  glVertex3dv(v);
}

void Coordinate(const TexCoord& c) {
  const GLdouble v[2] = {c.u, c.v};
  glTexCoord2dv(v);
}

}  // namespace

MqoModel::MqoModel(std::string name, std::int32_t model_type) : file_name(std::move(name)), type(model_type) {}

void MqoModel::Draw() const {
  for (std::size_t i = 0; i < objects.size(); ++i) DrawObject(i);
}

void MqoModel::DrawObject(std::size_t object_index) const {
  if (object_index >= objects.size()) return;
  const MqoObject& object = objects[object_index];
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_TRIANGLES);
  DrawUntextured(object);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  DrawTextured(object);
}

void MqoModel::DrawUntextured(const MqoObject& object) const {
  for (const MqoFace& face : object.untextured_faces) {
    if (!HasCorners(object, face)) continue;
    const MqoMaterial* material = MaterialOf(face);
    glColor4dv(material != nullptr ? material->colour : kWhite);
    for (const std::int32_t n : face.corner) {
      Normal(object.normals[static_cast<std::size_t>(n)]);
      Vertex(object.positions[static_cast<std::size_t>(n)]);
    }
  }
}

// Textures cannot be bound between glBegin and glEnd, hence one pair each.
void MqoModel::DrawTextured(const MqoObject& object) const {
  for (const MqoFace& face : object.textured_faces) {
    if (!HasCorners(object, face)) continue;
    const MqoMaterial* material = MaterialOf(face);
    glBindTexture(GL_TEXTURE_2D, material != nullptr ? material->texture : 0);
    glBegin(GL_TRIANGLES);
    glColor4dv(material != nullptr ? material->colour : kWhite);
    for (int k = 0; k < 3; ++k) {
      const std::size_t n = static_cast<std::size_t>(face.corner[k]);
      Normal(object.normals[n]);
      Coordinate(face.coordinate[k]);
      Vertex(object.positions[n]);
    }
    glEnd();
  }
}

bool MqoModel::HasCorners(const MqoObject& object, const MqoFace& face) const {
  for (const std::int32_t n : face.corner) {
    if (n < 0) return false;
    const std::size_t i = static_cast<std::size_t>(n);
    if (i >= object.positions.size() || i >= object.normals.size()) return false;
  }
  return true;
}

const MqoMaterial* MqoModel::MaterialOf(const MqoFace& face) const {
  if (face.material >= 0 && static_cast<std::size_t>(face.material) < materials.size()) {
    return &materials[static_cast<std::size_t>(face.material)];
  }
  return materials.empty() ? nullptr : &materials.back();
}

}  // namespace woxa

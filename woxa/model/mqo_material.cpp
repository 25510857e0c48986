#include "woxa/model/mqo_material.h"

#include <utility>

#include "woxa/image/texture.h"

namespace woxa {

MqoMaterial::MqoMaterial(MqoMaterial&& other) noexcept
    : name(std::move(other.name)), image(other.image), texture(std::exchange(other.texture, 0)) {
  for (int i = 0; i < 4; ++i) colour[i] = other.colour[i];
  other.image.Release();
}

MqoMaterial& MqoMaterial::operator=(MqoMaterial&& other) noexcept {
  if (this == &other) return *this;
  Reset();
  name = std::move(other.name);
  for (int i = 0; i < 4; ++i) colour[i] = other.colour[i];
  image = other.image;
  other.image.Release();
  texture = std::exchange(other.texture, 0);
  return *this;
}

MqoMaterial::~MqoMaterial() { Reset(); }

void MqoMaterial::Set(const std::string& new_name, const double (&new_colour)[4], const ImageHandle& new_image) {
  // A second material list in one file sets the same material again; its
  // first texture would otherwise never be deleted.
  if (IsTextured()) Texture::Delete(texture);
  texture = 0;
  name = new_name;
  for (int i = 0; i < 4; ++i) colour[i] = new_colour[i];
  image = new_image;
  if (IsTextured()) texture = Texture::CreateFromImage(*image, true);
}

void MqoMaterial::Reset() {
  if (IsTextured()) Texture::Delete(texture);
  texture = 0;
  image.Release();
  name.clear();
  for (double& c : colour) c = 1.0;
}

}  // namespace woxa

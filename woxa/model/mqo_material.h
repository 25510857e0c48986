// A material of an MQO model: its name, its colour and, when its texture
// file could be loaded, the cached image and the GL texture made from it.
// The material owns its texture and one reference to its image, so it can
// be moved but not copied.
#pragma once

#include <string>

#include "woxa/image/image_handle.h"
#include "woxa/platform/win32.h"

namespace woxa {

class MqoMaterial {
 public:
  MqoMaterial() = default;
  MqoMaterial(MqoMaterial&& other) noexcept;
  MqoMaterial& operator=(MqoMaterial&& other) noexcept;
  MqoMaterial(const MqoMaterial&) = delete;
  MqoMaterial& operator=(const MqoMaterial&) = delete;
  // Deletes the texture (without a current GL context that does nothing)
  // and releases the image.
  ~MqoMaterial();

  // Copies name and colour and takes a reference to the image; for a
  // non-null image it creates a texture with linear filtering, so it needs a
  // current GL context then. A texture made by an earlier Set is deleted
  // first.
  void Set(const std::string& new_name, const double (&new_colour)[4], const ImageHandle& new_image);

  bool IsTextured() const { return !image.IsNull(); }

  std::string name;
  // Red, green, blue, alpha, for glColor4dv.
  double colour[4] = {1.0, 1.0, 1.0, 1.0};
  ImageHandle image;
  // Valid exactly when image is not null.
  GLuint texture = 0;

 private:
  // Back to an empty, white, untextured material.
  void Reset();
};

}  // namespace woxa

// A coloured or textured rectangle drawn in the 2D overlay: the part of a
// form that paints its background. The rectangle is the owning form's own,
// held by reference, so moving or resizing the form moves the backdrop.
//
// With an image the quad is textured (the colour modulates it) with the
// texture coordinates below; the defaults show the whole image once with
// its last stored pixel row at the top. Coordinates outside 0..1 tile it,
// wrapping being GL_REPEAT. Blending is left as the caller set it.
#pragma once

#include <cstdint>

#include "woxa/forms/form.h"
#include "woxa/image/image_handle.h"
#include "woxa/util/color.h"

namespace woxa {

class Backdrop {
 public:
  explicit Backdrop(Rect& rect);
  // Releases the image and deletes its texture when an image is held.
  virtual ~Backdrop();
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;

  // view_width, view_height: the owner window's client size.
  void Draw(std::uint32_t view_width, std::uint32_t view_height);
  // When an image is held: releases its handle and deletes the texture.
  // The texture name is kept, as after any delete.
  void ReleaseImage();

  Rect& rectangle;
  Color color{255, 255, 255, 255};
  ImageHandle image;
  std::uint32_t texture = 0;  // made from the image by the form that loads it
  float left_s = 0.0f;
  float right_s = 1.0f;
  float top_t = 1.0f;
  float bottom_t = 0.0f;

 private:
  void BindTexture() const;
  void EmitQuad(bool textured) const;
};

}  // namespace woxa

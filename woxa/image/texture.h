// Texture: the one rule that turns a cached image into an OpenGL texture.
// There is no texture object and no texture cache: an owner keeps the GL
// name beside the ImageHandle it was made from and deletes it itself.
#pragma once

#include "woxa/image/tga_image.h"
#include "woxa/platform/win32.h"

namespace woxa {

class Texture {
 public:
  // Needs a current GL context. Uploads the image's rows in their stored
  // order as a GL_RGBA4 texture (4 bits a channel) without mipmaps, with
  // GL_LINEAR filters when linear is set and no parameter otherwise (GL's
  // default minification filter then wants mipmaps: the owner sets filters
  // before drawing). Leaves the texture bound to GL_TEXTURE_2D and the
  // unpack alignment at 1, which rows of 4-byte pixels do not need but odd
  // widths at other formats would. Sizes are passed to GL as they are; an
  // OpenGL 1.1 implementation refuses sizes that are not powers of two.
  static GLuint CreateFromImage(const TgaImage& image, bool linear);
  // Deletes that one texture name; without a current context it does nothing.
  static void Delete(GLuint name);
};

}  // namespace woxa

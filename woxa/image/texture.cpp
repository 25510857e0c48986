#include "woxa/image/texture.h"

namespace woxa {

GLuint Texture::CreateFromImage(const TgaImage& image, bool linear) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  if (linear) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  }
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA4, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               image.pixels.empty() ? nullptr : image.pixels.data());
  return name;
}

void Texture::Delete(GLuint name) { glDeleteTextures(1, &name); }

}  // namespace woxa

#include "woxa/forms/backdrop.h"

#include "woxa/forms/overlay_bracket.h"
#include "woxa/image/texture.h"
#include "woxa/platform/win32.h"

namespace woxa {

Backdrop::Backdrop(Rect& rect) : rectangle(rect) {}

Backdrop::~Backdrop() { ReleaseImage(); }

void Backdrop::ReleaseImage() {
  if (!image) return;
  image.Release();
  Texture::Delete(texture);
}

void Backdrop::Draw(std::uint32_t view_width, std::uint32_t view_height) {
  OverlayBracket::Open(view_width, view_height);
  glColor4ubv(color.data());
  const bool textured = static_cast<bool>(image);
  if (textured) {
    BindTexture();
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  EmitQuad(textured);
  OverlayBracket::Close();
}

// Texture parameters are set on every draw: the texture is made without
// any, and GL's default minification filter would want mipmaps.
void Backdrop::BindTexture() const {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// Corners top-left, bottom-left, bottom-right, top-right.
void Backdrop::EmitQuad(bool textured) const {
  const float left = static_cast<float>(rectangle.x);
  const float top = static_cast<float>(rectangle.y);
  // Summed wide: a rectangle near the ends of the 32-bit range must not
  // overflow.
  const float right = static_cast<float>(std::int64_t{rectangle.x} + rectangle.width);
  const float bottom = static_cast<float>(std::int64_t{rectangle.y} + rectangle.height);
  glBegin(GL_QUADS);
  if (textured) glTexCoord2f(left_s, top_t);
  glVertex3f(left, top, 0.0f);
  if (textured) glTexCoord2f(left_s, bottom_t);
  glVertex3f(left, bottom, 0.0f);
  if (textured) glTexCoord2f(right_s, bottom_t);
  glVertex3f(right, bottom, 0.0f);
  if (textured) glTexCoord2f(right_s, top_t);
  glVertex3f(right, top, 0.0f);
  glEnd();
}

}  // namespace woxa

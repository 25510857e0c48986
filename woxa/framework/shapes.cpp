#include "woxa/framework/shapes.h"

#include "woxa/platform/win32.h"

namespace woxa {

void Shapes::DrawSolidCube(float size) const {
  const float h = size * 0.5f;
  const float l = -h;
  const float corners[8][3] = {{l, l, l}, {l, l, h}, {l, h, h}, {l, h, l},
                               {h, l, l}, {h, l, h}, {h, h, h}, {h, h, l}};
  for (int i = 0; i < 6; ++i) {
    glBegin(GL_QUADS);
    glNormal3fv(normals[i]);
    for (int k = 0; k < 4; ++k) glVertex3fv(corners[faces[i][k]]);
    glEnd();
  }
}

}  // namespace woxa

// A texture coordinate in OpenGL's convention: v = 0 at the bottom of the
// image, which is the first row of a TGA file's pixel data.
#pragma once

namespace woxa {

struct TexCoord {
  double u = 0.0;
  double v = 0.0;
};

}  // namespace woxa

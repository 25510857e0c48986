// The 2D overlay bracket every form drawing wraps its GL commands in: an
// orthographic projection over the client area, origin at the top-left
// corner, y downward, one unit per client pixel.
//
// Open pushes both matrices and the enable and texture attributes and turns
// off lighting, depth test and face culling; Close pops all of it again. The
// blend function is not among the saved attributes, so a blend function set
// between the two stays set afterwards. Brackets nest (a text box opens one
// and its backdrop another inside it): each level takes one entry of the
// projection and modelview stacks and one of the attribute stack.
#pragma once

#include <cstdint>

namespace woxa {

class OverlayBracket {
 public:
  // view_width, view_height: the window's client size in pixels.
  static void Open(std::uint32_t view_width, std::uint32_t view_height);
  // Leaves the matrix mode at GL_MODELVIEW.
  static void Close();
};

}  // namespace woxa

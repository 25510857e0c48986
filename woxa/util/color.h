// A colour as four unsigned bytes red, green, blue, alpha, in this order, so
// that a Color can be handed to glColor4ubv as it stands.
#pragma once

namespace woxa {

struct Color {
  unsigned char r = 0;
  unsigned char g = 0;
  unsigned char b = 0;
  unsigned char a = 0;

  const unsigned char* data() const { return &r; }
};

static_assert(sizeof(Color) == 4, "Color is handed to glColor4ubv as four packed bytes");

}  // namespace woxa

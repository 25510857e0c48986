// The built-in 6 x 13 bitmap font (global service 9).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class Font : public Singleton<Font> {
 public:
  Font() = default;
  ~Font() override = default;
};

}  // namespace woxa

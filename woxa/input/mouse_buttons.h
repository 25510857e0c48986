// Mouse button codes and their names (global service 4).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class MouseButtons : public Singleton<MouseButtons> {
 public:
  MouseButtons() = default;
  ~MouseButtons() override = default;
};

}  // namespace woxa

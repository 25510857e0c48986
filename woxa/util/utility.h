// String and path operations (global service 0).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class Utility : public Singleton<Utility> {
 public:
  Utility() = default;
  ~Utility() override = default;
};

}  // namespace woxa

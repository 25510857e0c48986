// Pi and the degree/radian factors (global service 6).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class MathConstants : public Singleton<MathConstants> {
 public:
  MathConstants() = default;
  ~MathConstants() override = default;

  const double pi = 3.141592653589793;
  const double radians_per_degree = 0.017453292519943295;
  const double degrees_per_radian = 57.29577951308232;
};

}  // namespace woxa

// A vertex position or a normal, in model units.
#pragma once

namespace woxa {

struct Vector3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

}  // namespace woxa

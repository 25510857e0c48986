// Named timing sections and their overlay graph (global service 2).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class Profiler : public Singleton<Profiler> {
 public:
  Profiler() = default;
  ~Profiler() override = default;
};

}  // namespace woxa

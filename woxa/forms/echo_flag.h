// The console's first base: one switch, echo. While it is set, every line a
// program takes from the console is also written into the console's output.
#pragma once

#include "woxa/util/flag_array.h"

namespace woxa {

class EchoFlag {
 public:
  EchoFlag() = default;
  virtual ~EchoFlag();

  FlagArray echo{1};  // starts clear
};

}  // namespace woxa

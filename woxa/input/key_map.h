// Virtual keys, key codes, key names and characters (global service 3).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class KeyMap : public Singleton<KeyMap> {
 public:
  KeyMap() = default;
  ~KeyMap() override = default;
};

}  // namespace woxa

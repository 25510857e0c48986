// Loaded MQO models by file name (global service 8).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class ModelCache : public Singleton<ModelCache> {
 public:
  ModelCache() = default;
  ~ModelCache() override = default;
};

}  // namespace woxa

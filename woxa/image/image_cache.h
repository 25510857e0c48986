// Loaded images by file name (global service 7).
#pragma once

#include "woxa/framework/singleton.h"

namespace woxa {

class ImageCache : public Singleton<ImageCache> {
 public:
  ImageCache() = default;
  ~ImageCache() override = default;
};

}  // namespace woxa

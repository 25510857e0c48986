#include "woxa/image/image_handle.h"

#include <cassert>

#include "woxa/image/image_cache.h"

namespace woxa {
namespace {

#ifndef NDEBUG
// A handle whose cache is gone points at freed memory; touching its count
// would corrupt whatever lives there now.
bool IsLive(const TgaImage* image) {
  const ImageCache* cache = ImageCache::Instance();
  return cache != nullptr && cache->Holds(image);
}
#endif

}  // namespace

ImageHandle::ImageHandle(TgaImage* image) : image_(image) { AddReference(); }

ImageHandle::ImageHandle(const ImageHandle& other) : image_(other.image_) { AddReference(); }

ImageHandle& ImageHandle::operator=(const ImageHandle& other) {
  TgaImage* const old = image_;
  image_ = other.image_;
  AddReference();
  if (old != nullptr) {
    ImageHandle previous;
    previous.image_ = old;  // released as it goes out of scope
  }
  return *this;
}

void ImageHandle::AddReference() {
  if (image_ == nullptr) return;
  assert(IsLive(image_) && "ImageHandle copied after the ImageCache that owned its image was destroyed");
  ++image_->reference_count;
}

void ImageHandle::Release() {
  if (image_ == nullptr) return;
  assert(IsLive(image_) && "ImageHandle released after the ImageCache that owned its image was destroyed");
  assert(image_->reference_count > 0 && "ImageHandle released an image that has no reference left");
  --image_->reference_count;
  image_ = nullptr;
}

}  // namespace woxa

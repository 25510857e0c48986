// ImageHandle: a counted reference to a TgaImage owned by the ImageCache.
// The count lives in the image and equals the number of non-null handles
// that point to it; the cache itself holds none. A handle must be released
// (or destroyed) while the cache that owns its image still exists; debug
// builds assert this on every copy and release, and the cache asserts at its
// destruction that no handle still holds one of its images.
#pragma once

#include "woxa/image/tga_image.h"

namespace woxa {

class ImageCache;

class ImageHandle {
 public:
  ImageHandle() = default;
  // Copies the pointer and adds a reference when it is not null.
  ImageHandle(const ImageHandle& other);
  // Takes the new reference before it lets go of the old one, so that
  // assigning a handle to itself changes nothing.
  ImageHandle& operator=(const ImageHandle& other);
  ~ImageHandle() { Release(); }

  // Gives the reference back and makes the handle null; a null handle
  // ignores it, so releasing twice is harmless.
  void Release();

  bool IsNull() const { return image_ == nullptr; }
  explicit operator bool() const { return image_ != nullptr; }
  // The image, for reading; null for a null handle.
  const TgaImage* Get() const { return image_; }
  const TgaImage& operator*() const { return *image_; }
  const TgaImage* operator->() const { return image_; }

 private:
  friend class ImageCache;
  // Only the cache hands out references to its images.
  explicit ImageHandle(TgaImage* image);
  void AddReference();

  TgaImage* image_ = nullptr;
};

}  // namespace woxa

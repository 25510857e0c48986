// ImageCache: every image of the program, by file name (global service 7).
// Each file is loaded once; requests for the same name share the image
// through counted ImageHandles. An image whose last handle is released stays
// cached and is handed out again without reloading, until its slot is
// needed for another file or the cache is destroyed. Names are compared as
// exact byte strings: case matters and paths are not normalised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "woxa/framework/singleton.h"
#include "woxa/image/image_handle.h"
#include "woxa/image/tga_image.h"

namespace woxa {

constexpr std::uint32_t kImageSlotsAtStart = 128;

class ImageCache : public Singleton<ImageCache> {
 public:
  ImageCache();
  // Deletes every image, referenced or not. Handles must be released first
  // (asserted in debug builds).
  ~ImageCache() override;

  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  // A handle with one reference to the image of that name, loading the file
  // when no such image is cached (the format is then ignored); null when the
  // file cannot be loaded. With kFormatByExtension only the extensions "tga"
  // and "TGA" load; any other name fails without touching the file system.
  // A failed load leaves its slot empty, after evicting all the same.
  ImageHandle Acquire(const std::string& file_name, std::int32_t format);
  bool Contains(const std::string& file_name) const;
  // The image in the lowest slot with exactly that name, with one more
  // reference; null when there is none.
  ImageHandle Find(const std::string& file_name);
  // The lowest slot that is empty or holds an unreferenced image (which is
  // deleted), else a new slot appended at the end.
  std::uint32_t TakeSlot();

  // Writes the image as source code to "[" + file name + "]TextureData.txt":
  // two size definitions and an array initialiser of every pixel's four
  // bytes, four pixels a line. False for a null handle or when the file
  // cannot be opened; write errors after that are not reported.
  bool WriteTextureData(const ImageHandle& handle) const;

  // Inspection: slots never move and their array never shrinks.
  std::size_t SlotCount() const { return slots_.size(); }
  const TgaImage* Slot(std::size_t index) const { return slots_[index].get(); }
  bool Holds(const TgaImage* image) const;

 private:
  std::vector<std::unique_ptr<TgaImage>> slots_;
};

}  // namespace woxa

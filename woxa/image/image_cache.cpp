#include "woxa/image/image_cache.h"

#include <cassert>
#include <cstdio>
#include <fstream>

#include "woxa/util/utility.h"

namespace woxa {
namespace {

std::string ExtensionOf(const std::string& file_name) {
  if (const Utility* utility = Utility::Instance()) return utility->GetExtension(file_name);
  // The utility service was not started: a short-lived one answers. It
  // registers itself and clears the registration again, which was empty.
  const Utility local;
  return local.GetExtension(file_name);
}

void WritePixel(std::ofstream& out, const unsigned char* p) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%.2X,0x%.2X,0x%.2X,0x%.2X", unsigned{p[0]}, unsigned{p[1]}, unsigned{p[2]},
                unsigned{p[3]});
  out << text;
}

}  // namespace

ImageCache::ImageCache() : slots_(kImageSlotsAtStart) {}

ImageCache::~ImageCache() {
  for (std::unique_ptr<TgaImage>& slot : slots_) {
    assert((slot == nullptr || slot->reference_count <= 0) &&
           "ImageCache destroyed while an ImageHandle still holds one of its images");
    slot.reset();
  }
}

ImageHandle ImageCache::Acquire(const std::string& file_name, std::int32_t format) {
  if (Contains(file_name)) return Find(file_name);
  const std::uint32_t index = TakeSlot();
  slots_[index] = std::make_unique<TgaImage>();
  TgaImage& image = *slots_[index];
  image.file_name = file_name;
  image.format = format;
  image.reference_count = 0;
  if (image.format == kFormatByExtension) {
    const std::string extension = ExtensionOf(file_name);
    if (extension == "tga" || extension == "TGA") image.format = kFormatTga;
  }
  if (image.format == kFormatTga && image.Load()) return ImageHandle(&image);
  slots_[index].reset();
  return ImageHandle();
}

bool ImageCache::Contains(const std::string& file_name) const {
  for (const std::unique_ptr<TgaImage>& slot : slots_) {
    if (slot != nullptr && slot->file_name == file_name) return true;
  }
  return false;
}

ImageHandle ImageCache::Find(const std::string& file_name) {
  for (const std::unique_ptr<TgaImage>& slot : slots_) {
    if (slot != nullptr && slot->file_name == file_name) return ImageHandle(slot.get());
  }
  return ImageHandle();
}

std::uint32_t ImageCache::TakeSlot() {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i] == nullptr) return static_cast<std::uint32_t>(i);
    if (slots_[i]->reference_count <= 0) {
      slots_[i].reset();
      return static_cast<std::uint32_t>(i);
    }
  }
  slots_.emplace_back();
  return static_cast<std::uint32_t>(slots_.size() - 1);
}

bool ImageCache::Holds(const TgaImage* image) const {
  if (image == nullptr) return false;
  for (const std::unique_ptr<TgaImage>& slot : slots_) {
    if (slot.get() == image) return true;
  }
  return false;
}

bool ImageCache::WriteTextureData(const ImageHandle& handle) const {
  if (handle.IsNull()) return false;
  const TgaImage& image = *handle;
  std::ofstream out("[" + image.file_name + "]TextureData.txt", std::ios::out | std::ios::trunc);
  if (!out) return false;
  out << "#define TEXTUREWIDTH " << image.width << "\n";
  out << "#define TEXTUREHEIGHT " << image.height << "\n";
  out << "\nunsigned char TexturePixel[TEXTUREWIDTH * TEXTUREHEIGHT * 4] = {\n    ";
  const std::size_t count = image.pixels.size() / 4;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out << (i % 4 == 0 ? ",\n    " : ", ");
    WritePixel(out, &image.pixels[4 * i]);
  }
  out << "\n};\n" << "\n";
  out.close();
  return true;
}

}  // namespace woxa

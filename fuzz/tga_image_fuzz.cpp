// Feeds arbitrary bytes to the TGA reader. Besides the sanitizers' checks it
// holds the reader to its contract: a failure leaves the image empty, a
// success holds exactly width x height pixels, and the pixels (of images up
// to 2^18 pixels) are those of a plain byte-at-a-time reading of the rules;
// a header the rules accept fails only by the memory bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tests/support/tga_reference.h"
#include "woxa/image/tga_image.h"

namespace {

constexpr std::size_t kComparedBytes = std::size_t{4} << 18;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Whether the rules accept the header, judged by the reference on a copy
// that declares no pixels, so that it allocates nothing.
bool RulesAcceptHeader(const std::uint8_t* data) {
  unsigned char header[18];
  for (int i = 0; i < 18; ++i) header[i] = data[i];
  header[12] = header[13] = header[14] = header[15] = 0;
  return woxa_test::DecodeReference(header, sizeof header).ok;
}

std::uint64_t MissingPixels(const std::uint8_t* data, std::size_t size) {
  const std::uint64_t count = static_cast<std::uint64_t>(data[12] | data[13] << 8) * (data[14] | data[15] << 8);
  const unsigned bpp = data[2] == 3 ? 1 : (data[17] & 0x0F) == 8 ? 4 : 3;
  const std::size_t start = 18 + std::size_t{data[0]};
  const std::uint64_t present = (size > start ? size - start : 0) / bpp;
  return present < count ? count - present : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  woxa::TgaImage image;
  const bool ok = image.LoadFromMemory(data, size);
  if (!ok) {
    Require(image.width == 0 && image.height == 0 && image.pixels.empty());
    if (size >= 18 && RulesAcceptHeader(data)) Require(MissingPixels(data, size) > woxa::kMaxMissingPixels);
    return 0;
  }
  Require(image.pixels.size() == std::size_t{4} * static_cast<std::size_t>(image.width) * image.height);
  // Large images only repeat what small ones show, at a high price per run.
  if (image.pixels.size() > kComparedBytes) return 0;
  const woxa_test::ReferenceImage reference = woxa_test::DecodeReference(data, size);
  Require(reference.ok && reference.width == static_cast<std::uint32_t>(image.width) &&
          reference.height == static_cast<std::uint32_t>(image.height) && reference.pixels.size() == image.pixels.size() &&
          std::equal(reference.pixels.begin(), reference.pixels.end(), image.pixels.begin()));
  return 0;
}

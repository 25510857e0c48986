// TgaImage: an image as 8-bit RGBA pixels, and its reader of TGA files.
//
// Contract of the reader (TgaImage::Load from the file named by file_name,
// TgaImage::LoadFromMemory from bytes):
// - Accepts uncompressed true-colour (image type 2) and grey (type 3) files
//   whose colour map type is not 1 (no colour map data is skipped for the
//   other values), whose pixel depth is 8, 16, 24 or 32 and whose alpha bits
//   (descriptor & 0x0F) are 0 or 8. Everything else fails: run-length types,
//   colour-mapped images, other depths and alpha bits, a file shorter than
//   the 18-byte header.
// - Bytes per pixel come from the image type and the alpha bits, never from
//   the depth field: type 2 reads blue, green, red (alpha 255) or, with 8
//   alpha bits, blue, green, red, alpha; type 3 reads one grey byte L and
//   stores (L, L, L, 255). So a 16-bit true-colour file is read as 3 bytes
//   a pixel.
// - Rows stay in the file's order: the origin bits are ignored and nothing
//   is flipped, so the file's first row becomes GL's bottom row (t = 0).
// - Pixel data that ends early still loads at full size: each channel of a
//   pixel without its byte keeps the value last read into that channel, and
//   a channel never read holds 255. Nothing after the last pixel is read.
// - Bound: a file may lack at most kMaxMissingPixels of its declared pixels.
//   A header that declares more than its data plus that margin fails, so the
//   pixel array never exceeds four bytes per pixel present in the file plus
//   16 MiB: an 18-byte file declaring 65535 x 65535 fails at once instead of
//   asking for 17 GB. Sizes that do not fit in memory's address range fail.
// - Failure is the result false with width 0, height 0 and no pixels; the
//   file name, format and reference count are left as they were. Nothing is
//   printed or thrown (but std::bad_alloc is turned into failure).
// - The file must be seekable (an ordinary file): its size is taken before
//   anything is allocated. The pixel array is sized once, at its final size;
//   the pixel data is read in blocks and widened to RGBA into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "woxa/image/pixel_array.h"

namespace woxa {

// Values of TgaImage::format.
constexpr std::int32_t kFormatByExtension = 0;  // choose the reader by the file name's extension
constexpr std::int32_t kFormatTga = 1;          // read the file as TGA

// The most pixels a file may lack and still load (16 MiB of RGBA output).
constexpr std::uint64_t kMaxMissingPixels = std::uint64_t{1} << 22;

class TgaImage {
 public:
  // Reads the file named by file_name; writes only pixels, width and height.
  bool Load();
  // The same reader over the bytes of a whole file held in memory.
  bool LoadFromMemory(const unsigned char* data, std::size_t size);
  // width = height = 0, pixels emptied and their storage released.
  void Clear();

  // width x height pixels, 4 bytes each (red, green, blue, alpha), in the
  // order of the file's pixel data.
  PixelArray pixels;
  std::int32_t width = 0;
  std::int32_t height = 0;
  // The path the file is opened with, exactly as given to the cache (its key).
  std::string file_name;
  std::int32_t format = kFormatByExtension;
  // Live ImageHandle references to this image.
  std::int32_t reference_count = 0;
};

}  // namespace woxa

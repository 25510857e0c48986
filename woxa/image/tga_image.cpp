#include "woxa/image/tga_image.h"

#include <fstream>
#include <limits>
#include <new>

namespace woxa {
namespace {

constexpr std::size_t kHeaderSize = 18;

// What the reader takes from the 18-byte header.
struct TgaHeader {
  std::uint32_t id_length = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bytes_per_pixel = 0;  // 0 when the header is refused

  std::uint64_t PixelCount() const { return std::uint64_t{width} * height; }
};

// Checks the header's fields in the reader's order and gives the bytes per
// pixel in the file, which follow from the image type and the alpha bits
// alone; 0 when the file is refused.
std::uint32_t BytesPerPixel(unsigned color_map_type, unsigned image_type, unsigned depth, unsigned descriptor) {
  if (color_map_type == 1) return 0;
  if (image_type != 2 && image_type != 3) return 0;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return 0;
  const unsigned alpha_bits = descriptor & 0x0F;
  if (alpha_bits != 0 && alpha_bits != 8) return 0;
  if (image_type == 3) return 1;
  return alpha_bits == 8 ? 4 : 3;
}

TgaHeader ParseHeader(const unsigned char* b) {
  TgaHeader header;
  header.id_length = b[0];
  header.width = std::uint32_t{b[12]} | std::uint32_t{b[13]} << 8;
  header.height = std::uint32_t{b[14]} | std::uint32_t{b[15]} << 8;
  header.bytes_per_pixel = BytesPerPixel(b[1], b[2], b[16], b[17]);
  return header;
}

// Sizes pixels to the header's final size, every byte 255. Fails when the
// file, holding `available` bytes of pixel data, lacks more pixels than the
// bound allows, or when the size does not fit in memory.
bool SizePixels(std::vector<unsigned char>& pixels, const TgaHeader& header, std::uint64_t available) {
  const std::uint64_t count = header.PixelCount();
  const std::uint64_t present = available / header.bytes_per_pixel;
  if (present < count && count - present > kMaxMissingPixels) return false;
  if (count > pixels.max_size() / 4 || count > std::numeric_limits<std::size_t>::max() / 4) return false;
  try {
    pixels.assign(static_cast<std::size_t>(count * 4), 255);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// Widens `available` bytes of pixel data at `in` into the RGBA pixels at
// `out`, then gives every pixel the data lacks the channel values last
// read. `in` may lie inside the output array as long as it starts at least
// (4 - bytes per pixel) x count bytes after `out`: every pixel's bytes are
// read before its four bytes are written, and those never reach the bytes
// of a later pixel.
void WidenPixels(unsigned char* out, std::uint64_t count, std::uint32_t bpp, const unsigned char* in,
                 std::uint64_t available) {
  const std::uint64_t whole = available / bpp < count ? available / bpp : count;
  unsigned char* p = out;
  const unsigned char* q = in;
  if (bpp == 3) {
    for (std::uint64_t i = 0; i < whole; ++i, p += 4, q += 3) {
      const unsigned char blue = q[0], green = q[1], red = q[2];
      p[0] = red, p[1] = green, p[2] = blue, p[3] = 255;
    }
  } else if (bpp == 4) {
    for (std::uint64_t i = 0; i < whole; ++i, p += 4, q += 4) {
      const unsigned char blue = q[0], green = q[1], red = q[2], alpha = q[3];
      p[0] = red, p[1] = green, p[2] = blue, p[3] = alpha;
    }
  } else {
    for (std::uint64_t i = 0; i < whole; ++i, p += 4, ++q) {
      const unsigned char grey = q[0];
      p[0] = grey, p[1] = grey, p[2] = grey, p[3] = 255;
    }
  }
  if (whole == count) return;
  // The channel values live across the whole loop: those of the last whole
  // pixel (its output holds them; its input may be overwritten by now), or
  // 255 when none was read, updated by the bytes of a pixel cut short.
  unsigned char channel[4] = {255, 255, 255, 255};  // red, green, blue, alpha
  if (whole > 0) {
    for (int c = 0; c < 4; ++c) channel[c] = p[c - 4];
  }
  const std::uint64_t rest = available - whole * bpp;  // below bpp; never for grey
  if (rest > 0) channel[2] = q[0];
  if (rest > 1) channel[1] = q[1];
  if (rest > 2) channel[0] = q[2];
  for (std::uint64_t i = whole; i < count; ++i, p += 4) {
    p[0] = channel[0], p[1] = channel[1], p[2] = channel[2], p[3] = channel[3];
  }
}

}  // namespace

void TgaImage::Clear() {
  width = 0;
  height = 0;
  std::vector<unsigned char>().swap(pixels);
}

bool TgaImage::LoadFromMemory(const unsigned char* data, std::size_t size) {
  Clear();
  if (data == nullptr || size < kHeaderSize) return false;
  const TgaHeader header = ParseHeader(data);
  if (header.bytes_per_pixel == 0) return false;
  const std::size_t start = kHeaderSize + header.id_length;
  const std::uint64_t available = size > start ? size - start : 0;
  if (!SizePixels(pixels, header, available)) return false;
  WidenPixels(pixels.data(), header.PixelCount(), header.bytes_per_pixel, data + (size > start ? start : size),
              available);
  width = static_cast<std::int32_t>(header.width);
  height = static_cast<std::int32_t>(header.height);
  return true;
}

bool TgaImage::Load() {
  Clear();
  std::ifstream file(file_name, std::ios::in | std::ios::binary);
  if (!file) return false;
  unsigned char bytes[kHeaderSize];
  if (!file.read(reinterpret_cast<char*>(bytes), kHeaderSize)) return false;
  const TgaHeader header = ParseHeader(bytes);
  if (header.bytes_per_pixel == 0) return false;

  // How much pixel data there is decides the bound before anything is
  // allocated. Seeking past the end (an image ID longer than the file) is
  // allowed and leaves no pixel data.
  const std::streamoff start = static_cast<std::streamoff>(kHeaderSize + header.id_length);
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  if (end < 0) return false;
  const std::uint64_t in_file = end > start ? static_cast<std::uint64_t>(end - start) : 0;
  const std::uint64_t count = header.PixelCount();
  const std::uint64_t wanted = count * header.bytes_per_pixel;
  if (!SizePixels(pixels, header, in_file < wanted ? in_file : wanted)) return false;

  // The pixel data is read in one block into the tail of the array and
  // widened in place from the front, so no second buffer is needed.
  unsigned char* tail = pixels.data() + (4 - header.bytes_per_pixel) * count;
  std::uint64_t got = 0;
  if (in_file > 0 && wanted > 0) {
    file.seekg(start, std::ios::beg);
    file.read(reinterpret_cast<char*>(tail), static_cast<std::streamsize>(in_file < wanted ? in_file : wanted));
    got = static_cast<std::uint64_t>(file.gcount());
  }
  WidenPixels(pixels.data(), count, header.bytes_per_pixel, tail, got);
  width = static_cast<std::int32_t>(header.width);
  height = static_cast<std::int32_t>(header.height);
  return true;
}

}  // namespace woxa

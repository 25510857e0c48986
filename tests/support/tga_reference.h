// A second reading of the TGA rules, kept as plain as the rules are written:
// one field at a time, one byte at a time, the four channel values living
// across the whole pixel loop. Tests and the fuzz target compare the real
// reader, which reads in blocks and widens in place, against it. It knows
// nothing of the reader's memory bound: callers apply that themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace woxa_test {

struct ReferenceImage {
  bool ok = false;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<unsigned char> pixels;
};

class ByteStream {
 public:
  ByteStream(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  // Like an input stream: once a read fails, every later read fails too.
  bool Get(unsigned char& byte) {
    if (failed_ || position_ >= size_) {
      failed_ = true;
      return false;
    }
    byte = data_[position_++];
    return true;
  }
  void Skip(std::size_t count) { position_ += count; }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

inline ReferenceImage DecodeReference(const unsigned char* data, std::size_t size) {
  ReferenceImage image;
  if (size < 18) return image;
  ByteStream in(data, size);
  unsigned char id_length = 0, color_map_type = 0, image_type = 0, lo = 0, hi = 0, depth = 0, descriptor = 0;
  in.Get(id_length);
  in.Get(color_map_type);
  in.Get(image_type);
  in.Skip(5);
  in.Skip(4);
  in.Get(lo), in.Get(hi);
  const std::uint32_t width = lo | hi << 8;
  in.Get(lo), in.Get(hi);
  const std::uint32_t height = lo | hi << 8;
  in.Get(depth);
  in.Get(descriptor);
  const unsigned alpha_bits = descriptor & 0x0F;
  if (color_map_type == 1) return image;
  if (image_type != 2 && image_type != 3) return image;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return image;
  if (alpha_bits != 0 && alpha_bits != 8) return image;
  in.Skip(id_length);
  image.ok = true;
  image.width = width;
  image.height = height;
  image.pixels.assign(std::size_t{width} * height * 4, 255);
  unsigned char red = 255, green = 255, blue = 255, alpha = 255;
  for (std::size_t i = 0; i < std::size_t{width} * height; ++i) {
    if (image_type == 2) {
      in.Get(blue), in.Get(green), in.Get(red);
      if (alpha_bits == 8) {
        in.Get(alpha);
      } else {
        alpha = 255;
      }
    } else {
      in.Get(red);
      green = red, blue = red, alpha = 255;
    }
    image.pixels[4 * i] = red;
    image.pixels[4 * i + 1] = green;
    image.pixels[4 * i + 2] = blue;
    image.pixels[4 * i + 3] = alpha;
  }
  return image;
}

}  // namespace woxa_test

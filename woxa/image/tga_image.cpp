#include "woxa/image/tga_image.h"

#include <algorithm>
#include <cstring>
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

// Pixels read and widened per step: a step's input stays in the cache while
// it is widened into the array.
constexpr std::size_t kBlockPixels = 16384;

// Hands out the pixel data in pieces.
class PixelSource {
 public:
  virtual ~PixelSource() = default;
  // Up to `wanted` next bytes, fewer only where the data ends.
  virtual const unsigned char* Next(std::size_t wanted, std::size_t& got) = 0;
};

class MemorySource : public PixelSource {
 public:
  MemorySource(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  const unsigned char* Next(std::size_t wanted, std::size_t& got) override {
    got = wanted < size_ - position_ ? wanted : size_ - position_;
    const unsigned char* piece = data_ + position_;
    position_ += got;
    return piece;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

class StreamSource : public PixelSource {
 public:
  explicit StreamSource(std::istream& in) : in_(in), block_(kBlockPixels * 4) {}
  const unsigned char* Next(std::size_t wanted, std::size_t& got) override {
    in_.read(reinterpret_cast<char*>(block_.data()), static_cast<std::streamsize>(wanted));
    got = static_cast<std::size_t>(in_.gcount());
    return block_.data();
  }

 private:
  std::istream& in_;
  std::vector<unsigned char> block_;
};

// Sizes pixels to the header's final size; the bytes are left for the
// decoder to write (see PixelArray). Fails when the file, holding
// `available` bytes of pixel data, lacks more pixels than the bound allows,
// or when the size does not fit in memory.
bool SizePixels(PixelArray& pixels, const TgaHeader& header, std::uint64_t available) {
  const std::uint64_t count = header.PixelCount();
  const std::uint64_t present = available / header.bytes_per_pixel;
  if (present < count && count - present > kMaxMissingPixels) return false;
  if (count > pixels.max_size() / 4 || count > std::numeric_limits<std::size_t>::max() / 4) return false;
  try {
    pixels.resize(static_cast<std::size_t>(count * 4));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool LittleEndian() {
  const std::uint32_t one = 1;
  unsigned char first = 0;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

// The fast paths build each RGBA pixel as one 32-bit word, whose bytes lie
// in memory order only on little-endian machines (elsewhere the plain loops
// do all the work), and they are written so that the compiler turns them
// into vector code: small groups of loads before all stores, or local
// arrays, which alias nothing.
std::uint32_t SwapRedBlue(std::uint32_t bgra) { return (bgra & 0xFF00FF00u) | (bgra >> 16 & 0xFFu) | (bgra & 0xFFu) << 16; }

void WidenGrey(const unsigned char* in, std::size_t count, unsigned char* out) {
  constexpr std::size_t kRun = 16;
  std::size_t i = 0;
  if (LittleEndian()) {
    for (; i + kRun <= count; i += kRun) {
      unsigned char grey[kRun];
      std::uint32_t rgba[kRun];
      std::memcpy(grey, in + i, kRun);
      for (std::size_t k = 0; k < kRun; ++k) rgba[k] = grey[k] * 0x010101u | 0xFF000000u;
      std::memcpy(out + 4 * i, rgba, sizeof rgba);
    }
  }
  for (; i < count; ++i) {
    out[4 * i] = out[4 * i + 1] = out[4 * i + 2] = in[i];
    out[4 * i + 3] = 255;
  }
}

void WidenBgra(const unsigned char* in, std::size_t count, unsigned char* out) {
  std::size_t i = 0;
  if (LittleEndian()) {
    for (; i + 4 <= count; i += 4) {
      std::uint32_t p[4];
      std::memcpy(p, in + 4 * i, sizeof p);
      p[0] = SwapRedBlue(p[0]), p[1] = SwapRedBlue(p[1]), p[2] = SwapRedBlue(p[2]), p[3] = SwapRedBlue(p[3]);
      std::memcpy(out + 4 * i, p, sizeof p);
    }
  }
  for (; i < count; ++i) {
    const unsigned char* p = in + 4 * i;
    out[4 * i] = p[2], out[4 * i + 1] = p[1], out[4 * i + 2] = p[0], out[4 * i + 3] = p[3];
  }
}

void WidenBgr(const unsigned char* in, std::size_t count, unsigned char* out) {
  std::size_t i = 0;
  if (LittleEndian()) {
    // Each pixel is loaded as four bytes, the fourth being the next pixel's
    // blue: the loop stops while a next pixel exists.
    for (; i + 5 <= count; i += 4) {
      const unsigned char* q = in + 3 * i;
      std::uint32_t p[4];
      std::memcpy(&p[0], q, 4), std::memcpy(&p[1], q + 3, 4), std::memcpy(&p[2], q + 6, 4), std::memcpy(&p[3], q + 9, 4);
      p[0] = SwapRedBlue(p[0]), p[1] = SwapRedBlue(p[1]), p[2] = SwapRedBlue(p[2]), p[3] = SwapRedBlue(p[3]);
      p[0] |= 0xFF000000u, p[1] |= 0xFF000000u, p[2] |= 0xFF000000u, p[3] |= 0xFF000000u;
      std::memcpy(out + 4 * i, p, sizeof p);
    }
  }
  for (; i < count; ++i) {
    const unsigned char* p = in + 3 * i;
    out[4 * i] = p[2], out[4 * i + 1] = p[1], out[4 * i + 2] = p[0], out[4 * i + 3] = 255;
  }
}

void Widen(const unsigned char* in, std::size_t count, std::uint32_t bpp, unsigned char* out) {
  if (bpp == 3) {
    WidenBgr(in, count, out);
  } else if (bpp == 4) {
    WidenBgra(in, count, out);
  } else {
    WidenGrey(in, count, out);
  }
}

// Writes every byte of the sized array: the pixels widened from source, in
// blocks, and where the data ends, the pixels left with the channel values
// last read: those of the last whole pixel (255 before any), updated by the
// bytes of a pixel cut short, which come in the file's order blue, green,
// red.
void DecodePixels(PixelArray& pixels, const TgaHeader& header, PixelSource& source) {
  const std::uint32_t bpp = header.bytes_per_pixel;
  const std::size_t count = pixels.size() / 4;
  unsigned char* const out = pixels.data();
  std::size_t done = 0;
  std::size_t got = 0;
  const unsigned char* in = nullptr;
  while (done < count) {
    const std::size_t step = count - done < kBlockPixels ? count - done : kBlockPixels;
    in = source.Next(step * bpp, got);
    const std::size_t whole = got / bpp;
    Widen(in, whole, bpp, out + 4 * done);
    done += whole;
    if (whole < step) break;
  }
  if (done == count) return;
  unsigned char channel[4] = {255, 255, 255, 255};  // red, green, blue, alpha
  if (done > 0) std::copy(out + 4 * done - 4, out + 4 * done, channel);
  const std::size_t rest = got % bpp;  // never for grey
  const unsigned char* cut = in + (got - rest);
  if (rest > 0) channel[2] = cut[0];
  if (rest > 1) channel[1] = cut[1];
  if (rest > 2) channel[0] = cut[2];
  for (; done < count; ++done) std::copy(channel, channel + 4, out + 4 * done);
}

}  // namespace

void TgaImage::Clear() {
  width = 0;
  height = 0;
  PixelArray().swap(pixels);
}

bool TgaImage::LoadFromMemory(const unsigned char* data, std::size_t size) {
  Clear();
  if (data == nullptr || size < kHeaderSize) return false;
  const TgaHeader header = ParseHeader(data);
  if (header.bytes_per_pixel == 0) return false;
  const std::size_t start = kHeaderSize + header.id_length;
  const std::size_t available = size > start ? size - start : 0;
  if (!SizePixels(pixels, header, available)) return false;
  MemorySource source(data + (size - available), available);
  DecodePixels(pixels, header, source);
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
  // allocated. An image ID longer than the file leaves no pixel data.
  const std::streamoff start = static_cast<std::streamoff>(kHeaderSize + header.id_length);
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  if (end < 0) return false;
  const std::uint64_t available = end > start ? static_cast<std::uint64_t>(end - start) : 0;
  if (!SizePixels(pixels, header, available)) return false;
  file.seekg(available > 0 ? start : end, std::ios::beg);
  StreamSource source(file);
  DecodePixels(pixels, header, source);
  width = static_cast<std::int32_t>(header.width);
  height = static_cast<std::int32_t>(header.height);
  return true;
}

}  // namespace woxa

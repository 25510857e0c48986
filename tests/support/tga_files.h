// Small TGA files made in tests, and a scratch folder to put them in.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace woxa_test {

using Bytes = std::vector<unsigned char>;

struct TgaFields {
  unsigned image_type = 2;
  unsigned width = 0;
  unsigned height = 0;
  unsigned depth = 24;
  unsigned descriptor = 0;
  unsigned id_length = 0;
  unsigned color_map_type = 0;
};

// An 18-byte header, id_length bytes of image ID (0xEE) and then data.
inline Bytes MakeTga(const TgaFields& f, const Bytes& data) {
  auto byte = [](unsigned v) { return static_cast<unsigned char>(v & 0xFF); };
  Bytes b = {byte(f.id_length), byte(f.color_map_type), byte(f.image_type), 0, 0, 0, 0, 0, 0, 0, 0, 0,
             byte(f.width), byte(f.width >> 8), byte(f.height), byte(f.height >> 8), byte(f.depth),
             byte(f.descriptor)};
  b.insert(b.end(), f.id_length, 0xEE);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

inline Bytes MakeTga(unsigned type, unsigned width, unsigned height, unsigned depth, unsigned descriptor,
                     const Bytes& data) {
  TgaFields f;
  f.image_type = type, f.width = width, f.height = height, f.depth = depth, f.descriptor = descriptor;
  return MakeTga(f, data);
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An empty folder of the running test's own, removed with everything in it
// at the end. Paths are given with "/" (Windows takes them too).
class ScratchDir {
 public:
  ScratchDir() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("woxa_") + info->test_suite_name() + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    path_ = std::filesystem::path(::testing::TempDir()) / name;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).generic_string(); }
  std::string Path() const { return path_.generic_string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace woxa_test

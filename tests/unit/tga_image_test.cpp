#include "woxa/image/tga_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tga_files.h"
#include "tests/support/tga_reference.h"

namespace {

using woxa::TgaImage;
using woxa_test::Bytes;
using woxa_test::MakeTga;
using woxa_test::ScratchDir;
using woxa_test::TgaFields;

struct Loaded {
  bool ok = false;
  int width = -1;
  int height = -1;
  Bytes pixels;
};

Loaded Take(bool ok, const TgaImage& image) {
  return {ok, image.width, image.height, Bytes(image.pixels.begin(), image.pixels.end())};
}

Loaded FromMemory(const Bytes& bytes) {
  TgaImage image;
  const bool ok = image.LoadFromMemory(bytes.data(), bytes.size());
  return Take(ok, image);
}

Loaded FromFile(const std::string& path) {
  TgaImage image;
  image.file_name = path;
  const bool ok = image.Load();
  return Take(ok, image);
}

// Both entry points must tell the same story about the same bytes.
Loaded LoadBoth(const ScratchDir& dir, const Bytes& bytes) {
  const std::string path = dir.File("case.tga");
  woxa_test::WriteBytes(path, bytes);
  const Loaded memory = FromMemory(bytes);
  const Loaded file = FromFile(path);
  EXPECT_EQ(memory.ok, file.ok);
  EXPECT_EQ(memory.width, file.width);
  EXPECT_EQ(memory.height, file.height);
  EXPECT_EQ(memory.pixels, file.pixels);
  return file;
}

Bytes Repeat(const Bytes& pixel, int times) {
  Bytes out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), pixel.begin(), pixel.end());
  return out;
}

TgaFields Fields(unsigned type, unsigned width, unsigned height, unsigned depth, unsigned descriptor) {
  TgaFields f;
  f.image_type = type, f.width = width, f.height = height, f.depth = depth, f.descriptor = descriptor;
  return f;
}

TgaFields WithId(TgaFields f, unsigned id_length) {
  f.id_length = id_length;
  return f;
}

TgaFields WithColorMapType(TgaFields f, unsigned type) {
  f.color_map_type = type;
  return f;
}

Bytes Append(Bytes bytes, const Bytes& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return bytes;
}

// A header that announces 255 bytes of image ID but is followed by only ten.
Bytes ShortIdFile() {
  Bytes bytes = MakeTga(2, 2, 2, 24, 0, Bytes(10, 7));
  bytes[0] = 255;
  return bytes;
}

struct AcceptedCase {
  const char* what;
  Bytes file;
  int width;
  int height;
  Bytes pixels;
};

TEST(TgaImageLoad, AcceptedFilesGiveTheRulesPixels) {
  const Bytes six = {10, 20, 30, 40, 50, 60};
  const Bytes six_rgba = {30, 20, 10, 255, 60, 50, 40, 255};
  const std::vector<AcceptedCase> cases = {
      {"24-bit true-colour", MakeTga(2, 2, 1, 24, 0, six), 2, 1, six_rgba},
      {"32-bit with 8 alpha bits", MakeTga(2, 2, 1, 32, 8, {10, 20, 30, 128, 40, 50, 60, 64}), 2, 1,
       {30, 20, 10, 128, 60, 50, 40, 64}},
      {"8-bit grey", MakeTga(3, 2, 1, 8, 0, {0, 200}), 2, 1, {0, 0, 0, 255, 200, 200, 200, 255}},
      {"grey with 8 alpha bits reads one byte a pixel", MakeTga(3, 2, 1, 16, 8, {7, 9, 11, 13}), 2, 1,
       {7, 7, 7, 255, 9, 9, 9, 255}},
      {"ID length 5: pixel data from offset 23", MakeTga(WithId(Fields(2, 2, 1, 24, 0), 5), six), 2, 1, six_rgba},
      {"16-bit true-colour read as 3 bytes", MakeTga(2, 2, 1, 16, 0, six), 2, 1, six_rgba},
      {"32-bit depth without alpha bits read as 3 bytes", MakeTga(2, 2, 1, 32, 0, six), 2, 1, six_rgba},
      {"8-bit true-colour read as 3 bytes", MakeTga(2, 2, 1, 8, 0, six), 2, 1, six_rgba},
      {"colour map type 2 accepted, no map skipped", MakeTga(WithColorMapType(Fields(2, 2, 1, 24, 0), 2), six), 2, 1,
       six_rgba},
      {"descriptor 0x28 (top-left, 8 alpha bits) not flipped",
       MakeTga(2, 1, 2, 32, 0x28, {1, 2, 3, 4, 5, 6, 7, 8}), 1, 2, {3, 2, 1, 4, 7, 6, 5, 8}},
      {"both origin bits (0x30) flip nothing", MakeTga(2, 2, 2, 24, 0x30, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), 2,
       2, {3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}},
      {"odd width at 24 bits keeps packed rows", MakeTga(2, 3, 1, 24, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}), 3, 1,
       {3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255}},
      {"width 0", MakeTga(2, 0, 3, 24, 0, {}), 0, 3, {}},
      {"height 0", MakeTga(3, 3, 0, 8, 0, {}), 3, 0, {}},
      {"1 x 1 of 21 bytes", MakeTga(2, 1, 1, 24, 0, {0x11, 0x22, 0x33}), 1, 1, {0x33, 0x22, 0x11, 255}},
      {"1 x 1 of 22 bytes", MakeTga(2, 1, 1, 32, 8, {0x11, 0x22, 0x33, 0x44}), 1, 1, {0x33, 0x22, 0x11, 0x44}},
      {"bytes after the last pixel are not read",
       Append(MakeTga(2, 1, 1, 24, 0, {1, 2, 3}), {'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O', 'N', 0}), 1, 1,
       {3, 2, 1, 255}},
      {"cut after 2 of 4 pixels: the rest repeat pixel 2", MakeTga(2, 4, 1, 24, 0, six), 4, 1,
       Append(six_rgba, Repeat({60, 50, 40, 255}, 2))},
      {"cut inside pixel 3: its blue and green are new, red is pixel 2's",
       MakeTga(2, 4, 1, 24, 0, {10, 20, 30, 40, 50, 60, 70, 80}), 4, 1,
       Append(six_rgba, Repeat({60, 80, 70, 255}, 2))},
      {"32-bit cut short keeps the alpha last read", MakeTga(2, 3, 1, 32, 8, {1, 2, 3, 4, 5, 6, 7}), 3, 1,
       Append({3, 2, 1, 4}, Repeat({7, 6, 5, 4}, 2))},
      {"grey cut short", MakeTga(3, 3, 1, 8, 0, {42}), 3, 1, Repeat({42, 42, 42, 255}, 3)},
      {"header alone: channels never read hold 255", MakeTga(2, 2, 2, 24, 0, {}), 2, 2, Bytes(16, 255)},
      {"ID length 255 in a short file: no pixel data", ShortIdFile(), 2, 2, Bytes(16, 255)},
  };
  ScratchDir dir;
  for (const AcceptedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Loaded loaded = LoadBoth(dir, c.file);
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.width, c.width);
    EXPECT_EQ(loaded.height, c.height);
    EXPECT_EQ(loaded.pixels, c.pixels);
  }
}

TEST(TgaImageLoad, RefusedHeadersFailAndLeaveTheImageEmpty) {
  const Bytes three = {1, 2, 3};
  struct RefusedCase {
    std::string what;
    Bytes file;
  };
  std::vector<RefusedCase> cases;
  for (unsigned type : {0u, 1u, 9u, 10u, 11u, 32u, 255u}) {
    cases.push_back({"image type " + std::to_string(type), MakeTga(type, 1, 1, 24, 0, three)});
  }
  cases.push_back({"colour map type 1 with type 2", MakeTga(WithColorMapType(Fields(2, 1, 1, 24, 0), 1), three)});
  for (unsigned depth : {0u, 1u, 15u, 31u, 33u, 255u}) {
    cases.push_back({"pixel depth " + std::to_string(depth), MakeTga(2, 1, 1, depth, 0, three)});
  }
  for (unsigned descriptor : {0x01u, 0x04u, 0x07u, 0x09u, 0x0Fu, 0x21u}) {
    cases.push_back({"descriptor " + std::to_string(descriptor), MakeTga(2, 1, 1, 32, descriptor, {1, 2, 3, 4})});
  }
  const Bytes whole = MakeTga(2, 1, 1, 24, 0, three);
  for (std::size_t size : {0u, 1u, 12u, 17u}) {
    cases.push_back({"header cut to " + std::to_string(size) + " bytes", Bytes(whole.begin(), whole.begin() + size)});
  }
  ScratchDir dir;
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Loaded loaded = LoadBoth(dir, c.file);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.width, 0);
    EXPECT_EQ(loaded.height, 0);
    EXPECT_TRUE(loaded.pixels.empty());
  }
}

TEST(TgaImageLoad, AMissingFileFails) {
  ScratchDir dir;
  const Loaded loaded = FromFile(dir.File("missing.tga"));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.width, 0);
  EXPECT_EQ(loaded.height, 0);
  EXPECT_TRUE(loaded.pixels.empty());
}

TEST(TgaImageLoad, AFailedReloadEmptiesThePixelsButKeepsNameFormatAndCount) {
  ScratchDir dir;
  TgaImage image;
  image.file_name = dir.File("a.tga");
  image.format = woxa::kFormatTga;
  image.reference_count = 3;
  woxa_test::WriteBytes(image.file_name, MakeTga(2, 2, 2, 24, 0, Bytes(12, 9)));
  ASSERT_TRUE(image.Load());
  woxa_test::WriteBytes(image.file_name, MakeTga(10, 2, 2, 24, 0, Bytes(12, 9)));

  EXPECT_FALSE(image.Load());

  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_TRUE(image.pixels.empty());
  EXPECT_EQ(image.pixels.capacity(), 0u);
  EXPECT_EQ(image.file_name, dir.File("a.tga"));
  EXPECT_EQ(image.format, woxa::kFormatTga);
  EXPECT_EQ(image.reference_count, 3);
}

// The memory bound: a file may lack at most kMaxMissingPixels pixels.
TEST(TgaImageLoad, AHeaderDeclaringFarMoreThanItsDataFails) {
  ScratchDir dir;
  for (unsigned type : {2u, 3u}) {
    SCOPED_TRACE(type);
    const Loaded loaded = LoadBoth(dir, MakeTga(type, 65535, 65535, type == 2 ? 24 : 8, 0, {}));
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.pixels.empty());
  }
}

TEST(TgaImageLoad, MissingPixelsUpToTheBoundStillLoad) {
  // 2048 x 2049 grey pixels, of which the file holds one row or one byte less:
  // exactly kMaxMissingPixels missing, or one more.
  static_assert(woxa::kMaxMissingPixels == 2048u * 2048u, "the case below is cut to the bound");
  ScratchDir dir;
  Bytes row(2048);
  for (std::size_t i = 0; i < row.size(); ++i) row[i] = static_cast<unsigned char>(i * 7);

  const Loaded at_bound = LoadBoth(dir, MakeTga(3, 2048, 2049, 8, 0, row));
  ASSERT_TRUE(at_bound.ok);
  ASSERT_EQ(at_bound.pixels.size(), 2048u * 2049u * 4u);
  const unsigned char last = row.back();
  EXPECT_EQ(at_bound.pixels[4 * 2047], last);
  EXPECT_EQ(at_bound.pixels[at_bound.pixels.size() - 4], last);

  row.pop_back();
  const Loaded beyond = LoadBoth(dir, MakeTga(3, 2048, 2049, 8, 0, row));
  EXPECT_FALSE(beyond.ok);
  EXPECT_TRUE(beyond.pixels.empty());
}

TEST(TgaImageLoad, ALegitimate8192SquareLoads) {
  ScratchDir dir;
  Bytes data(std::size_t{8192} * 8192);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i ^ (i >> 13));
  const std::string path = dir.File("big.tga");
  woxa_test::WriteBytes(path, MakeTga(3, 8192, 8192, 8, 0, data));

  const Loaded loaded = FromFile(path);

  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.width, 8192);
  EXPECT_EQ(loaded.height, 8192);
  ASSERT_EQ(loaded.pixels.size(), data.size() * 4);
  for (std::size_t i : {std::size_t{0}, std::size_t{8191}, std::size_t{8192} * 4097 + 5, data.size() - 1}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(loaded.pixels[4 * i], data[i]);
    EXPECT_EQ(loaded.pixels[4 * i + 2], data[i]);
    EXPECT_EQ(loaded.pixels[4 * i + 3], 255);
  }
}

// Files from public test suites, loaded or refused exactly as the rules say,
// with the pixels a plain byte-at-a-time reading of the rules gives.
TEST(TgaImageLoad, PublicTestFilesFollowTheRules) {
  const std::filesystem::path folder = std::filesystem::path(WOXA_TESTDATA_DIR) / "tga";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no test data at " << folder.string();
  struct FileCase {
    const char* name;
    bool ok;
    int width;
    int height;
  };
  const FileCase cases[] = {
      {"1x1_l_bl_raw.tga", true, 1, 1},
      {"1x1_l_tl_raw.tga", true, 1, 1},
      {"200x32_l_bl_raw.tga", true, 200, 32},
      {"200x32_l_tl_raw.tga", true, 200, 32},
      {"200x32_la_bl_raw.tga", true, 200, 32},  // grey with alpha bits 8: one byte a pixel
      {"200x32_la_tl_raw.tga", true, 200, 32},
      {"200x32_p_bl_raw.tga", false, 0, 0},  // colour-mapped
      {"200x32_rgb_bl_raw.tga", true, 200, 32},
      {"200x32_rgb_tl_raw.tga", false, 0, 0},  // run-length
      {"200x32_rgba_bl_raw.tga", true, 200, 32},
      {"200x32_rgba_tl_raw.tga", true, 200, 32},
      {"200x32_rgba_tl_rle.tga", false, 0, 0},
      {"b5-attrib.tga", false, 0, 0},  // one alpha bit
      {"b5-noattrib.tga", true, 4, 4},  // 16-bit read as 3 bytes, so cut short
      {"b5-unused-cmap.tga", false, 0, 0},  // colour map type 1
      {"bad-color-map.tga", false, 0, 0},
      {"bug00247.tga", false, 0, 0},  // three alpha bits
      {"bug00247a.tga", false, 0, 0},
      {"cross_scan_line_truncated.tga", false, 0, 0},
      {"ctc24.tga", false, 0, 0},
      {"derived_header_only_type2.tga", true, 200, 32},
      {"derived_utc24_truncated.tga", true, 128, 128},
      {"orientation-zero-width.tga", false, 0, 0},  // image type 0
      {"p_8.tga", false, 0, 0},
      {"rgba16.tga", true, 2, 1},  // 16-bit with 8 alpha bits: 4 bytes a pixel
      {"slice-copy-length.tga", false, 0, 0},
      {"tga_id_field.tga", true, 100, 100},
      {"top_right.tga", false, 0, 0},
      {"ubw8.tga", true, 128, 128},
      {"ucm8.tga", false, 0, 0},
      {"utc16.tga", false, 0, 0},  // one alpha bit
      {"utc24.tga", true, 128, 128},
      {"utc32.tga", true, 128, 128},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (folder / c.name).generic_string();
    const Bytes bytes = woxa_test::ReadBytes(path);
    ASSERT_FALSE(bytes.empty());
    const Loaded loaded = FromFile(path);
    EXPECT_EQ(loaded.ok, c.ok);
    EXPECT_EQ(loaded.width, c.width);
    EXPECT_EQ(loaded.height, c.height);
    const woxa_test::ReferenceImage reference = woxa_test::DecodeReference(bytes.data(), bytes.size());
    EXPECT_EQ(loaded.pixels, reference.pixels);
    EXPECT_EQ(FromMemory(bytes).pixels, loaded.pixels);
  }
}

TEST(TgaImageLoad, ACutFileRepeatsItsLastWholePixel) {
  const std::string path = std::string(WOXA_TESTDATA_DIR) + "/tga/derived_utc24_truncated.tga";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no test data at " << path;
  // 26 bytes of image ID, then 24576 bytes: exactly 8192 of 16384 pixels.
  const Loaded loaded = FromFile(path);
  ASSERT_TRUE(loaded.ok);
  const Bytes last_whole(loaded.pixels.begin() + 4 * 8191, loaded.pixels.begin() + 4 * 8192);
  for (std::size_t i = 8192; i < 16384; i += 1000) {
    EXPECT_EQ(Bytes(loaded.pixels.begin() + 4 * i, loaded.pixels.begin() + 4 * i + 4), last_whole) << i;
  }
}

// The pictures the programs read: their sizes, and the cursor's orientation
// as the cursor draws it (last stored row at the top): an opaque tip in the
// top-left corner on a transparent ground.
TEST(TgaImageLoad, TheDemoPicturesLoad) {
  struct Picture {
    const char* name;
    int width, height;
  };
  const Picture pictures[] = {
      {"background.TGA", 256, 256}, {"texrect.TGA", 256, 128}, {"back.TGA", 64, 64}, {"big_cursor.tga", 64, 64}};
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.name);
    const Loaded loaded = FromFile(std::string(WOXA_DEMO_DATA_DIR) + "/" + p.name);
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.width, p.width);
    EXPECT_EQ(loaded.height, p.height);
  }
  const Loaded cursor = FromFile(std::string(WOXA_DEMO_DATA_DIR) + "/big_cursor.tga");
  ASSERT_EQ(cursor.pixels.size(), 64u * 64u * 4u);
  auto alpha = [&](int x, int y_from_top) { return cursor.pixels[4 * ((63 - y_from_top) * 64 + x) + 3]; };
  EXPECT_EQ(alpha(1, 2), 255);
  EXPECT_EQ(alpha(63, 63), 0);
  EXPECT_EQ(alpha(63, 0), 0);
  EXPECT_EQ(alpha(0, 63), 0);
}

#ifndef _WIN32
// ImageMagick, told to honour the origin bits (-auto-orient), gives rows top
// first; the reader keeps the file's order, which is bottom first unless the
// descriptor's top-left bit (0x20) is set.
TEST(TgaImageLoad, AgreesWithImageMagickOnceRowOrderIsTakenIntoAccount) {
  if (std::system("convert -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is absent";
  struct Kind {
    unsigned type, depth, descriptor, bytes_per_pixel;
  };
  const Kind kinds[] = {{2, 24, 0x00, 3}, {2, 24, 0x20, 3}, {2, 32, 0x08, 4},
                        {2, 32, 0x28, 4}, {3, 8, 0x00, 1},  {3, 8, 0x20, 1}};
  const int width = 7, height = 5;
  ScratchDir dir;
  unsigned seed = 12345;
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(testing::Message() << "type " << kind.type << " depth " << kind.depth << " descriptor "
                                    << kind.descriptor);
    Bytes data(width * height * kind.bytes_per_pixel);
    for (unsigned char& b : data) b = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    const std::string tga = dir.File("magick.tga"), raw = dir.File("magick.rgba");
    woxa_test::WriteBytes(tga, MakeTga(kind.type, width, height, kind.depth, kind.descriptor, data));
    const std::string command = "convert '" + tga + "' -auto-orient -depth 8 'rgba:" + raw + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const Bytes magick = woxa_test::ReadBytes(raw);
    ASSERT_EQ(magick.size(), std::size_t{width} * height * 4);

    const Loaded ours = FromFile(tga);

    ASSERT_TRUE(ours.ok);
    const bool top_first = (kind.descriptor & 0x20) != 0;
    for (int row = 0; row < height; ++row) {
      const int magick_row = top_first ? row : height - 1 - row;
      const auto ours_begin = ours.pixels.begin() + row * width * 4;
      const auto magick_begin = magick.begin() + magick_row * width * 4;
      EXPECT_EQ(Bytes(ours_begin, ours_begin + width * 4), Bytes(magick_begin, magick_begin + width * 4))
          << "row " << row;
    }
  }
}
#endif

}  // namespace

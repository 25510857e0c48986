#include "woxa/image/image_cache.h"

#include <gtest/gtest.h>

#include "tests/support/fifo_probe.h"

#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/tga_files.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#endif

namespace {

using woxa::ImageCache;
using woxa::ImageHandle;
using woxa::kFormatByExtension;
using woxa_test::Bytes;
using woxa_test::MakeTga;
using woxa_test::ScratchDir;

// A 1 x 1 true-colour file whose one pixel reads (value, value, value, 255).
Bytes OnePixel(unsigned char value) { return MakeTga(2, 1, 1, 24, 0, {value, value, value}); }

class ImageCacheTest : public ::testing::Test {
 protected:
  // Writes a 1 x 1 file of that name into the scratch folder and gives its path.
  std::string Write(const std::string& name, unsigned char value = 1) {
    const std::string path = dir_.File(name);
    woxa_test::WriteBytes(path, OnePixel(value));
    return path;
  }
  ImageHandle Acquire(const std::string& path) { return cache_.Acquire(path, kFormatByExtension); }

  ScratchDir dir_;
  ImageCache cache_;
};

TEST_F(ImageCacheTest, AcquiringTwiceSharesOneImageAndCountsBothHandles) {
  const std::string a = Write("a.tga", 7);

  ImageHandle first = Acquire(a);
  ImageHandle second = Acquire(a);

  ASSERT_TRUE(first);
  EXPECT_EQ(first.Get(), second.Get());
  EXPECT_EQ(first->reference_count, 2);
  EXPECT_EQ(first->file_name, a);
  EXPECT_EQ(first->format, woxa::kFormatTga);
  EXPECT_EQ(Bytes(first->pixels.begin(), first->pixels.end()), (Bytes{7, 7, 7, 255}));
  EXPECT_EQ(cache_.Slot(0), first.Get());
  EXPECT_EQ(cache_.Slot(1), nullptr);
}

TEST_F(ImageCacheTest, CopiesAndReleasesKeepTheCountEqualToTheLiveHandles) {
  ImageHandle first = Acquire(Write("a.tga"));
  ImageHandle second(first);
  ImageHandle third;
  third = second;
  ASSERT_EQ(first->reference_count, 3);

  third = third;  // assignment to itself
  EXPECT_EQ(first->reference_count, 3);
  EXPECT_EQ(third.Get(), first.Get());

  third.Release();
  third.Release();  // a released handle is null: releasing again changes nothing
  ImageHandle copy_of_released(third);
  EXPECT_TRUE(copy_of_released.IsNull());
  EXPECT_EQ(first->reference_count, 2);

  const woxa::TgaImage* image = first.Get();
  second = ImageHandle();  // assigning a null handle releases
  first.Release();
  EXPECT_EQ(image->reference_count, 0);
  EXPECT_EQ(cache_.Slot(0), image);  // unreferenced images stay cached
}

TEST_F(ImageCacheTest, AReleasedImageIsHandedOutAgainWithoutReadingTheFile) {
  const std::string a = Write("a.tga", 7);
  ImageHandle first = Acquire(a);
  const woxa::TgaImage* image = first.Get();
  first.Release();
  // Were the file read again, its absence would make the acquisition fail.
  std::filesystem::remove(a);

  ImageHandle again = Acquire(a);

  ASSERT_EQ(again.Get(), image);
  EXPECT_EQ(again->reference_count, 1);
  EXPECT_EQ(Bytes(again->pixels.begin(), again->pixels.end()), (Bytes{7, 7, 7, 255}));
}

TEST_F(ImageCacheTest, ANewFileEvictsTheLowestUnreferencedImageEvenWithEmptySlotsLeft) {
  ImageHandle a = Acquire(Write("a.tga"));
  ImageHandle b = Acquire(Write("b.tga"));
  ImageHandle c = Acquire(Write("c.tga"));
  ASSERT_EQ(cache_.Slot(2), c.Get());
  c.Release();
  a.Release();

  ImageHandle d = Acquire(Write("d.tga"));

  EXPECT_EQ(cache_.Slot(0), d.Get());
  EXPECT_FALSE(cache_.Contains(dir_.File("a.tga")));
  EXPECT_EQ(cache_.Slot(1), b.Get());
  EXPECT_TRUE(cache_.Contains(dir_.File("c.tga")));
  EXPECT_EQ(cache_.Slot(3), nullptr);
  EXPECT_EQ(cache_.SlotCount(), woxa::kImageSlotsAtStart);
}

TEST_F(ImageCacheTest, AFailedLoadEvictsAllTheSameAndLeavesItsSlotEmpty) {
  Acquire(Write("a.tga"));  // the temporary handle releases it at once
  ASSERT_TRUE(cache_.Contains(dir_.File("a.tga")));
  woxa_test::WriteBytes(dir_.File("broken.tga"), MakeTga(10, 1, 1, 24, 0, {1, 2, 3}));

  for (const char* name : {"missing.tga", "broken.tga"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(Acquire(dir_.File(name)).IsNull());
    EXPECT_FALSE(cache_.Contains(dir_.File(name)));
  }
  EXPECT_FALSE(cache_.Contains(dir_.File("a.tga")));
  EXPECT_EQ(cache_.Slot(0), nullptr);
  EXPECT_EQ(cache_.SlotCount(), woxa::kImageSlotsAtStart);

  // Nothing of the failure is remembered: once the file exists, it loads.
  Write("missing.tga");
  EXPECT_FALSE(Acquire(dir_.File("missing.tga")).IsNull());
}

TEST_F(ImageCacheTest, NamesAreExactByteStrings) {
  const std::string lower = Write("a.tga", 1);
  const std::string upper = Write("A.TGA", 2);  // on Windows the same file as a.tga

  ImageHandle first = Acquire(lower);
  ImageHandle second = Acquire(upper);
  ImageHandle third = Acquire(dir_.Path() + "/./a.tga");

  ASSERT_TRUE(first && second && third);
  EXPECT_NE(first.Get(), second.Get());
  EXPECT_NE(first.Get(), third.Get());
  EXPECT_EQ(third->file_name, dir_.Path() + "/./a.tga");
  EXPECT_TRUE(cache_.Find(upper).Get() == second.Get());
  EXPECT_TRUE(cache_.Find(dir_.File("A.tga")).IsNull());
}

TEST_F(ImageCacheTest, FindAddsAReferenceAndContainsAddsNone) {
  const std::string a = Write("a.tga");
  ImageHandle held = Acquire(a);

  EXPECT_TRUE(cache_.Contains(a));
  EXPECT_EQ(held->reference_count, 1);
  ImageHandle found = cache_.Find(a);
  EXPECT_EQ(found.Get(), held.Get());
  EXPECT_EQ(held->reference_count, 2);
  EXPECT_TRUE(cache_.Find(dir_.File("b.tga")).IsNull());
  EXPECT_FALSE(cache_.Contains(dir_.File("b.tga")));
}

TEST_F(ImageCacheTest, TheFormatDecidesTheReader) {
  const std::string bmp = dir_.File("tga_inside.bmp");
  woxa_test::WriteBytes(bmp, OnePixel(5));
  const std::string tga = Write("a.tga");

  EXPECT_TRUE(Acquire(bmp).IsNull());
  EXPECT_FALSE(cache_.Acquire(bmp, woxa::kFormatTga).IsNull());
  EXPECT_TRUE(cache_.Acquire(tga, 7).IsNull());  // no reader has that number
  EXPECT_EQ(cache_.Acquire(tga, kFormatByExtension)->format, woxa::kFormatTga);
}

TEST_F(ImageCacheTest, With128ReferencedImagesTheNextOneAppendsSlot128) {
  std::vector<ImageHandle> held;
  for (int i = 0; i < 128; ++i) held.push_back(Acquire(Write("img" + std::to_string(i) + ".tga")));
  ASSERT_EQ(cache_.SlotCount(), 128u);
  ASSERT_NE(cache_.Slot(127), nullptr);

  ImageHandle extra = Acquire(Write("extra.tga"));

  ASSERT_FALSE(extra.IsNull());
  EXPECT_EQ(cache_.SlotCount(), 129u);
  EXPECT_EQ(cache_.Slot(128), extra.Get());
  EXPECT_EQ(cache_.TakeSlot(), 129u);  // all still referenced: another slot
}

TEST(ImageCacheService, RegistersItselfAsTheInstance) {
  EXPECT_EQ(ImageCache::Instance(), nullptr);
  {
    ImageCache cache;
    EXPECT_EQ(ImageCache::Instance(), &cache);
  }
  EXPECT_EQ(ImageCache::Instance(), nullptr);
}

TEST(ImageCacheWriteTextureData, ANullHandleWritesNothing) {
  ImageCache cache;
  EXPECT_FALSE(cache.WriteTextureData(ImageHandle()));
}

#ifndef _WIN32
using woxa_test::OpensFifo;

TEST_F(ImageCacheTest, OnlyTgaAndTGAExtensionsReachTheFileSystem) {
  for (const char* name : {"a.Tga", "a.tGA", "picture.bmp", "noextension", "a.tga.bak"}) {
    SCOPED_TRACE(name);
    ImageHandle handle;
    EXPECT_FALSE(OpensFifo(dir_.File(name), [&] { handle = Acquire(dir_.File(name)); }));
    EXPECT_TRUE(handle.IsNull());
    EXPECT_EQ(cache_.Slot(0), nullptr);
  }
  // The watcher does see a reader: a FIFO with a loadable name is opened,
  // reads end of file and fails as a header cut short.
  ImageHandle handle;
  EXPECT_TRUE(OpensFifo(dir_.File("fifo.tga"), [&] { handle = Acquire(dir_.File("fifo.tga")); }));
  EXPECT_TRUE(handle.IsNull());
}
#else
TEST_F(ImageCacheTest, OnlyTgaAndTGAExtensionsLoad) {
  // The file system here ignores case: the file exists under every spelling,
  // and only the name decides.
  Write("a.tga");
  for (const char* name : {"a.Tga", "a.tGA"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(Acquire(dir_.File(name)).IsNull());
    EXPECT_EQ(cache_.Slot(0), nullptr);
  }
  EXPECT_FALSE(Acquire(dir_.File("a.TGA")).IsNull());
}
#endif

#ifndef NDEBUG
TEST(ImageHandleDeathTest, ACacheDestroyedWhileAHandleHoldsAnImageIsCaught) {
  ScratchDir dir;
  woxa_test::WriteBytes(dir.File("a.tga"), OnePixel(1));
  EXPECT_DEATH(
      {
        auto* cache = new ImageCache;
        ImageHandle handle = cache->Acquire(dir.File("a.tga"), kFormatByExtension);
        delete cache;
      },
      "ImageCache destroyed while an ImageHandle still holds one of its images");
}

TEST(ImageHandleDeathTest, AHandleWhoseCacheIsGoneIsCaughtWhenCopiedOrReleased) {
  ScratchDir dir;
  woxa_test::WriteBytes(dir.File("a.tga"), OnePixel(1));
  ImageCache cache;
  ImageHandle handle = cache.Acquire(dir.File("a.tga"), kFormatByExtension);
  // A second cache takes over the registration and clears it as it goes, so
  // the first one's images belong to no registered cache any more.
  auto lose_registration = [] { delete new ImageCache; };
  EXPECT_DEATH(
      {
        lose_registration();
        ImageHandle copy(handle);
      },
      "ImageHandle copied after the ImageCache that owned its image was destroyed");
  EXPECT_DEATH(
      {
        lose_registration();
        handle.Release();
      },
      "ImageHandle released after the ImageCache that owned its image was destroyed");
}
#endif

}  // namespace

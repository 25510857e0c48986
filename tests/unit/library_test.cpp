#include "woxa/framework/library.h"

#include <gtest/gtest.h>

#include "woxa/framework/math_constants.h"
#include "woxa/framework/shapes.h"
#include "woxa/image/image_cache.h"
#include "woxa/input/key_map.h"
#include "woxa/input/mouse_buttons.h"
#include "woxa/model/model_cache.h"
#include "woxa/text/font.h"
#include "woxa/timing/profiler.h"
#include "woxa/timing/timer.h"
#include "woxa/util/utility.h"

namespace woxa {
namespace {

// Which services exist, in flag order.
std::vector<bool> Existing() {
  return {Utility::Instance() != nullptr,    Timer::Instance() != nullptr,         Profiler::Instance() != nullptr,
          KeyMap::Instance() != nullptr,     MouseButtons::Instance() != nullptr,  Shapes::Instance() != nullptr,
          MathConstants::Instance() != nullptr, ImageCache::Instance() != nullptr, ModelCache::Instance() != nullptr,
          Font::Instance() != nullptr};
}

TEST(Library, StartupAllCreatesEveryServiceAndShutdownDeletesThem) {
  EXPECT_TRUE(LibraryStartupAll());
  EXPECT_EQ(Existing(), std::vector<bool>(10, true));
  LibraryShutdown();
  EXPECT_EQ(Existing(), std::vector<bool>(10, false));
  for (std::uint32_t i = 0; i < kModuleCount; ++i) EXPECT_EQ(LibraryModuleFlags()[i], 0) << i;
}

TEST(Library, OnlyFlaggedServicesExistAndAnyNonZeroByteCounts) {
  FlagArray flags(kModuleCount);
  flags.Clear();
  flags[kModuleKeyMap] = 1;
  flags[kModuleFont] = 2;  // not exactly 1, still set
  EXPECT_TRUE(LibraryStartup(flags));
  std::vector<bool> expected(10, false);
  expected[kModuleKeyMap] = expected[kModuleFont] = true;
  EXPECT_EQ(Existing(), expected);
  LibraryShutdown();
  EXPECT_EQ(Existing(), std::vector<bool>(10, false));
}

TEST(Library, ShutdownLeavesServicesItDidNotCreateAndASecondShutdownDoesNothing) {
  FlagArray flags(kModuleCount);
  flags.Clear();
  flags[kModuleTimer] = 1;
  LibraryStartup(flags);
  auto* own = new Utility();  // created by the program, not by start-up
  LibraryShutdown();
  EXPECT_EQ(Timer::Instance(), nullptr);
  EXPECT_EQ(Utility::Instance(), own);
  LibraryShutdown();
  EXPECT_EQ(Utility::Instance(), own);
  delete own;
  EXPECT_EQ(Utility::Instance(), nullptr);
}

TEST(Library, ServicesDeletedByTheProgramAreSkipped) {
  LibraryStartupAll();
  delete Font::Instance();
  LibraryShutdown();  // must not delete the font again
  EXPECT_EQ(Existing(), std::vector<bool>(10, false));
}

TEST(MathConstants, HoldPiAndTheDegreeFactors) {
  MathConstants m;
  EXPECT_DOUBLE_EQ(m.pi, 3.141592653589793);
  EXPECT_DOUBLE_EQ(m.radians_per_degree * 180.0, m.pi);
  EXPECT_DOUBLE_EQ(m.degrees_per_radian, 57.29577951308232);
}

}  // namespace
}  // namespace woxa

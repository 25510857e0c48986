// Library start-up and shutdown: the ten global services, created in index
// order by LibraryStartup and destroyed in reverse order by LibraryShutdown.
#pragma once

#include <cstdint>

#include "woxa/util/flag_array.h"

namespace woxa {

// Indices of the start-up flags, in creation order.
enum ModuleFlag : std::uint32_t {
  kModuleUtility = 0,
  kModuleTimer = 1,
  kModuleProfiler = 2,
  kModuleKeyMap = 3,
  kModuleMouseButtons = 4,
  kModuleShapes = 5,
  kModuleMathConstants = 6,
  kModuleImageCache = 7,
  kModuleModelCache = 8,
  kModuleFont = 9,
};
constexpr std::uint32_t kModuleCount = 10;

// Creates the service of every flag that is not zero (flags must hold at
// least kModuleCount entries) and remembers the flags. Always returns true.
bool LibraryStartup(const FlagArray& flags);
// LibraryStartup with all ten flags set.
bool LibraryStartupAll();
// Deletes the services that start-up created and that still exist, last
// first, and clears the remembered flags. A second call does nothing.
void LibraryShutdown();

// The flags LibraryStartup remembered (all clear before it and after
// LibraryShutdown).
const FlagArray& LibraryModuleFlags();

}  // namespace woxa

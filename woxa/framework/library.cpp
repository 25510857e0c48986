#include "woxa/framework/library.h"

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

// The library's copy of the start-up flags, all clear until start-up.
FlagArray& LibraryCopy() {
  static FlagArray flags(kModuleCount);
  return flags;
}

template <typename T>
void Create() {
  new T();  // registers itself as T::Instance()
}

template <typename T>
void Destroy() {
  delete T::Instance();  // the destructor clears the registration
}

struct ServiceEntry {
  void (*create)();
  void (*destroy)();
  bool (*exists)();
};

template <typename T>
constexpr ServiceEntry Entry() {
  return {&Create<T>, &Destroy<T>, [] { return T::Instance() != nullptr; }};
}

// In ModuleFlag order.
const ServiceEntry kServices[kModuleCount] = {
    Entry<Utility>(), Entry<Timer>(),        Entry<Profiler>(),   Entry<KeyMap>(),     Entry<MouseButtons>(),
    Entry<Shapes>(),  Entry<MathConstants>(), Entry<ImageCache>(), Entry<ModelCache>(), Entry<Font>(),
};

}  // namespace

bool LibraryStartup(const FlagArray& flags) {
  FlagArray& copy = LibraryCopy();
  copy = flags;
  for (std::uint32_t i = 0; i < kModuleCount; ++i) {
    if (i < copy.Count() && copy[i] != 0) kServices[i].create();
  }
  return true;
}

bool LibraryStartupAll() {
  FlagArray all(kModuleCount);
  all.SetAll();
  return LibraryStartup(all);
}

void LibraryShutdown() {
  FlagArray& copy = LibraryCopy();
  for (std::uint32_t i = kModuleCount; i-- > 0;) {
    if (i < copy.Count() && copy[i] != 0 && kServices[i].exists()) kServices[i].destroy();
  }
  copy.Clear();
}

const FlagArray& LibraryModuleFlags() { return LibraryCopy(); }

}  // namespace woxa

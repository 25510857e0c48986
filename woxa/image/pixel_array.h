// PixelArray: the growable byte array that holds an image's pixels. It is a
// std::vector of unsigned bytes whose allocator default-initialises, so that
// resize() and the sized constructor leave new bytes unwritten (every other
// operation behaves as usual). The TGA reader sizes the array once and then
// writes every byte itself; a second pass that first wrote zeros over 16 MB
// would cost about a tenth of a load. Code that grows the array with resize()
// must write the new bytes too.
#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace woxa {

template <typename T>
class DefaultInitAllocator : public std::allocator<T> {
 public:
  template <typename U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };

  DefaultInitAllocator() = default;
  template <typename U>
  DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

using PixelArray = std::vector<unsigned char, DefaultInitAllocator<unsigned char>>;

}  // namespace woxa

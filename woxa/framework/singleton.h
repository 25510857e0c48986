// The single-instance base of the global services. Each service class X
// derives from Singleton<X>; constructing an X registers it as the
// process-wide instance (replacing any earlier one), destroying it clears the
// registration, and X::Instance() returns the registered object or null.
#pragma once

namespace woxa {

template <typename T>
class Singleton {
 public:
  static T* Instance() { return static_cast<T*>(instance_); }

  Singleton(const Singleton&) = delete;
  Singleton& operator=(const Singleton&) = delete;

 protected:
  // The base pointer is stored and cast only when read: while this
  // constructor runs the object is not a T yet, and casting it now is
  // undefined (UBSan's vptr check reports it).
  Singleton() { instance_ = this; }
  virtual ~Singleton() { instance_ = nullptr; }

 private:
  static inline Singleton* instance_ = nullptr;
};

}  // namespace woxa

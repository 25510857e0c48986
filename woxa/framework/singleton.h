// The single-instance base of the global services. Each service class X
// derives from Singleton<X>; constructing an X registers it as the
// process-wide instance (replacing any earlier one), destroying it clears the
// registration, and X::Instance() returns the registered object or null.
#pragma once

namespace woxa {

template <typename T>
class Singleton {
 public:
  static T* Instance() { return instance_; }

  Singleton(const Singleton&) = delete;
  Singleton& operator=(const Singleton&) = delete;

 protected:
  Singleton() { instance_ = static_cast<T*>(this); }
  virtual ~Singleton() { instance_ = nullptr; }

 private:
  static inline T* instance_ = nullptr;
};

}  // namespace woxa

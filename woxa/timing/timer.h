// The toolkit's millisecond clock (global service 1). While it exists it
// holds the multimedia timer resolution at 10 ms. Its clock counts from its
// creation; every time is an unsigned 32-bit count and every difference of
// two times is taken modulo 2^32, so the clock stays right across the
// system clock's wrap after about 49.7 days.
#pragma once

#include <cstdint>

#include "woxa/framework/singleton.h"

namespace woxa {

class Timer : public Singleton<Timer> {
 public:
  Timer();
  ~Timer() override;

  // Milliseconds since the timer was created.
  std::uint32_t Now() const;

 private:
  std::uint32_t base_time_;
  std::uint32_t period_;
};

}  // namespace woxa

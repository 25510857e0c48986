// Mouse button codes and their names (global service 4). The wheel shares
// the button codes: 4 is a step towards the user, 5 a step away.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "woxa/framework/singleton.h"

namespace woxa {

class MouseButtons : public Singleton<MouseButtons> {
 public:
  static constexpr std::int32_t kUnknown = 0;
  static constexpr std::int32_t kLeft = 1;
  static constexpr std::int32_t kRight = 2;
  static constexpr std::int32_t kMiddle = 3;
  static constexpr std::int32_t kWheelDown = 4;
  static constexpr std::int32_t kWheelUp = 5;
  static constexpr std::int32_t kCodeCount = 6;

  MouseButtons();
  ~MouseButtons() override = default;

  // The name of codes 0 to 5; "UNKNOWN MOUSE BUTTON" for every other code.
  const std::string& NameOf(std::int32_t code) const;

 private:
  std::array<std::string, kCodeCount> names_;
};

}  // namespace woxa

// MqoNumber: the number conversions of the MQO reader. Both take the
// longest prefix of a word that forms a number after leading whitespace and
// give 0 for a word without one; '.' is the decimal separator whatever the
// locale. Neither allocates.
#pragma once

#include <cstdint>
#include <string_view>

namespace woxa {

class MqoNumber {
 public:
  // Optional sign and decimal digits ("3.7" gives 3, "1e3" gives 1). Values
  // beyond the 32-bit range saturate at its ends.
  static std::int32_t ToInt(std::string_view text);
  // Optional sign, digits with an optional '.' fraction (at least one digit
  // in all: "5.", ".5"), and an optional exponent. Correctly rounded; a
  // magnitude too large for a double gives an infinity of its sign, one too
  // small a zero of its sign. Words such as "inf", "nan" or "0x1p3" have no
  // prefix of this form beyond "0" and give 0.
  static double ToDouble(std::string_view text);
};

}  // namespace woxa

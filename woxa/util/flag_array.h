// A fixed-size array of on/off flags, one byte each, indexed by the values of
// an enumeration. A flag is on when its byte is exactly 1; every operation
// here writes only 0 or 1. New arrays start with every flag off.
#pragma once

#include <cstdint>
#include <ostream>

namespace woxa {

class FlagArray {
 public:
  explicit FlagArray(std::uint32_t count);
  FlagArray(const FlagArray& other);
  FlagArray& operator=(const FlagArray& other);
  ~FlagArray();

  // Indices are not checked: i must be below Count().
  unsigned char& operator[](std::uint32_t i) { return flags_[i]; }
  const unsigned char& operator[](std::uint32_t i) const { return flags_[i]; }

  bool Test(std::uint32_t i) const { return flags_[i] == 1; }
  void Set(std::uint32_t i) { flags_[i] = 1; }
  void Reset(std::uint32_t i) { flags_[i] = 0; }
  void Flip(std::uint32_t i) { flags_[i] = flags_[i] == 1 ? 0 : 1; }

  void SetAll();
  void Clear();
  void FlipAll();
  std::uint32_t Count() const { return count_; }

  // The two-operand operations read the right operand at every index of the
  // left one: both must have the same count. And and or take any non-zero
  // byte as on.
  FlagArray operator~() const;
  FlagArray& operator&=(const FlagArray& other);
  FlagArray& operator|=(const FlagArray& other);
  FlagArray& operator^=(const FlagArray& other);
  FlagArray operator&(const FlagArray& other) const;
  FlagArray operator|(const FlagArray& other) const;
  FlagArray operator^(const FlagArray& other) const;

 private:
  unsigned char* flags_;
  std::uint32_t count_;
};

// Writes Count() characters, the highest flag first: "1" for a flag that is
// exactly 1, "0" otherwise. No separator and no newline.
std::ostream& operator<<(std::ostream& out, const FlagArray& flags);

}  // namespace woxa

#include "woxa/util/flag_array.h"

#include <cstring>

namespace woxa {

FlagArray::FlagArray(std::uint32_t count) : flags_(new unsigned char[count]()), count_(count) {}

FlagArray::FlagArray(const FlagArray& other) : flags_(new unsigned char[other.count_]), count_(other.count_) {
  if (count_ != 0) std::memcpy(flags_, other.flags_, count_);
}

FlagArray& FlagArray::operator=(const FlagArray& other) {
  if (this == &other) return *this;
  if (count_ != other.count_) {
    unsigned char* storage = new unsigned char[other.count_];
    delete[] flags_;
    flags_ = storage;
    count_ = other.count_;
  }
  if (count_ != 0) std::memcpy(flags_, other.flags_, count_);
  return *this;
}

FlagArray::~FlagArray() {
  delete[] flags_;
  count_ = 0;
}

void FlagArray::SetAll() {
  if (count_ != 0) std::memset(flags_, 1, count_);
}

void FlagArray::Clear() {
  if (count_ != 0) std::memset(flags_, 0, count_);
}

void FlagArray::FlipAll() {
  for (std::uint32_t i = 0; i < count_; ++i) Flip(i);
}

FlagArray FlagArray::operator~() const {
  FlagArray result(*this);
  result.FlipAll();
  return result;
}

FlagArray& FlagArray::operator&=(const FlagArray& other) {
  for (std::uint32_t i = 0; i < count_; ++i) flags_[i] = (flags_[i] != 0 && other.flags_[i] != 0) ? 1 : 0;
  return *this;
}

FlagArray& FlagArray::operator|=(const FlagArray& other) {
  for (std::uint32_t i = 0; i < count_; ++i) flags_[i] = (flags_[i] != 0 || other.flags_[i] != 0) ? 1 : 0;
  return *this;
}

FlagArray& FlagArray::operator^=(const FlagArray& other) {
  for (std::uint32_t i = 0; i < count_; ++i) flags_[i] = flags_[i] != other.flags_[i] ? 1 : 0;
  return *this;
}

FlagArray FlagArray::operator&(const FlagArray& other) const { return FlagArray(*this) &= other; }
FlagArray FlagArray::operator|(const FlagArray& other) const { return FlagArray(*this) |= other; }
FlagArray FlagArray::operator^(const FlagArray& other) const { return FlagArray(*this) ^= other; }

std::ostream& operator<<(std::ostream& out, const FlagArray& flags) {
  for (std::uint32_t i = flags.Count(); i-- > 0;) out << (flags[i] == 1 ? '1' : '0');
  return out;
}

}  // namespace woxa

// demo_bitflags: changes flag arrays step by step and prints each state, highest flag first.
// Run it in a console; it prints twenty lines, then waits until a number (or anything) is typed.
#include <cstdint>
#include <iostream>

#include "woxa/framework/library.h"
#include "woxa/util/flag_array.h"

namespace {

enum Fruit : std::uint32_t { kApple, kBanana, kCherry, kDate, kElderberry, kFruitCount };

void PrintBlock(const woxa::FlagArray& a, const char* op, const woxa::FlagArray& b, const woxa::FlagArray& result) {
  std::cout << "\n  " << a << "\n" << op << " " << b << "\n= " << result << std::endl;
}

void ShowOneArray() {
  woxa::FlagArray flags(10);
  std::cout << "init: " << flags << std::endl;
  flags.Set(2);
  flags.Set(4);
  flags.Set(0);
  std::cout << "set: " << flags << std::endl;
  flags.Flip(4);
  flags.Flip(5);
  std::cout << "flip 4,5: " << flags << std::endl;
  flags.FlipAll();
  std::cout << "flip all: " << flags << std::endl;
  flags = ~flags;
  std::cout << "~operator: " << flags << std::endl;
  flags.Clear();
  std::cout << "clear: " << flags << std::endl;
}

void ShowOperators() {
  woxa::FlagArray a(5);
  woxa::FlagArray b(5);
  a.Clear();
  b.Clear();
  a.Set(0);
  a.Set(1);
  a.Set(4);
  b.Set(1);
  b.Set(2);
  PrintBlock(a, "&", b, a & b);
  PrintBlock(a, "|", b, a | b);
  PrintBlock(a, "^", b, a ^ b);
}

void ShowEnumIndices() {
  woxa::FlagArray c(kFruitCount);
  c.Clear();
  c.Set(kBanana);
  c.Flip(kElderberry);
  std::cout << "using enum: " << c << std::endl;
}

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  ShowOneArray();
  ShowOperators();
  ShowEnumIndices();
  woxa::LibraryShutdown();

  std::cout << "input any key" << std::endl;
  int ignored = 0;
  std::cin >> ignored;  // end of input or a non-number ends the wait too
  return 0;
}

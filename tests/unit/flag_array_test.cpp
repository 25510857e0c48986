#include "woxa/util/flag_array.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

namespace woxa {
namespace {

FlagArray WithFlagsOn(std::uint32_t count, std::initializer_list<std::uint32_t> on) {
  FlagArray flags(count);
  flags.Clear();
  for (std::uint32_t i : on) flags.Set(i);
  return flags;
}

std::string Text(const FlagArray& flags) {
  std::ostringstream out;
  out << flags;
  return out.str();
}

TEST(FlagArray, NewArrayHasEveryFlagOff) {
  FlagArray flags(10);
  EXPECT_EQ(flags.Count(), 10u);
  EXPECT_EQ(Text(flags), "0000000000");
}

TEST(FlagArray, PrintsHighestFlagFirstAndNothingForAnEmptyArray) {
  EXPECT_EQ(Text(WithFlagsOn(10, {0, 2, 4})), "0000010101");
  EXPECT_EQ(Text(FlagArray(0)), "");
}

TEST(FlagArray, SingleFlagOperationsWriteOneByteInPlace) {
  FlagArray flags(4);
  flags.Set(1);
  flags.Flip(2);
  flags.Flip(3);
  flags.Flip(3);
  EXPECT_EQ(Text(flags), "0110");
  EXPECT_TRUE(flags.Test(1));
  flags.Reset(1);
  EXPECT_FALSE(flags.Test(1));
  flags[0] = 1;  // written through the element reference
  EXPECT_TRUE(flags.Test(0));
  EXPECT_EQ(flags[2], 1);
}

TEST(FlagArray, WholeArrayOperations) {
  FlagArray flags = WithFlagsOn(6, {0, 5});
  flags.FlipAll();
  EXPECT_EQ(Text(flags), "011110");
  flags.SetAll();
  EXPECT_EQ(Text(flags), "111111");
  flags.Clear();
  EXPECT_EQ(Text(flags), "000000");
}

// A byte that is neither 0 nor 1 can only be written from outside through
// the element reference.
TEST(FlagArray, StrayByteIsOnForAndOrButOffForTestPrintAndFlip) {
  FlagArray stray(1);
  stray[0] = 2;
  FlagArray on = WithFlagsOn(1, {0});
  FlagArray off = WithFlagsOn(1, {});
  EXPECT_FALSE(stray.Test(0));
  EXPECT_EQ(Text(stray), "0");
  EXPECT_EQ(Text(stray & on), "1");
  EXPECT_EQ(Text(stray | off), "1");
  EXPECT_EQ(Text(stray ^ on), "1");  // the bytes differ
  EXPECT_EQ(Text(~stray), "1");
  stray.Flip(0);
  EXPECT_EQ(stray[0], 1);
}

TEST(FlagArray, ComplementFlipsEveryFlagAndLeavesTheOperand) {
  const FlagArray flags = WithFlagsOn(10, {0, 2, 5});
  FlagArray complement = ~flags;
  EXPECT_EQ(Text(complement), Text(WithFlagsOn(10, {1, 3, 4, 6, 7, 8, 9})));
  EXPECT_EQ(Text(flags), "0000100101");
  EXPECT_EQ(Text(~complement), Text(flags));
}

TEST(FlagArray, BinaryOperatorsCombineFlagByFlag) {
  struct Case {
    const char* op;
    FlagArray (*apply)(const FlagArray&, const FlagArray&);
    FlagArray& (*assign)(FlagArray&, const FlagArray&);
    const char* expected;
  };
  const Case cases[] = {
      {"and", [](const FlagArray& a, const FlagArray& b) { return a & b; },
       [](FlagArray& a, const FlagArray& b) -> FlagArray& { return a &= b; }, "00010"},
      {"or", [](const FlagArray& a, const FlagArray& b) { return a | b; },
       [](FlagArray& a, const FlagArray& b) -> FlagArray& { return a |= b; }, "10111"},
      {"xor", [](const FlagArray& a, const FlagArray& b) { return a ^ b; },
       [](FlagArray& a, const FlagArray& b) -> FlagArray& { return a ^= b; }, "10101"},
  };
  const FlagArray a = WithFlagsOn(5, {0, 1, 4});
  const FlagArray b = WithFlagsOn(5, {1, 2});
  for (const Case& c : cases) {
    EXPECT_EQ(Text(c.apply(a, b)), c.expected) << c.op;
    EXPECT_EQ(Text(a), "10011") << c.op;
    EXPECT_EQ(Text(b), "00110") << c.op;
    FlagArray target = a;
    EXPECT_EQ(&c.assign(target, b), &target) << c.op;
    EXPECT_EQ(Text(target), c.expected) << c.op;
  }
}

TEST(FlagArray, CopiesOwnTheirStorage) {
  FlagArray original = WithFlagsOn(3, {0});
  FlagArray copy(original);
  copy.Set(2);
  FlagArray assigned(3);
  assigned = original;
  assigned.Set(1);
  EXPECT_EQ(Text(original), "001");
  EXPECT_EQ(Text(copy), "101");
  EXPECT_EQ(Text(assigned), "011");
}

TEST(FlagArray, AssignmentTakesTheSourceCount) {
  FlagArray target = WithFlagsOn(10, {9});
  target = WithFlagsOn(5, {0, 3});
  EXPECT_EQ(target.Count(), 5u);
  EXPECT_EQ(Text(target), "01001");
  target = FlagArray(0);
  EXPECT_EQ(target.Count(), 0u);
  target = WithFlagsOn(2, {1});
  EXPECT_EQ(Text(target), "10");
}

TEST(FlagArray, SelfAssignmentKeepsTheFlags) {
  FlagArray flags = WithFlagsOn(3, {1});
  FlagArray& same = flags;
  flags = same;
  EXPECT_EQ(Text(flags), "010");
}

}  // namespace
}  // namespace woxa

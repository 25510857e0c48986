// The word splitting and number conversion under the MQO reader.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "woxa/model/mqo_number.h"
#include "woxa/model/mqo_tokenizer.h"
#include "woxa/util/utility.h"

namespace {

using woxa::MqoNumber;
using woxa::MqoTokenizer;

// The reader's splitter must give exactly the words of Utility::Tokenize.
void ExpectSameWords(const std::string& text) {
  const woxa::Utility utility;
  std::vector<std::string> expected;
  const bool expected_closed = utility.Tokenize(expected, text);
  std::vector<std::string_view> words{"stale"};
  const bool closed = MqoTokenizer::Split(text, &words);
  EXPECT_EQ(closed, expected_closed) << text;
  EXPECT_EQ(std::vector<std::string>(words.begin(), words.end()), expected) << text;
}

TEST(MqoTokenizer, SplitsLikeUtilityTokenizeOnLinesOfModelFiles) {
  const char* lines[] = {
      "Object \"obj1\" {\r",
      "\t\t4 V(0 2 3 1) M(0) UV(0 0 1 0 1 1 0 1)",
      "\t\"mat6\" shader(3) col(1 1 1 1) tex(\"hane.png\")",
      "\"a b\"c\"\"d",
      "x\"unclosed",
      "\"",
      "",
      " \t\v\f ",
      "Object \"arm#<-body\" {",
      "ab\"cd\" \"\" \"e",
  };
  for (const char* line : lines) ExpectSameWords(line);
}

// Random lines over the characters that matter to splitting.
TEST(MqoTokenizer, SplitsLikeUtilityTokenizeOnRandomLines) {
  const char alphabet[] = {'a', 'b', '"', ' ', '\t', '\r', '(', ')', '#', '\v'};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> pick(0, sizeof alphabet - 1);
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    for (int i = length(random); i > 0; --i) text += alphabet[pick(random)];
    ExpectSameWords(text);
    if (HasFailure()) return;
  }
}

TEST(MqoNumber, IntegersTakeTheLongestPrefixAndSaturate) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"42", 42},          {"-7", -7},          {"+3", 3},       {"  \t12", 12},
      {"3.7", 3},          {"1e3", 1},          {"12abc", 12},   {"abc", 0},
      {"", 0},             {"-", 0},            {"+-1", 0},      {"2147483647", 2147483647},
      {"2147483648", 2147483647},               {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999", -2147483647 - 1},                {"0000000000000000000000042", 42},
  };
  for (const auto& c : cases) EXPECT_EQ(MqoNumber::ToInt(c.text), c.value) << c.text;
}

TEST(MqoNumber, RealNumbersAreCorrectlyRounded) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0.1", 0x1.999999999999ap-4},
      {"-12.5e-3", -0x1.999999999999ap-7},
      {".5", 0.5},
      {"5.", 5.0},
      {"+3", 3.0},
      {"  1E2", 100.0},
      {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
      {"9007199254740993", 0x1p53},  // halfway: to even
      {"1.00000000000000011102230246251565404236316680908203125", 1.0},
      {"1.000000000000000111022302462515654042363166809082031251", 0x1.0000000000001p+0},
      {"4.9e-324", 0x0.0000000000001p-1022},
      {"1.7976931348623157e308", 0x1.fffffffffffffp+1023},
      {"123456789012345678901234567890", 0x1.8ee90ff6c373ep+96},
      {"0.000001234567890123456789e-300", 0x1.bbdff5c8c1662p-1017},
      {"1.5e", 1.5},   // an exponent without digits is not part of the number
      {"1.5e+x", 1.5},
      {"2.5.5", 2.5},
      {"7,5", 7.0},  // ',' is never a separator
      {"0x1p3", 0.0},
      {"nan", 0.0},
      {"inf", 0.0},
      {"-infinity", 0.0},
      {".", 0.0},
      {"-.e5", 0.0},
      {"", 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(MqoNumber::ToDouble(c.text), c.value) << c.text;
}

// Numbers as model files write them take a quick path; they must come out
// exactly as the general correctly rounded conversion gives them.
TEST(MqoNumber, RealNumbersAgreeWithFromCharsBitForBit) {
  std::mt19937_64 random(99);
  std::uniform_int_distribution<int> digits(1, 20);
  std::uniform_int_distribution<int> point(0, 20);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int n = 0; n < 200000; ++n) {
    std::string text;
    for (int i = digits(random); i > 0; --i) text += static_cast<char>('0' + random() % 10);
    const int at = point(random);
    if (at < static_cast<int>(text.size())) text.insert(static_cast<std::size_t>(at), ".");
    if (n % 3 == 0) text += "e" + std::to_string(exponent(random));
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(MqoNumber::ToDouble(text), expected) << text;
    ASSERT_EQ(MqoNumber::ToDouble("-" + text), -expected) << text;
  }
}

TEST(MqoNumber, RealNumbersOutOfRangeGoToInfinityOrZeroWithTheirSign) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(MqoNumber::ToDouble("1e999"), inf);
  EXPECT_EQ(MqoNumber::ToDouble("-1e999"), -inf);
  EXPECT_EQ(MqoNumber::ToDouble("0.00001e314"), inf);
  EXPECT_EQ(MqoNumber::ToDouble("1e99999999999999999999"), inf);
  EXPECT_EQ(MqoNumber::ToDouble("1.8e308"), inf);
  const double tiny = MqoNumber::ToDouble("1e-999");
  EXPECT_EQ(tiny, 0.0);
  EXPECT_FALSE(std::signbit(tiny));
  EXPECT_TRUE(std::signbit(MqoNumber::ToDouble("-1e-999")));
  EXPECT_EQ(MqoNumber::ToDouble("100000e-330"), 0.0);
  EXPECT_TRUE(std::signbit(MqoNumber::ToDouble("-0")));
}

}  // namespace

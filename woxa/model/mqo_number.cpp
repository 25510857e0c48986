#include "woxa/model/mqo_number.h"

#include <cfloat>
#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

#include "woxa/model/mqo_tokenizer.h"

namespace woxa {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipWhitespace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && MqoTokenizer::IsWhitespace(text[i])) ++i;
  return i;
}

// Reads an optional sign at i; true for a minus.
bool ReadSign(std::string_view text, std::size_t* i) {
  if (*i >= text.size() || (text[*i] != '+' && text[*i] != '-')) return false;
  return text[(*i)++] == '-';
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// The parts of a decimal number as found in a word.
struct Decimal {
  std::string_view integer;   // digits before the point
  std::string_view fraction;  // digits after it
  std::string_view exponent;  // optional sign and digits after the 'e'
  std::size_t end = 0;        // where the number ends in the word
  // The digits as one integer while they fit, and the power of ten to
  // scale it by; exact is false when they did not fit.
  std::uint64_t digits = 0;
  long long scale = 0;
  bool exact = true;
};

// Appends the digits of text from i on to d->digits; returns where they end.
std::size_t TakeDigits(std::string_view text, std::size_t i, Decimal* d, bool fraction) {
  constexpr std::uint64_t kRoom = (std::numeric_limits<std::uint64_t>::max() - 9) / 10;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (d->digits > kRoom) {
      d->exact = false;
      continue;
    }
    d->digits = d->digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (fraction) --d->scale;
  }
  return i;
}

// The longest prefix of text from i that forms an unsigned decimal number;
// false when there is none.
bool ScanDecimal(std::string_view text, std::size_t i, Decimal* d) {
  const std::size_t integer_end = TakeDigits(text, i, d, false);
  d->integer = text.substr(i, integer_end - i);
  std::size_t end = integer_end;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fraction_end = TakeDigits(text, end + 1, d, true);
    d->fraction = text.substr(end + 1, fraction_end - end - 1);
    end = fraction_end;
  }
  if (d->integer.empty() && d->fraction.empty()) return false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t e = end + 1;
    ReadSign(text, &e);
    const std::size_t exponent_end = SkipDigits(text, e);
    if (exponent_end > e) {
      d->exponent = text.substr(end + 1, exponent_end - end - 1);
      end = exponent_end;
    }
  }
  d->end = end;
  return true;
}

long long ExponentValue(std::string_view exponent) {
  std::size_t i = 0;
  const bool negative = ReadSign(exponent, &i);
  long long value = 0;
  for (; i < exponent.size() && value < 1000000000; ++i) value = value * 10 + (exponent[i] - '0');
  return negative ? -value : value;
}

// The common case exactly and fast: digits and a power of ten that are both
// doubles without rounding give the correctly rounded value in one IEEE
// multiplication or division. That needs arithmetic in double precision
// itself; x87 code keeps more bits and would round twice.
bool QuickValue(const Decimal& d, double* value) {
#if FLT_EVAL_METHOD == 0
  static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (!d.exact || d.digits > (std::uint64_t{1} << 53)) return false;
  const long long scale = d.scale + (d.exponent.empty() ? 0 : ExponentValue(d.exponent));
  if (scale < -22 || scale > 22) return false;
  const double digits = static_cast<double>(d.digits);
  *value = scale < 0 ? digits / kPowers[-scale] : digits * kPowers[scale];
  return true;
#else
  (void)d;
  (void)value;
  return false;
#endif
}

// Whether a number that does not fit in a double is too large rather than
// too small: the power of ten of its first significant digit decides, since
// only powers beyond about 308 either way leave the range.
bool Overflows(const Decimal& d) {
  long long power = 0;
  const std::size_t lead = d.integer.find_first_not_of('0');
  if (lead != std::string_view::npos) {
    power = static_cast<long long>(d.integer.size() - lead) - 1;
  } else {
    const std::size_t first = d.fraction.find_first_not_of('0');
    power = -static_cast<long long>(first == std::string_view::npos ? 0 : first) - 1;
  }
  return power + ExponentValue(d.exponent) > 0;
}

}  // namespace

std::int32_t MqoNumber::ToInt(std::string_view text) {
  std::size_t i = SkipWhitespace(text);
  const bool negative = ReadSign(text, &i);
  const long long limit = negative ? -static_cast<long long>(std::numeric_limits<std::int32_t>::min())
                                   : std::numeric_limits<std::int32_t>::max();
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

double MqoNumber::ToDouble(std::string_view text) {
  std::size_t i = SkipWhitespace(text);
  const bool negative = ReadSign(text, &i);
  Decimal d;
  if (!ScanDecimal(text, i, &d)) return 0.0;
  double value = 0.0;
  if (!QuickValue(d, &value)) {
    // The prefix is exactly the form from_chars reads; it rounds correctly
    // and ignores the locale.
    const std::from_chars_result result = std::from_chars(text.data() + i, text.data() + d.end, value);
    if (result.ec == std::errc::result_out_of_range) {
      value = Overflows(d) ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  return negative ? -value : value;
}

}  // namespace woxa

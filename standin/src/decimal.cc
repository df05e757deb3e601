// Exact decimal arithmetic with 16 digits after the point.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "objects.h"

namespace standin {

namespace {

using Wide = __int128;
using UnsignedWide = unsigned __int128;

constexpr Wide kScale = 10'000'000'000'000'000;  // 10^16
// Integer digits kept when reading text: more would overflow the 128-bit scaled value.
constexpr int kMaximumIntegerDigits = 21;

Wide powerOfTen(int exponent) {
  Wide value = 1;
  for (int i = 0; i < exponent; ++i) value *= 10;
  return value;
}

// Writes the digits of `value` to end just before `end`, and answers where they start.
char16_t* digitsBefore(char16_t* end, UnsignedWide value) {
  char16_t* at = end;
  // 128-bit division is slow; only the digits beyond 64 bits need it.
  while (value > UINT64_MAX) {
    *--at = static_cast<char16_t>(u'0' + static_cast<int>(value % 10));
    value /= 10;
  }
  auto small = static_cast<uint64_t>(value);
  do {
    *--at = static_cast<char16_t>(u'0' + static_cast<int>(small % 10));
    small /= 10;
  } while (small != 0);
  return at;
}

}  // namespace

Decimal Decimal::fromInt(int64_t value) {
  Decimal number;
  number.scaled_ = static_cast<Wide>(value) * kScale;
  return number;
}

// The decimal with the fewest digits after the point that reads back as `value`, when that is an
// integer below 2^52 over a power of ten up to 10^16: then it is the only one with that many
// digits, so the shortest text of `value` would give the same. Most values a database holds are
// of this kind, and the search costs far less than writing the shortest text.
std::optional<Decimal> Decimal::fromShortDouble(double value) {
  constexpr double kUnique = 4503599627370496.0;  // 2^52
  double power = 1;
  for (int digits = 0; digits <= kFractionDigits; ++digits, power *= 10) {
    const double candidate = std::nearbyint(value * power);
    if (std::fabs(candidate) >= kUnique) return std::nullopt;
    // Both operands are exact, so the division is rounded once, as reading the text would be.
    if (candidate / power == value) {
      Decimal number;
      number.scaled_ = static_cast<Wide>(static_cast<int64_t>(candidate)) *
                       powerOfTen(kFractionDigits - digits);
      return number;
    }
  }
  return std::nullopt;
}

Decimal Decimal::fromDouble(double value, int precision) {
  if (!std::isfinite(value)) return Decimal();
  if (auto number = fromShortDouble(value)) return number->roundedTo(precision);
  // The shortest text that reads back as the same double is the decimal the caller meant.
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (error != std::errc()) return Decimal();
  char16_t units[sizeof buffer];
  std::copy(buffer, end, units);
  return parse(std::u16string_view(units, static_cast<size_t>(end - buffer)))
      .value_or(Decimal())
      .roundedTo(precision);
}

std::optional<Decimal> Decimal::parse(std::u16string_view text) {
  bool negative = false;
  bool sawDigit = false;
  bool inFraction = false;
  int integerDigits = 0;
  int fractionDigits = 0;
  Wide integerPart = 0;
  Wide fractionPart = 0;
  bool roundUp = false;
  for (char16_t unit : text) {
    if (unit == u'-' && !sawDigit) {
      negative = !negative;
    } else if (unit == u'.' && !inFraction) {
      inFraction = true;
    } else if (unit >= u'0' && unit <= u'9') {
      sawDigit = true;
      const int digit = unit - u'0';
      if (!inFraction) {
        if (integerDigits == 0 && digit == 0) continue;
        if (integerDigits++ < kMaximumIntegerDigits) integerPart = integerPart * 10 + digit;
      } else if (fractionDigits < kFractionDigits) {
        fractionPart = fractionPart * 10 + digit;
        ++fractionDigits;
      } else if (fractionDigits++ == kFractionDigits) {
        roundUp = digit >= 5;
      }
    }
  }
  if (!sawDigit) return std::nullopt;
  const int kept = fractionDigits < kFractionDigits ? fractionDigits : kFractionDigits;
  Decimal number;
  number.scaled_ =
      integerPart * kScale + fractionPart * powerOfTen(kFractionDigits - kept) + (roundUp ? 1 : 0);
  if (negative) number.scaled_ = -number.scaled_;
  return number;
}

double Decimal::toDouble() const {
  // The whole part divided exactly first, so that large values keep their integer digits.
  return static_cast<double>(scaled_ / kScale) +  // NOLINT(bugprone-integer-division)
         static_cast<double>(scaled_ % kScale) / static_cast<double>(kScale);
}

int64_t Decimal::truncated() const { return static_cast<int64_t>(scaled_ / kScale); }

std::u16string Decimal::format() const {
  const UnsignedWide magnitude =
      scaled_ < 0 ? static_cast<UnsignedWide>(-scaled_) : static_cast<UnsignedWide>(scaled_);
  UnsignedWide whole = 0;
  uint64_t fraction = 0;
  if (magnitude <= UINT64_MAX) {  // |value| < 1844: plain 64-bit arithmetic
    const auto small = static_cast<uint64_t>(magnitude);
    whole = small / static_cast<uint64_t>(kScale);
    fraction = small % static_cast<uint64_t>(kScale);
  } else {
    // One 128-bit division, the slow part; the remainder follows from the quotient.
    whole = magnitude / static_cast<UnsignedWide>(kScale);
    fraction = static_cast<uint64_t>(magnitude - whole * static_cast<UnsignedWide>(kScale));
  }
  // Built right to left in one buffer: the fraction, the point, the whole part and the sign.
  char16_t buffer[64];
  char16_t* const end = buffer + sizeof buffer / sizeof buffer[0];
  char16_t* start = end;
  if (fraction != 0) {
    int length = kFractionDigits;
    while (fraction % 10 == 0) {
      fraction /= 10;
      --length;
    }
    for (; length > 0; --length, fraction /= 10) {
      *--start = static_cast<char16_t>(u'0' + static_cast<int>(fraction % 10));
    }
    *--start = u'.';
  }
  start = digitsBefore(start, whole);
  if (scaled_ < 0) *--start = u'-';
  return std::u16string(start, end);
}

Decimal Decimal::operator+(const Decimal& other) const {
  Decimal sum;
  sum.scaled_ = scaled_ + other.scaled_;
  return sum;
}

Decimal Decimal::operator-(const Decimal& other) const {
  Decimal difference;
  difference.scaled_ = scaled_ - other.scaled_;
  return difference;
}

Decimal Decimal::operator*(const Decimal& other) const {
  // Split both factors at the point so that no partial product overflows before the result does.
  const Wide a = scaled_ / kScale, b = scaled_ % kScale;
  const Wide c = other.scaled_ / kScale, d = other.scaled_ % kScale;
  Decimal product;
  product.scaled_ = a * c * kScale + a * d + b * c + (b * d) / kScale;
  return product;
}

std::optional<Decimal> Decimal::dividedBy(const Decimal& other) const {
  if (other.scaled_ == 0) return std::nullopt;
  const bool negative = (scaled_ < 0) != (other.scaled_ < 0);
  const UnsignedWide dividend =
      scaled_ < 0 ? static_cast<UnsignedWide>(-scaled_) : static_cast<UnsignedWide>(scaled_);
  const UnsignedWide divisor = other.scaled_ < 0 ? static_cast<UnsignedWide>(-other.scaled_)
                                                 : static_cast<UnsignedWide>(other.scaled_);
  // Long division, one fraction digit at a time, so that the dividend is never scaled up whole.
  UnsignedWide quotient = dividend / divisor;
  UnsignedWide remainder = dividend % divisor;
  for (int digit = 0; digit < kFractionDigits; ++digit) {
    remainder *= 10;
    quotient = quotient * 10 + remainder / divisor;
    remainder %= divisor;
  }
  if (remainder * 2 >= divisor) ++quotient;
  Decimal result;
  result.scaled_ = negative ? -static_cast<Wide>(quotient) : static_cast<Wide>(quotient);
  return result;
}

Decimal Decimal::negated() const {
  Decimal result;
  result.scaled_ = -scaled_;
  return result;
}

Decimal Decimal::roundedTo(int precision) const {
  if (precision >= kFractionDigits) return *this;
  if (precision < 0) precision = 0;
  const Wide unit = powerOfTen(kFractionDigits - precision);
  Wide remainder = scaled_ % unit;
  Decimal result;
  result.scaled_ = scaled_ - remainder;
  if (remainder * 2 >= unit) result.scaled_ += unit;
  if (remainder * 2 <= -unit) result.scaled_ -= unit;
  return result;
}

}  // namespace standin

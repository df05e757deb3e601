#include "vesk/number.h"

#include <cmath>
#include <cstring>
#include <sstream>

#include "vesk/string.h"

namespace vesk {

namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kTwoTo64 = 18446744073709551616.0;

template <typename T>
void* newCell(uint64_t bits) {
  T value;
  std::memcpy(&value, &bits, sizeof(T));
  return new T(value);
}

template <typename T>
uint64_t bitsOf(T value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(T));
  return bits;
}

}  // namespace

Number::Number(Kind kind, uint64_t bits) : kind_(kind) {
  switch (kind) {
    case kInt32:
      cell_ = newCell<int32_t>(bits);
      break;
    case kUInt32:
      cell_ = newCell<uint32_t>(bits);
      break;
    case kInt64:
      cell_ = newCell<int64_t>(bits);
      break;
    case kUInt64:
      cell_ = newCell<uint64_t>(bits);
      break;
    case kDouble:
      cell_ = newCell<double>(bits);
      break;
    case kPointer:
      inline_ = bits;
      break;
  }
}

Number::~Number() {
  switch (kind_) {
    case kInt32:
      delete static_cast<int32_t*>(cell_);
      break;
    case kUInt32:
      delete static_cast<uint32_t*>(cell_);
      break;
    case kInt64:
      delete static_cast<int64_t*>(cell_);
      break;
    case kUInt64:
      delete static_cast<uint64_t*>(cell_);
      break;
    case kDouble:
      delete static_cast<double*>(cell_);
      break;
    case kPointer:
      break;
  }
}

std::shared_ptr<Number> Number::fromInt32(int32_t value) {
  return std::shared_ptr<Number>(new Number(kInt32, bitsOf(value)));
}
std::shared_ptr<Number> Number::fromUInt32(uint32_t value) {
  return std::shared_ptr<Number>(new Number(kUInt32, bitsOf(value)));
}
std::shared_ptr<Number> Number::fromInt64(int64_t value) {
  return std::shared_ptr<Number>(new Number(kInt64, bitsOf(value)));
}
std::shared_ptr<Number> Number::fromUInt64(uint64_t value) {
  return std::shared_ptr<Number>(new Number(kUInt64, bitsOf(value)));
}
std::shared_ptr<Number> Number::fromDouble(double value) {
  return std::shared_ptr<Number>(new Number(kDouble, bitsOf(value)));
}
std::shared_ptr<Number> Number::fromPointer(const void* handle) {
  return std::shared_ptr<Number>(new Number(kPointer, reinterpret_cast<uintptr_t>(handle)));
}

int64_t Number::toInt64() const {
  switch (kind_) {
    case kInt32:
      return cell<int32_t>();
    case kUInt32:
      return cell<uint32_t>();
    case kInt64:
      return cell<int64_t>();
    case kUInt64:
      return static_cast<int64_t>(cell<uint64_t>());
    case kDouble:
      return static_cast<int64_t>(std::trunc(cell<double>()));
    case kPointer:
      return static_cast<int64_t>(inline_);
  }
  return 0;
}

uint64_t Number::toUInt64() const {
  switch (kind_) {
    case kDouble: {
      // Through the 2^63 split, so that values at or above 2^63 convert.
      const double value = std::trunc(cell<double>());
      if (value >= kTwoTo63) return static_cast<uint64_t>(value - kTwoTo63) + (uint64_t{1} << 63);
      return static_cast<uint64_t>(static_cast<int64_t>(value));
    }
    case kUInt64:
      return cell<uint64_t>();
    case kPointer:
      return inline_;
    default:
      return static_cast<uint64_t>(toInt64());
  }
}

double Number::toDouble() const {
  switch (kind_) {
    case kDouble:
      return cell<double>();
    case kUInt64:
    case kPointer: {
      const uint64_t bits = kind_ == kPointer ? inline_ : cell<uint64_t>();
      const auto value = static_cast<double>(static_cast<int64_t>(bits));
      return static_cast<int64_t>(bits) < 0 ? value + kTwoTo64 : value;
    }
    default:
      return static_cast<double>(toInt64());
  }
}

void* Number::toPointer() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(toUInt64())); }

std::shared_ptr<String> Number::description() const {
  std::ostringstream text;
  switch (kind_) {
    case kInt32:
      text << cell<int32_t>();
      break;
    case kUInt32:
      text << cell<uint32_t>();
      break;
    case kInt64:
      text << cell<int64_t>();
      break;
    case kUInt64:
      text << cell<uint64_t>();
      break;
    case kDouble:
      text << cell<double>();
      break;
    case kPointer:
      text << reinterpret_cast<const void*>(static_cast<uintptr_t>(inline_));
      break;
  }
  return String::fromUtf8(text.str());
}

}  // namespace vesk

// A tagged number: a kind tag and an 8-byte value. Integers and doubles live in a heap cell that
// the number owns; a pointer-sized handle lives inline.
#ifndef VESK_NUMBER_H_
#define VESK_NUMBER_H_

#include <cstdint>
#include <memory>

#include "vesk/object.h"

namespace vesk {

class Number : public Object {
 public:
  enum Kind : int32_t {
    kInt32 = 0,
    kUInt32 = 1,
    kInt64 = 2,
    kUInt64 = 3,
    kDouble = 4,
    kPointer = 6,
  };

  ~Number() override;
  Number(const Number&) = delete;
  Number& operator=(const Number&) = delete;

  static std::shared_ptr<Number> fromInt32(int32_t value);
  static std::shared_ptr<Number> fromUInt32(uint32_t value);
  static std::shared_ptr<Number> fromInt64(int64_t value);
  static std::shared_ptr<Number> fromUInt64(uint64_t value);
  static std::shared_ptr<Number> fromDouble(double value);
  static std::shared_ptr<Number> fromPointer(const void* handle);

  Kind kind() const { return kind_; }
  int32_t toInt32() const { return static_cast<int32_t>(toInt64()); }
  uint32_t toUInt32() const { return static_cast<uint32_t>(toUInt64()); }
  int64_t toInt64() const;
  uint64_t toUInt64() const;
  double toDouble() const;
  void* toPointer() const;

  // The value as the default wide stream writes it.
  std::shared_ptr<String> description() const override;

 private:
  Number(Kind kind, uint64_t bits);
  template <typename T>
  const T& cell() const {
    return *static_cast<const T*>(cell_);
  }

  Kind kind_;
  void* cell_ = nullptr;  // the heap cell of every kind but kPointer
  uint64_t inline_ = 0;   // the handle of kPointer
};

}  // namespace vesk

#endif  // VESK_NUMBER_H_

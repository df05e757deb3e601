// A text of UTF-16 code units, as FileMaker and Windows hold text: no terminator is counted, and
// no normalisation or surrogate checking is done.
#ifndef VESK_STRING_H_
#define VESK_STRING_H_

#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vesk/object.h"

namespace vesk {

class Data;
class Number;

class String : public Object {
 public:
  using Pieces = std::vector<std::shared_ptr<String>>;

  String() = default;
  // Narrow text read as UTF-8, up to its NUL.
  explicit String(const char* utf8);
  // Wide text up to its NUL.
  explicit String(const char16_t* wide);
  String(const String& other) = default;
  // `count` units of `other` from `start`, clipped to its end.
  String(const String& other, int32_t start, int32_t count);
  // At most `count` units of the NUL-terminated `wide` from `offset`, up to its NUL.
  String(const char16_t* wide, int32_t offset, int32_t count);
  // Exactly `count` units of `units`, embedded NULs included.
  String(const char16_t* units, size_t count);
  explicit String(std::u16string units) : units_(std::move(units)) {}
  String& operator=(const String& other) = default;

  static std::shared_ptr<String> fromUtf8(const char* utf8);
  static std::shared_ptr<String> fromUtf8(const std::string& utf8) {
    return fromUtf8(utf8.c_str());
  }
  static std::shared_ptr<String> fromWide(const char16_t* wide);

  std::shared_ptr<String> description() const override;

  void append(const String& other) { units_ += other.units_; }
  // The number as the default wide stream writes it.
  void append(const Number& number);
  int32_t length() const { return static_cast<int32_t>(units_.size()); }
  char16_t charAt(int32_t index) const { return units_[static_cast<size_t>(index)]; }
  const char16_t* c_str() const { return units_.c_str(); }
  const std::u16string& units() const { return units_; }

  // Unit by unit as unsigned 16-bit values; a proper prefix is less.
  bool operator==(const String& other) const { return units_ == other.units_; }
  std::strong_ordering operator<=>(const String& other) const;

  std::u16string toWide() const { return units_; }
  std::shared_ptr<std::u16string> toSharedWide() const;
  // The UTF-8 form of the text up to its first NUL unit.
  std::shared_ptr<std::string> toUtf8() const;
  // The text as bytes: selector 1 in the system ANSI code page, 2 as UTF-16 little-endian, any
  // other as UTF-8; never with a terminator.
  std::shared_ptr<Data> toData(int32_t encoding) const;

  // The pieces between occurrences of `separator` (its units up to its first NUL); an empty text
  // has no pieces.
  std::shared_ptr<Pieces> split(const String& separator) const;
  // The pieces between line breaks: CR, LF, CR LF and LF CR are one break each.
  Pieces splitLines() const;
  static std::shared_ptr<String> join(const Pieces& pieces, const String& separator);
  // Every line break becomes `separator`.
  std::shared_ptr<String> replaceLineBreaks(const String& separator) const;

 private:
  std::u16string units_;
};

}  // namespace vesk

#endif  // VESK_STRING_H_

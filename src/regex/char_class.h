// A set of UTF-16 code units, kept as sorted, disjoint ranges plus a bitmap of the units below 256
// so that the common case is answered without a search. Immutable once finished; not shared
// between threads while it is being built.
#ifndef REGEX_CHAR_CLASS_H_
#define REGEX_CHAR_CLASS_H_

#include <array>
#include <cstdint>
#include <vector>

namespace regex {

struct UnitRange {
  char16_t first;
  char16_t last;
};

class CharClass {
 public:
  CharClass() = default;

  void add(char16_t unit) { add(unit, unit); }
  void add(char16_t first, char16_t last);
  void add(const CharClass& other);
  // Sorts and merges the ranges and fills the bitmap; call before contains().
  void finish();
  CharClass complement() const;

  bool contains(char16_t unit) const {
    if (unit < 256) return (lowBits_[unit >> 6] >> (unit & 63)) & 1;
    return containsWide(unit);
  }
  const std::vector<UnitRange>& ranges() const { return ranges_; }
  bool empty() const { return ranges_.empty(); }
  // True when the set is exactly one unit, stored in `unit`.
  bool single(char16_t& unit) const;

  // The sets that \d, \w and \s name, the line terminators that `.` does not match, and `.`.
  static CharClass digits();
  static CharClass wordUnits();
  static CharClass spaces();
  static CharClass lineTerminators();
  static CharClass dot();

 private:
  bool containsWide(char16_t unit) const;

  std::vector<UnitRange> ranges_;
  std::array<uint64_t, 4> lowBits_{};
};

// A superset test over 256 buckets (a unit's low byte): cheap enough for scanning a text for
// positions where a match could begin.
class UnitBuckets {
 public:
  void add(const CharClass& units);
  void add(const UnitBuckets& other);
  bool mayContain(char16_t unit) const { return (bits_[(unit & 0xFF) >> 6] >> (unit & 63)) & 1; }
  int count() const;

 private:
  std::array<uint64_t, 4> bits_{};
};

// True for the units \w matches: ASCII letters, digits and underscore.
inline bool isWordUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
         (unit >= u'0' && unit <= u'9') || unit == u'_';
}

}  // namespace regex

#endif  // REGEX_CHAR_CLASS_H_

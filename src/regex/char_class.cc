#include "regex/char_class.h"

#include <algorithm>
#include <bit>

namespace regex {

void CharClass::add(char16_t first, char16_t last) { ranges_.push_back({first, last}); }

void CharClass::add(const CharClass& other) {
  ranges_.insert(ranges_.end(), other.ranges_.begin(), other.ranges_.end());
}

void CharClass::finish() {
  std::sort(ranges_.begin(), ranges_.end(),
            [](const UnitRange& a, const UnitRange& b) { return a.first < b.first; });
  std::vector<UnitRange> merged;
  for (const UnitRange& range : ranges_) {
    if (!merged.empty() && static_cast<uint32_t>(range.first) <= merged.back().last + 1u) {
      merged.back().last = std::max(merged.back().last, range.last);
    } else {
      merged.push_back(range);
    }
  }
  ranges_ = std::move(merged);
  lowBits_ = {};
  for (const UnitRange& range : ranges_) {
    if (range.first >= 256) break;
    const uint32_t last = std::min<uint32_t>(range.last, 255);
    for (uint32_t unit = range.first; unit <= last; ++unit) {
      lowBits_[unit >> 6] |= uint64_t{1} << (unit & 63);
    }
  }
}

CharClass CharClass::complement() const {
  CharClass answer;
  uint32_t next = 0;
  for (const UnitRange& range : ranges_) {
    if (range.first > next) answer.add(static_cast<char16_t>(next), range.first - 1);
    next = range.last + 1u;
  }
  if (next <= 0xFFFF) answer.add(static_cast<char16_t>(next), 0xFFFF);
  answer.finish();
  return answer;
}

bool CharClass::single(char16_t& unit) const {
  if (ranges_.size() != 1 || ranges_[0].first != ranges_[0].last) return false;
  unit = ranges_[0].first;
  return true;
}

bool CharClass::containsWide(char16_t unit) const {
  auto after = std::upper_bound(ranges_.begin(), ranges_.end(), unit,
                                [](char16_t u, const UnitRange& r) { return u < r.first; });
  return after != ranges_.begin() && std::prev(after)->last >= unit;
}

CharClass CharClass::digits() {
  CharClass answer;
  answer.add(u'0', u'9');
  answer.finish();
  return answer;
}

CharClass CharClass::wordUnits() {
  CharClass answer;
  answer.add(u'0', u'9');
  answer.add(u'A', u'Z');
  answer.add(u'_');
  answer.add(u'a', u'z');
  answer.finish();
  return answer;
}

// JavaScript's white space and line terminators: the Unicode space separators plus tab, vertical
// tab, form feed, no-break space and the byte-order mark.
CharClass CharClass::spaces() {
  CharClass answer;
  answer.add(0x09, 0x0D);
  answer.add(0x20);
  answer.add(0xA0);
  answer.add(0x1680);
  answer.add(0x2000, 0x200A);
  answer.add(0x2028, 0x2029);
  answer.add(0x202F);
  answer.add(0x205F);
  answer.add(0x3000);
  answer.add(0xFEFF);
  answer.finish();
  return answer;
}

CharClass CharClass::lineTerminators() {
  CharClass answer;
  answer.add(0x0A);
  answer.add(0x0D);
  answer.add(0x2028, 0x2029);
  answer.finish();
  return answer;
}

CharClass CharClass::dot() { return lineTerminators().complement(); }

void UnitBuckets::add(const CharClass& units) {
  for (const UnitRange& range : units.ranges()) {
    if (range.last - range.first >= 255) {
      bits_.fill(~uint64_t{0});
      return;
    }
    for (uint32_t unit = range.first; unit <= range.last; ++unit) {
      const uint32_t bucket = unit & 0xFF;
      bits_[bucket >> 6] |= uint64_t{1} << (bucket & 63);
    }
  }
}

void UnitBuckets::add(const UnitBuckets& other) {
  for (size_t index = 0; index < bits_.size(); ++index) bits_[index] |= other.bits_[index];
}

int UnitBuckets::count() const {
  int answer = 0;
  for (uint64_t word : bits_) answer += std::popcount(word);
  return answer;
}

}  // namespace regex

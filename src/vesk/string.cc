#include "vesk/string.h"

#include <algorithm>
#include <sstream>

#include "platform/code_pages.h"
#include "vesk/data.h"
#include "vesk/number.h"

namespace vesk {

namespace {

constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kLineFeed = u'\n';

size_t clipped(int32_t value, size_t limit) {
  return value <= 0 ? 0 : std::min(static_cast<size_t>(value), limit);
}

std::u16string upToNul(const std::u16string& units) {
  return units.substr(0, units.find(u'\0'));
}

}  // namespace

String::String(const char* utf8)
    : units_(utf8 == nullptr ? std::u16string()
                             : platform::toWide(utf8, platform::CodePage::Utf8)) {}

String::String(const char16_t* wide) : units_(wide == nullptr ? u"" : wide) {}

String::String(const String& other, int32_t start, int32_t count) {
  const size_t from = clipped(start, other.units_.size());
  units_ = other.units_.substr(from, clipped(count, other.units_.size() - from));
}

String::String(const char16_t* wide, int32_t offset, int32_t count) {
  if (wide == nullptr || count <= 0) return;
  const char16_t* start = wide + std::max(offset, 0);
  for (int32_t index = 0; index < count && start[index] != 0; ++index) units_ += start[index];
}

String::String(const char16_t* units, size_t count) : units_(units, count) {}

std::shared_ptr<String> String::fromUtf8(const char* utf8) {
  return std::make_shared<String>(utf8);
}

std::shared_ptr<String> String::fromWide(const char16_t* wide) {
  return std::make_shared<String>(wide);
}

std::shared_ptr<String> String::description() const { return std::make_shared<String>(*this); }

void String::append(const Number& number) { append(*number.description()); }

std::strong_ordering String::operator<=>(const String& other) const {
  // char16_t is unsigned, so the library's comparison is already unit by unit as unsigned.
  return units_.compare(other.units_) <=> 0;
}

std::shared_ptr<std::u16string> String::toSharedWide() const {
  return std::make_shared<std::u16string>(units_);
}

std::shared_ptr<std::string> String::toUtf8() const {
  const std::u16string text = upToNul(units_);
  return std::make_shared<std::string>(
      platform::toNarrow(text.data(), text.size(), platform::CodePage::Utf8));
}

std::shared_ptr<Data> String::toData(int32_t encoding) const {
  constexpr int32_t kAnsi = 1;
  constexpr int32_t kUtf16 = 2;
  if (encoding == kUtf16) {
    std::string bytes;
    bytes.reserve(units_.size() * 2);
    for (char16_t unit : units_) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    return Data::fromBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
  }
  const std::u16string text = upToNul(units_);
  const std::string narrow = platform::toNarrow(
      text.data(), text.size(),
      encoding == kAnsi ? platform::CodePage::Ansi : platform::CodePage::Utf8);
  return Data::fromBytes(narrow.data(), static_cast<uint32_t>(narrow.size()));
}

std::shared_ptr<String::Pieces> String::split(const String& separatorText) const {
  auto pieces = std::make_shared<Pieces>();
  if (units_.empty()) return pieces;
  const std::u16string separator = upToNul(separatorText.units_);
  if (separator.empty()) {  // nothing to split on: the whole text is the one piece
    pieces->push_back(std::make_shared<String>(*this));
    return pieces;
  }
  size_t from = 0;
  for (size_t found; (found = units_.find(separator, from)) != std::u16string::npos;
       from = found + separator.size()) {
    pieces->push_back(std::make_shared<String>(units_.substr(from, found - from)));
  }
  pieces->push_back(std::make_shared<String>(units_.substr(from)));
  return pieces;
}

String::Pieces String::splitLines() const {
  Pieces pieces;
  size_t from = 0;
  for (size_t index = 0; index < units_.size(); ++index) {
    const char16_t unit = units_[index];
    if (unit != kCarriageReturn && unit != kLineFeed) continue;
    pieces.push_back(std::make_shared<String>(units_.substr(from, index - from)));
    const char16_t partner = unit == kCarriageReturn ? kLineFeed : kCarriageReturn;
    if (index + 1 < units_.size() && units_[index + 1] == partner) ++index;
    from = index + 1;
  }
  pieces.push_back(std::make_shared<String>(units_.substr(from)));
  return pieces;
}

std::shared_ptr<String> String::join(const Pieces& pieces, const String& separator) {
  auto joined = std::make_shared<String>();
  for (size_t index = 0; index < pieces.size(); ++index) {
    if (index > 0) joined->append(separator);
    joined->append(*pieces[index]);
  }
  return joined;
}

std::shared_ptr<String> String::replaceLineBreaks(const String& separator) const {
  return join(splitLines(), separator);
}

}  // namespace vesk

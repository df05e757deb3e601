// UTF-8 <-> UTF-16 for the stand-in host. Invalid input is replaced by U+FFFD, never refused:
// the host never fails a conversion.
#include "objects.h"

namespace standin {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (point >> 6)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}
}  // namespace

std::u16string utf16FromUtf8(std::string_view text) {
  // Each byte makes at most one unit (four bytes make two), so the output is sized once.
  std::u16string out(text.size(), u'\0');
  char16_t* at = out.data();
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t index = 0;
  while (index < size) {
    const unsigned char lead = bytes[index];
    if (lead < 0x80) {
      *at++ = lead;
      ++index;
      continue;
    }
    const int length = (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || index + length > size) {
      *at++ = static_cast<char16_t>(kReplacement);
      ++index;
      continue;
    }
    char32_t point = lead & (0x7F >> length);
    bool valid = true;
    for (int i = 1; i < length; ++i) {
      const unsigned char next = bytes[index + i];
      if ((next & 0xC0) != 0x80) valid = false;
      point = (point << 6) | (next & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || point < minimum[length] || point > 0x10FFFF ||
        (point >= 0xD800 && point < 0xE000)) {
      *at++ = static_cast<char16_t>(kReplacement);
      ++index;
      continue;
    }
    if (point < 0x10000) {
      *at++ = static_cast<char16_t>(point);
    } else {
      point -= 0x10000;
      *at++ = static_cast<char16_t>(0xD800 + (point >> 10));
      *at++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    }
    index += static_cast<size_t>(length);
  }
  out.resize(static_cast<size_t>(at - out.data()));
  return out;
}

std::string utf8FromUtf16(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t index = 0; index < text.size(); ++index) {
    char32_t point = text[index];
    if (point >= 0xD800 && point < 0xDC00 && index + 1 < text.size() && text[index + 1] >= 0xDC00 &&
        text[index + 1] < 0xE000) {
      point = 0x10000 + ((point - 0xD800) << 10) + (text[++index] - 0xDC00);
    } else if (point >= 0xD800 && point < 0xE000) {
      point = kReplacement;
    }
    appendUtf8(out, point);
  }
  return out;
}

char16_t lowercaseUnit(char16_t unit) {
  if (unit < 0x80) return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
  if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return static_cast<char16_t>(unit + 32);
  if (unit == 0x178) return 0xFF;
  if (unit >= 0x100 && unit <= 0x17F && unit != 0x130 && unit != 0x131 && unit != 0x138 &&
      unit != 0x149 && unit != 0x17F) {
    // Latin Extended-A pairs capitals and small letters, with an odd shift in its middle.
    const bool shifted = (unit >= 0x139 && unit <= 0x148) || (unit >= 0x179 && unit <= 0x17E);
    const bool capital = shifted ? (unit % 2 == 1) : (unit % 2 == 0);
    return capital ? static_cast<char16_t>(unit + 1) : unit;
  }
  if (unit >= 0x391 && unit <= 0x3AB && unit != 0x3A2) return static_cast<char16_t>(unit + 32);
  if (unit >= 0x410 && unit <= 0x42F) return static_cast<char16_t>(unit + 32);
  if (unit >= 0x400 && unit <= 0x40F) return static_cast<char16_t>(unit + 80);
  return unit;
}

char16_t uppercaseUnit(char16_t unit) {
  if (unit < 0x80) return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - 32) : unit;
  if (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7) return static_cast<char16_t>(unit - 32);
  if (unit >= 0x100 && unit <= 0x17F) {
    for (char16_t capital = static_cast<char16_t>(unit - 1); capital <= unit; ++capital) {
      if (capital != unit && lowercaseUnit(capital) == unit) return capital;
    }
    return unit;
  }
  if (unit >= 0x3B1 && unit <= 0x3CB && unit != 0x3C2) return static_cast<char16_t>(unit - 32);
  if (unit >= 0x430 && unit <= 0x44F) return static_cast<char16_t>(unit - 32);
  if (unit >= 0x450 && unit <= 0x45F) return static_cast<char16_t>(unit - 80);
  return unit;
}

std::u16string lowercased(const std::u16string& text) {
  std::u16string lower = text;
  for (char16_t& unit : lower) unit = lowercaseUnit(unit);
  return lower;
}

std::u16string uppercased(const std::u16string& text) {
  std::u16string upper = text;
  for (char16_t& unit : upper) unit = uppercaseUnit(unit);
  return upper;
}

}  // namespace standin

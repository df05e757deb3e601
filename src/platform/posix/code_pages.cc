// Code pages on POSIX. The ANSI and OEM code pages are UTF-8 here, as FileMaker Server on Linux
// works in UTF-8, so all three code pages convert the same way. Conversions never fail: a
// malformed UTF-8 sequence becomes U+FFFD, and so does an unpaired surrogate on the way out, as
// UTF-8 cannot hold one.
#include "platform/code_pages.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one character at `text`, advancing it past the bytes used; a malformed sequence uses
// the longest valid prefix (at least one byte) and answers the replacement character.
char32_t decode(const unsigned char*& text) {
  unsigned char lead = *text++;
  if (lead < 0x80) return lead;
  int extra;
  char32_t value;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < extra; ++i) {
    if (!isContinuation(*text)) return kReplacement;  // The NUL terminator stops here too.
    char32_t next = (value << 6) | (*text & 0x3F);
    // Reject overlong forms, surrogates and values past U+10FFFF as soon as they show.
    if (i == 0 && ((extra == 2 && lead == 0xE0 && *text < 0xA0) ||
                   (extra == 2 && lead == 0xED && *text >= 0xA0) ||
                   (extra == 3 && lead == 0xF0 && *text < 0x90) ||
                   (extra == 3 && lead == 0xF4 && *text >= 0x90))) {
      return kReplacement;
    }
    value = next;
    ++text;
  }
  return value >= minimum ? value : kReplacement;
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string toWide(const char* narrow, CodePage /*codePage*/) {
  std::u16string wide;
  if (narrow == nullptr) return wide;
  const auto* text = reinterpret_cast<const unsigned char*>(narrow);
  while (*text != 0) appendUtf16(wide, decode(text));
  return wide;
}

std::u16string toWide(const char* narrow, size_t length, CodePage codePage) {
  std::u16string wide;
  if (narrow == nullptr) return wide;
  // Each NUL-free piece is decoded on its own, so that no sequence reads past `length`.
  const std::string text(narrow, length);
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\0', start);
    wide += toWide(text.c_str() + start, codePage);
    if (end == std::string::npos) return wide;
    wide.push_back(u'\0');
    start = end + 1;
  }
}

std::string toNarrow(const char16_t* wide, size_t length, CodePage /*codePage*/) {
  std::string narrow;
  if (wide == nullptr) return narrow;
  narrow.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    char16_t unit = wide[i];
    if (isHighSurrogate(unit) && i + 1 < length && isLowSurrogate(wide[i + 1])) {
      char32_t c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                   (static_cast<char32_t>(wide[i + 1]) - 0xDC00);
      appendUtf8(narrow, c);
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(narrow, kReplacement);
    } else {
      appendUtf8(narrow, unit);
    }
  }
  return narrow;
}

}  // namespace platform

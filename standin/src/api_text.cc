// The host API's text and character-style calls.
#include <algorithm>

#include "encodings.h"
#include "host_call.h"
#include "objects.h"

using namespace standin;

namespace {

uint32_t sizeOf(const FM_Text& text) { return static_cast<uint32_t>(text.units.size()); }

// The units [position, position + size) clipped to the text.
std::pair<uint32_t, uint32_t> clippedRange(const FM_Text& text, uint32_t position, uint32_t size) {
  const uint32_t start = std::min(position, sizeOf(text));
  const uint32_t count = std::min(size, sizeOf(text) - start);
  return {start, count};
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

uint32_t find(const std::u16string& text, const std::u16string& other, uint32_t position) {
  if (position > text.size()) return FM_TEXT_NOT_FOUND;
  const size_t found = text.find(other, position);
  return found == std::u16string::npos ? FM_TEXT_NOT_FOUND : static_cast<uint32_t>(found);
}

}  // namespace

extern "C" {

FM_Text* FM_Text_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_Text>("Text", error);
}

void FM_Text_Delete(FM_Text* text, FM_ErrorRecord* error) { deleteObject("Text", text, error); }

void FM_Text_Assign(FM_Text* text, const char* bytes, int32_t encoding, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    std::u16string units = bytes == nullptr ? std::u16string() : decodeBytes(bytes, encoding);
    text->clear();
    text->units = std::move(units);
  });
}

void FM_Text_AssignUnicode(FM_Text* text, const uint16_t* units, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    std::u16string value;
    if (units != nullptr) {
      for (const uint16_t* unit = units; *unit != 0; ++unit) value += static_cast<char16_t>(*unit);
    }
    text->clear();
    text->units = std::move(value);
  });
}

void FM_Text_AssignUnicodeWithLength(FM_Text* text, const uint16_t* units, uint32_t length,
                                     FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    std::u16string value;
    if (units != nullptr) value.assign(reinterpret_cast<const char16_t*>(units), length);
    text->clear();
    text->units = std::move(value);
  });
}

void FM_Text_AssignWide(FM_Text* text, const wchar_t* wide, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    std::u16string value;
    for (const wchar_t* character = wide; character != nullptr && *character != 0; ++character) {
      // A negative wide character is no code point and falls through to the unit it truncates to.
      const auto point =
          static_cast<uint32_t>(*character);  // NOLINT(bugprone-signed-char-misuse,cert-str34-c)
      if constexpr (sizeof(wchar_t) == 2) {
        value += static_cast<char16_t>(point);
      } else if (point >= 0x10000 && point <= 0x10FFFF) {
        value += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
        value += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
      } else {
        value += static_cast<char16_t>(point > 0x10FFFF ? 0xFFFD : point);
      }
    }
    text->clear();
    text->units = std::move(value);
  });
}

void FM_Text_AppendText(FM_Text* text, const FM_Text* other, uint32_t position, uint32_t size,
                        FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    const auto [start, count] = clippedRange(*other, position, size);
    text->appendRange(*other, start, count);
  });
}

void FM_Text_InsertText(FM_Text* text, const FM_Text* other, uint32_t position,
                        FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { text->insert(*other, position); });
}

void FM_Text_DeleteText(FM_Text* text, uint32_t position, uint32_t size, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    const auto [start, count] = clippedRange(*text, position, size);
    text->erase(start, count);
  });
}

uint32_t FM_Text_Find(const FM_Text* text, const FM_Text* other, uint32_t position,
                      FM_ErrorRecord* error) {
  return hostCall<uint32_t>(error, FM_TEXT_NOT_FOUND,
                            [&] { return find(text->units, other->units, position); });
}

uint32_t FM_Text_FindIgnoringCase(const FM_Text* text, const FM_Text* other, uint32_t position,
                                  FM_ErrorRecord* error) {
  return hostCall<uint32_t>(error, FM_TEXT_NOT_FOUND, [&] {
    return find(lowercased(text->units), lowercased(other->units), position);
  });
}

uint32_t FM_Text_GetSize(const FM_Text* text, FM_ErrorRecord* error) {
  return hostCall<uint32_t>(error, 0, [&] { return sizeOf(*text); });
}

void FM_Text_GetUnicode(const FM_Text* text, uint16_t* buffer, uint32_t position, uint32_t size,
                        FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    const auto [start, count] = clippedRange(*text, position, size);
    std::copy_n(text->units.data() + start, count, reinterpret_cast<char16_t*>(buffer));
  });
}

uint32_t FM_Text_GetBytes(const FM_Text* text, char* buffer, uint32_t bufferSize, uint32_t position,
                          uint32_t size, int32_t encoding, FM_ErrorRecord* error) {
  return hostCall<uint32_t>(error, 0, [&]() -> uint32_t {
    if (buffer == nullptr || bufferSize == 0) return 0;
    const auto [start, count] = clippedRange(*text, position, size);
    const std::u16string& units = text->units;
    uint32_t written = 0;
    for (uint32_t at = start; at < start + count;) {
      char32_t point = units[at];
      uint32_t width = 1;
      if (isHighSurrogate(units[at]) && at + 1 < start + count && isLowSurrogate(units[at + 1])) {
        point = 0x10000 + ((point - 0xD800) << 10) + (units[at + 1] - 0xDC00);
        width = 2;
      }
      const std::string bytes = encodeCharacter(point, encoding);
      if (written + bytes.size() > bufferSize - 1) break;  // whole characters only
      std::copy(bytes.begin(), bytes.end(), buffer + written);
      written += static_cast<uint32_t>(bytes.size());
      at += width;
    }
    buffer[written] = '\0';
    return written;
  });
}

void FM_Text_Lowercase(FM_Text* text, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { text->units = lowercased(text->units); });
}

int FM_Text_operatorEQ(const FM_Text* text, const FM_Text* other, FM_ErrorRecord* error) {
  return hostCall<int>(error, 0, [&] { return text->units == other->units ? 1 : 0; });
}

void FM_Text_GetStyle(const FM_Text* text, FM_CharacterStyle* style, uint32_t position,
                      FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { *style = text->styleAt(position); });
}

void FM_Text_SetStyle(FM_Text* text, const FM_CharacterStyle* style, uint32_t position,
                      uint32_t size, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    const auto [start, count] = clippedRange(*text, position, size);
    text->setStyle(*style, start, count);
  });
}

FM_CharacterStyle* FM_CharacterStyle_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_CharacterStyle>("CharacterStyle", error);
}

void FM_CharacterStyle_Delete(FM_CharacterStyle* style, FM_ErrorRecord* error) {
  deleteObject("CharacterStyle", style, error);
}

int FM_CharacterStyle_IsAllDisabled(const FM_CharacterStyle* style, FM_ErrorRecord* error) {
  return hostCall<int>(error, 0, [&] { return style->enabled == 0 ? 1 : 0; });
}

int FM_CharacterStyle_operatorEQ(const FM_CharacterStyle* style, const FM_CharacterStyle* other,
                                 FM_ErrorRecord* error) {
  return hostCall<int>(error, 0, [&] { return *style == *other ? 1 : 0; });
}

}  // extern "C"

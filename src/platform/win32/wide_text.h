// UTF-16 text as Win32 takes it: char16_t and wchar_t are the same 16-bit units on Windows.
#ifndef PLATFORM_WIN32_WIDE_TEXT_H_
#define PLATFORM_WIN32_WIDE_TEXT_H_

#include <string>

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const wchar_t* wide(const std::u16string& text) { return wide(text.c_str()); }
inline std::u16string utf16(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

}  // namespace platform

#endif  // PLATFORM_WIN32_WIDE_TEXT_H_

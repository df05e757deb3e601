// Code pages on Win32: MultiByteToWideChar and WideCharToMultiByte, flags 0, so that characters a
// code page cannot hold are replaced by the system's default, never reported.
#include "platform/code_pages.h"

#include <windows.h>

#include <vector>

#include "wide_text.h"

namespace platform {
namespace {

UINT codePageOf(CodePage codePage) {
  switch (codePage) {
    case CodePage::Ansi:
      return CP_ACP;
    case CodePage::Oem:
      return CP_OEMCP;
    case CodePage::Utf8:
      break;
  }
  return CP_UTF8;
}

}  // namespace

std::u16string toWide(const char* narrow, CodePage codePage) {
  if (narrow == nullptr) return {};
  const UINT page = codePageOf(codePage);
  // With a length of -1 the count includes the terminator.
  const int units = MultiByteToWideChar(page, 0, narrow, -1, nullptr, 0);
  if (units <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(units));
  MultiByteToWideChar(page, 0, narrow, -1, buffer.data(), units);
  return utf16(buffer.data());
}

std::u16string toWide(const char* narrow, size_t length, CodePage codePage) {
  if (narrow == nullptr || length == 0) return {};
  const UINT page = codePageOf(codePage);
  const int count = static_cast<int>(length);
  const int units = MultiByteToWideChar(page, 0, narrow, count, nullptr, 0);
  if (units <= 0) return {};
  std::u16string converted(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(page, 0, narrow, count, wide(converted.data()), units);
  return converted;
}

std::string toNarrow(const char16_t* wide, size_t length, CodePage codePage) {
  if (wide == nullptr || length == 0) return {};
  const UINT page = codePageOf(codePage);
  const auto* units = platform::wide(wide);
  const int count = static_cast<int>(length);
  const int bytes = WideCharToMultiByte(page, 0, units, count, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string narrow(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(page, 0, units, count, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

}  // namespace platform

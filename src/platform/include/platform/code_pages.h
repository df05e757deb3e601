// Conversions between UTF-16 and the system's narrow code pages.
#ifndef PLATFORM_CODE_PAGES_H_
#define PLATFORM_CODE_PAGES_H_

#include <cstddef>
#include <string>

namespace platform {

enum class CodePage { Utf8, Ansi, Oem };
// Converts NUL-terminated narrow text in `codePage` to UTF-16, up to its NUL. Characters the code
// page cannot hold are replaced, never reported.
std::u16string toWide(const char* narrow, CodePage codePage);
// Converts `length` bytes, embedded NULs included.
std::u16string toWide(const char* narrow, size_t length, CodePage codePage);
// Converts `length` UTF-16 units to narrow text in `codePage`.
std::string toNarrow(const char16_t* wide, size_t length, CodePage codePage);

}  // namespace platform

#endif  // PLATFORM_CODE_PAGES_H_

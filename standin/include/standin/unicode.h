// UTF-8 and UTF-16, as the host program and tests hand text to the stand-in host. Ill-formed
// input becomes U+FFFD.
#ifndef STANDIN_UNICODE_H_
#define STANDIN_UNICODE_H_

#include <string>
#include <string_view>

namespace standin {

std::u16string utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(const std::u16string& text);

}  // namespace standin

#endif  // STANDIN_UNICODE_H_

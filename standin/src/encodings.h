// The 8-bit text encodings of FM_Text_Assign and FM_Text_GetBytes.
#ifndef STANDIN_ENCODINGS_H_
#define STANDIN_ENCODINGS_H_

#include <cstdint>
#include <string>

namespace standin {

// Decodes bytes in a host encoding. Native and UTF-8 read UTF-8; Mac Roman, Windows Latin 1 and
// ISO 8859-1 read their tables; ASCII DOS reads ASCII, other bytes as U+FFFD.
std::u16string decodeBytes(const std::string& bytes, int32_t encoding);
// Encodes one character (a code point) in a host encoding; characters the encoding lacks become
// "?".
std::string encodeCharacter(char32_t point, int32_t encoding);

}  // namespace standin

#endif  // STANDIN_ENCODINGS_H_

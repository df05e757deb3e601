// The regex parser, compiler and matcher on arbitrary patterns and texts: whatever the input,
// compiling either succeeds or throws SyntaxError or LimitExceeded, and a walk either ends or
// throws LimitExceeded, without a crash, a leak or undefined behaviour.
//
// Input: the pattern's bytes, a NUL, then the text's bytes. Bytes below 0x80 are those units;
// the others stand for units that matter to the matcher beyond ASCII.
#include <cstddef>
#include <cstdint>
#include <string>

#include "regex/errors.h"
#include "regex/regex.h"
#include "regex/substitution.h"

namespace {

char16_t unitOf(uint8_t byte) {
  static const char16_t kWide[] = {0x00E9, 0x00A0, 0x2028, 0x2029, 0xFEFF, 0x3000,
                                   0xD800, 0xDC00, 0xFFFF, 0x0100, 0x0161, 0x1680};
  if (byte < 0x80) return byte;
  return kWide[byte % (sizeof kWide / sizeof kWide[0])];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string pattern;
  std::u16string text;
  size_t index = 0;
  for (; index < size && data[index] != 0; ++index) pattern += unitOf(data[index]);
  for (++index; index < size; ++index) text += unitOf(data[index]);
  try {
    const regex::Regex regex(pattern);
    int64_t replaced = 0;
    const int32_t copy = regex::forEachGroupReplacement(
        regex, text, 3, [&](const regex::GroupReplacement& replacement) {
          if (replacement.copyFrom > replacement.groupStart ||
              replacement.groupStart > replacement.groupEnd ||
              replacement.groupEnd > static_cast<int32_t>(text.size())) {
            __builtin_trap();  // a span outside the text or out of order
          }
          ++replaced;
        });
    if (copy < 0 || copy > static_cast<int32_t>(text.size())) __builtin_trap();
  } catch (const regex::SyntaxError&) {
  } catch (const regex::LimitExceeded&) {
  }
  return 0;
}

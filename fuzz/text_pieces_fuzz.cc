// Fuzzes the object library's text splitting: split on a separator, splitLines and
// replaceLineBreaks. The pieces joined again must give back the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "vesk/string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte says how many of the following units form the separator.
  const size_t separatorUnits = data[0] % 4;
  std::u16string units;
  for (size_t at = 1; at + 1 < size; at += 2) {
    units.push_back(static_cast<char16_t>(data[at] | (data[at + 1] << 8)));
  }
  if (separatorUnits > units.size()) return 0;
  const vesk::String separator(units.substr(0, separatorUnits));
  const vesk::String text(units.substr(separatorUnits));

  const auto pieces = text.split(separator);
  const auto joined = vesk::String::join(*pieces, separator);
  const bool separatorHasNul = separator.units().find(u'\0') != std::u16string::npos;
  if (!separatorHasNul && !text.units().empty() && !(*joined == text)) __builtin_trap();

  const vesk::String::Pieces lines = text.splitLines();
  size_t unitsInLines = 0;
  for (const auto& line : lines) unitsInLines += line->units().size();
  if (unitsInLines > text.units().size()) __builtin_trap();

  const auto replaced = text.replaceLineBreaks(vesk::String(u"|"));
  if (replaced->units().size() > text.units().size()) __builtin_trap();
  return 0;
}

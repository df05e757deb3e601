#include "vesk/text_conversions.h"

#include "fm/objects.h"

namespace vesk {

std::shared_ptr<String> stringFromFileMakerText(const FM_Text* text) {
  const std::u16string units = fm::units(text);
  return std::make_shared<String>(units.data(), units.size());
}

void assignToFileMakerText(const String& text, FM_Text* target) {
  const auto withReturns = text.replaceLineBreaks(String(u"\r"));
  const std::u16string& units = withReturns->units();
  const size_t end = units.find(u'\0');
  fm::assignUnicode(target, units.data(),
                    static_cast<uint32_t>(end == std::u16string::npos ? units.size() : end));
}

std::string fileMakerTextBytes(const FM_Text* text, int32_t encoding) {
  // Five bytes per unit hold any character in any of the host's encodings.
  return fm::bytes(text, encoding, 5 * fm::size(text) + 1);
}

}  // namespace vesk

#include "brevo/key_descriptor.h"

#include "vesk/exception.h"

namespace brevo {

std::optional<uint32_t> namedKeyCodeOf(uint32_t virtualKey) {
  for (size_t index = kModifierCount; index < kKeyNames.size(); ++index) {
    if (kKeyNames[index].virtualKey == virtualKey) {
      return kFirstNamedKeyCode + static_cast<uint32_t>(index);
    }
  }
  return std::nullopt;
}

KeyDescriptor parseKeyDescriptor(const vesk::String& keyText) {
  KeyDescriptor descriptor;
  const auto pieces = keyText.split(vesk::String(u" "));
  for (const auto& piece : *pieces) {
    if (piece->length() == 1) {
      descriptor.codes.insert(piece->charAt(0));
      continue;
    }
    const std::u16string_view name = piece->units();
    bool known = false;
    for (size_t index = 0; index < kKeyNames.size() && !known; ++index) {
      if (kKeyNames[index].name == name) {
        descriptor.codes.insert(kFirstNamedKeyCode + static_cast<uint32_t>(index));
        known = true;
      }
    }
    if (!known) vesk::fail(vesk::kBadParameter, "Unknown key descriptor in shortcut");
  }
  return descriptor;
}

}  // namespace brevo

#include "qbx/string_resource.h"

#include <vector>

#include "fm/objects.h"
#include "platform/string_resources.h"
#include "qbx/plugin_state.h"

namespace qbx {

std::u16string loadString(uint32_t resourceId, int limit) {
  std::vector<char16_t> buffer(static_cast<size_t>(limit), u'\0');
  const int length =
      platform::loadString(PluginState::moduleInstance(), resourceId, buffer.data(), limit);
  return std::u16string(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

void loadStringResource(uint32_t resourceId, FM_Text* text, bool nameOnly) {
  std::u16string units = loadString(resourceId);
  fm::assignUnicode(text, units);
  if (!nameOnly) return;
  fm::Text openingParenthesis("(");
  const uint32_t cut = fm::find(text, openingParenthesis, 0);
  if (cut == FM_TEXT_NOT_FOUND) return;
  fm::erase(text, cut, fm::size(text) - cut);
}

}  // namespace qbx

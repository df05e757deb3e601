#include "qbx/selector.h"

#include "fm/objects.h"

namespace qbx {

std::optional<size_t> findKeyword(const FM_Text* text,
                                  std::initializer_list<std::string_view> keywords) {
  fm::Text sought;
  sought.append(text);
  sought.lowercase();
  fm::Text keyword;
  size_t index = 0;
  for (std::string_view word : keywords) {
    keyword.assign(word);
    keyword.lowercase();
    if (fm::equal(sought, keyword)) return index;
    ++index;
  }
  return std::nullopt;
}

}  // namespace qbx

#include "qbx/merge_cache.h"

#include "vesk/text_conversions.h"

namespace qbx {

std::string MergeCache::keyOf(const FM_Text* expression) {
  return vesk::fileMakerTextBytes(expression, FM_ENCODING_UTF8);
}

bool MergeCache::lookUp(const FM_Text* expression, fm::Text& value) const {
  const auto found = values_.find(keyOf(expression));
  if (found == values_.end()) return false;
  value.clear();
  value.append(found->second);
  return true;
}

void MergeCache::insert(const FM_Text* expression, const FM_Text* value) {
  std::string key = keyOf(expression);
  if (values_.contains(key)) return;
  fm::Text copy;
  copy.append(value);
  values_.emplace(std::move(key), std::move(copy));
}

}  // namespace qbx

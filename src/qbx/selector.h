// Keyword lookup for selectors, options and interpreter names: whole words, letter case ignored,
// through the host's own lower-casing and comparison so that it agrees with FileMaker's.
#ifndef QBX_SELECTOR_H_
#define QBX_SELECTOR_H_

#include <initializer_list>
#include <optional>
#include <string_view>

#include "fm/api.h"

namespace qbx {

// The index of the first keyword equal to `text`, or nothing.
std::optional<size_t> findKeyword(const FM_Text* text,
                                  std::initializer_list<std::string_view> keywords);

}  // namespace qbx

#endif  // QBX_SELECTOR_H_

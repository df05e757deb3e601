// The values of one merge: each expression that evaluated, with the text it gave, so that a
// template that repeats an expression evaluates it once.
#ifndef QBX_MERGE_CACHE_H_
#define QBX_MERGE_CACHE_H_

#include <map>
#include <string>

#include "fm/objects.h"

namespace qbx {

class MergeCache {
 public:
  // Copies the value of `expression` into `value` (cleared first); false when it has none.
  bool lookUp(const FM_Text* expression, fm::Text& value) const;
  // Stores copies of both, unless the expression has a value already.
  void insert(const FM_Text* expression, const FM_Text* value);

 private:
  // Keys are the UTF-8 bytes of the expression's characters, so that they order as bytes do and
  // styles play no part.
  static std::string keyOf(const FM_Text* expression);

  std::map<std::string, fm::Text> values_;
};

}  // namespace qbx

#endif  // QBX_MERGE_CACHE_H_

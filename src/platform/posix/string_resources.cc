// String resources on POSIX. ELF shared objects carry no resource sections, so the string table
// is compiled into the library from resources/strings.tsv. For the same reason the module handle
// is not needed: there is exactly one table, the one linked into this module.
#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/string_resources.h"

namespace platform {
namespace {

struct StringResource {
  uint32_t id;
  const char16_t* text;
};

constexpr StringResource kStrings[] = {
#include "resources/string_table.inc"
};

const char16_t* find(uint32_t id) {
  for (const StringResource& resource : kStrings) {
    if (resource.id == id) return resource.text;
  }
  return nullptr;
}

}  // namespace

int loadString(void* /*module*/, uint32_t id, char16_t* buffer, int limit) {
  if (buffer == nullptr || limit <= 0) return 0;
  const char16_t* text = find(id);
  if (text == nullptr) {
    buffer[0] = u'\0';
    return 0;
  }
  std::u16string_view view(text);
  size_t count = std::min(view.size(), static_cast<size_t>(limit - 1));
  std::copy_n(view.data(), count, buffer);
  buffer[count] = u'\0';
  return static_cast<int>(count);
}

}  // namespace platform

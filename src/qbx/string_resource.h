// Host texts filled from the plug-in's string table.
#ifndef QBX_STRING_RESOURCE_H_
#define QBX_STRING_RESOURCE_H_

#include <cstdint>
#include <string>

#include "fm/api.h"

namespace qbx {

// String resources of the plug-in module.
enum StringResource : uint32_t {
  kPluginNameString = 1,
  kDescriptionString = 2,
  kFirstPrototypeString = 100,  // + function id
};

// The resource from the module of the current message record, at most `limit` - 1 units.
std::u16string loadString(uint32_t resourceId, int limit = 1024);

// Fills `text` with resource `resourceId`; with `nameOnly`, cut at the first "(" so that a
// prototype gives the function's name. A prototype without "(" stays whole.
void loadStringResource(uint32_t resourceId, FM_Text* text, bool nameOnly);

}  // namespace qbx

#endif  // QBX_STRING_RESOURCE_H_

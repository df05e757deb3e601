// String resources of the plug-in module.
#ifndef PLATFORM_STRING_RESOURCES_H_
#define PLATFORM_STRING_RESOURCES_H_

#include <cstdint>

namespace platform {

// Loads string resource `id` of the plug-in module `module` into `buffer` as LoadStringW does:
// at most limit - 1 units and a terminating NUL; answers the number of units copied (0 when the
// resource does not exist, leaving an empty string).
int loadString(void* module, uint32_t id, char16_t* buffer, int limit);

}  // namespace platform

#endif  // PLATFORM_STRING_RESOURCES_H_

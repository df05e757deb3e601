// Files.
#ifndef PLATFORM_FILES_H_
#define PLATFORM_FILES_H_

#include <cstddef>
#include <string>

#include "platform/system.h"

namespace platform {

// Creates a new file at `path` (failing when it exists) and writes `length` bytes in one call.
// Throws SystemError when the file cannot be created; answers false when the write failed.
bool writeNewFile(const std::u16string& path, const void* bytes, size_t length);

}  // namespace platform

#endif  // PLATFORM_FILES_H_

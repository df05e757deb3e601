// Loading a plug-in library, the one place where the stand-in host meets the system's dynamic
// loader (dlopen on POSIX, LoadLibraryW on Windows).
#ifndef STANDIN_LIBRARY_LOADER_H_
#define STANDIN_LIBRARY_LOADER_H_

#include <string>

namespace standin {

// The loaded library's handle, or null with the system's reason in `reason`. On Windows the
// handle is the module's instance handle, which the plug-in loads its string resources from.
void* loadLibrary(const std::string& path, std::string& reason);
void* findSymbol(void* library, const char* name);
void unloadLibrary(void* library);
// The base address of the library that holds `address`, or null.
const void* libraryBaseOf(const void* address);

}  // namespace standin

#endif  // STANDIN_LIBRARY_LOADER_H_

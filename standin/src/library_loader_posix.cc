// Plug-in libraries on POSIX: dlopen, with every symbol bound at once and kept to the library.
#include <dlfcn.h>

#include "library_loader.h"

namespace standin {

void* loadLibrary(const std::string& path, std::string& reason) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* text = dlerror();
    reason = text != nullptr ? text : "unknown reason";
  }
  return library;
}

void* findSymbol(void* library, const char* name) { return dlsym(library, name); }

void unloadLibrary(void* library) { dlclose(library); }

const void* libraryBaseOf(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return info.dli_fbase;
}

}  // namespace standin

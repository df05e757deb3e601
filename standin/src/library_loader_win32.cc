// Plug-in libraries on Windows: LoadLibraryW with the path as UTF-16, as FileMaker loads them. A
// module's handle is its base address.
#include <windows.h>

#include "library_loader.h"
#include "standin/unicode.h"

namespace standin {

void* loadLibrary(const std::string& path, std::string& reason) {
  const std::u16string widePath = utf16FromUtf8(path);
  HMODULE library = LoadLibraryW(reinterpret_cast<const wchar_t*>(widePath.c_str()));
  if (library == nullptr) reason = "Windows error " + std::to_string(GetLastError());
  return library;
}

void* findSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unloadLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

const void* libraryBaseOf(const void* address) {
  HMODULE module = nullptr;
  if (address == nullptr || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                                    GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                                static_cast<LPCWSTR>(address), &module)) {
    return nullptr;
  }
  return module;
}

}  // namespace standin

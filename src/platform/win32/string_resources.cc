// String resources on Win32: LoadStringW from the plug-in module's own string table. FileMaker
// hands the module's instance handle in every message record; where there is none (code that
// runs outside a message, such as the unit tests), the module that holds this code is used.
#include "platform/string_resources.h"

#include <windows.h>

#include "wide_text.h"

namespace platform {
namespace {

HMODULE moduleOfThisCode() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&moduleOfThisCode), &module);
  return module;
}

}  // namespace

int loadString(void* module, uint32_t id, char16_t* buffer, int limit) {
  if (buffer == nullptr || limit <= 0) return 0;
  buffer[0] = u'\0';
  HMODULE owner = module != nullptr ? static_cast<HMODULE>(module) : moduleOfThisCode();
  // LoadStringW copies at most limit - 1 units and always terminates, also when the resource
  // is missing (answering 0).
  return LoadStringW(owner, id, wide(buffer), limit);
}

}  // namespace platform

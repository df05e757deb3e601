#include "qbx/registry.h"

#include <array>

#include "fm/objects.h"
#include "qbx/functions.h"
#include "qbx/string_resource.h"

namespace qbx {

namespace {

constexpr std::array<ExternalFunction, 23> kExternalFunctions{{
    {1, 0, -1, Quibo_Version},
    {2, 0, -1, Quibo_Get},
    {3, 2, -1, Quibo_Set},
    {4, 1, -1, Quibo_ExecuteSQL},
    {5, 0, -1, Quibo_LockWindows},
    {6, 0, -1, Quibo_UnlockWindows},
    {7, 1, -1, Quibo_MergeText},
    {8, 1, -1, Quibo_DoFileMakerScript},
    {9, 2, -1, Quibo_DoSystemScript},
    {10, 0, -1, Quibo_GetDefaultPrinter},
    {11, 1, -1, Quibo_SetDefaultPrinter},
    {12, 0, -1, Quibo_GetPrinterNames},
    {13, 3, -1, Quibo_RegExp_Substitute},
    {14, 2, -1, Quibo_RegExp_PatternCount},
    {15, 0, -1, Quibo_GetClientPublicIPAddress},
    {17, 1, -1, Quibo_GetNameForIP},
    {18, 1, -1, Quibo_GetIPforName},
    {19, 0, -1, Quibo_GetSpecialWindows},
    {20, 2, -1, Quibo_SetScriptShortcut},
    {21, 1, 1, Quibo_ValueType},
    {22, 0, 1, Quibo_GetTimestamp},
    {23, 0, -1, Quibo_SetGlobal},
    {24, 0, -1, Quibo_GetGlobal},
}};

int16_t unregisterWith(const fm::QuadChar& pluginId, int16_t id) {
  return fm::checked(
      [&](FM_ErrorRecord* e) { return FM_ExprEnv_UnRegisterExternalFunction(pluginId, id, e); });
}

}  // namespace

std::span<const ExternalFunction> externalFunctions() { return kExternalFunctions; }

int16_t registerFunction(int16_t id, int16_t minimumArgs, int16_t maximumArgs, uint32_t flags,
                         FM_ExternalFunction handler) {
  fm::QuadChar pluginId(kPluginId);
  fm::Text name;
  fm::Text prototype;
  const auto resourceId = static_cast<uint32_t>(kFirstPrototypeString + id);
  loadStringResource(resourceId, name, true);
  loadStringResource(resourceId, prototype, false);
  return fm::checked([&](FM_ErrorRecord* e) {
    return FM_ExprEnv_RegisterExternalFunction(pluginId, id, name, prototype, minimumArgs,
                                               maximumArgs, flags, handler, e);
  });
}

int16_t unregisterFunction(int16_t id) { return unregisterWith(fm::QuadChar(kPluginId), id); }

bool registerFunctions() {
  for (size_t index = 0; index < kExternalFunctions.size(); ++index) {
    const ExternalFunction& function = kExternalFunctions[index];
    int16_t code = 0;
    try {
      code = registerFunction(function.id, function.minimumArgs, function.maximumArgs,
                              kFunctionFlags, function.handler);
    } catch (...) {
      code = -1;  // the host failed while registering: treated as a refusal
    }
    if (code == 0) continue;
    for (size_t undone = index; undone-- > 0;) {
      try {
        unregisterFunction(kExternalFunctions[undone].id);
      } catch (...) {
      }
    }
    return false;
  }
  return true;
}

void unregisterFunctions() {
  try {
    fm::QuadChar pluginId(kPluginId);
    // Reverse iterators rather than a reversed view: clang's fuzzing build reads these headers
    // too, and its ranges support is older.
    for (auto function = kExternalFunctions.rbegin(); function != kExternalFunctions.rend();
         ++function) {
      try {
        unregisterWith(pluginId, function->id);
      } catch (...) {
      }
    }
  } catch (...) {
    // Without an identifier nothing can be unregistered; the host drops the registrations when it
    // unloads the plug-in.
  }
}

}  // namespace qbx

// Registration of the external functions with the host. The host holds the registrations; the
// registry keeps no state of its own. Names and prototypes come from the string table
// (resource 100 + id), the one source of truth for both.
#ifndef QBX_REGISTRY_H_
#define QBX_REGISTRY_H_

#include <cstdint>
#include <span>

#include "fm/api.h"

namespace qbx {

// The plug-in identifier every function is registered under.
inline constexpr char kPluginId[] = "QBXT";
// The same flags for every function.
inline constexpr uint32_t kFunctionFlags = 0xFF01;

struct ExternalFunction {
  int16_t id;
  int16_t minimumArgs;
  int16_t maximumArgs;  // -1: no upper limit
  FM_ExternalFunction handler;
};

// Every function, in ascending id order (16 is not used).
std::span<const ExternalFunction> externalFunctions();

// Registers every function in id order; at the first refusal undoes the registrations made so
// far, the most recent first, and answers false.
bool registerFunctions();
// Unregisters every function, from the highest id down, ignoring the host's answers.
void unregisterFunctions();

int16_t registerFunction(int16_t id, int16_t minimumArgs, int16_t maximumArgs, uint32_t flags,
                         FM_ExternalFunction handler);
int16_t unregisterFunction(int16_t id);

}  // namespace qbx

#endif  // QBX_REGISTRY_H_

// Functions registered already but not part of this build yet. Each answers -4 with
// "Not available in this build", through the frame and with its own host-code rule, so that
// calculations that use them keep working and say why they get nothing.
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"

namespace qbx {

namespace {
int16_t notAvailable(HostCode hostCode, FM_Data* result) {
  return runInFrame(hostCode, result, []() -> int16_t {
    vesk::fail(kNotAvailableHere, "Not available in this build");
  });
}
}  // namespace

#define QBX_NOT_AVAILABLE(name, hostCode)                                    \
  QBX_EXTERNAL_FUNCTION(name) {                                              \
    (void)functionId;                                                        \
    (void)environment;                                                       \
    (void)parameters;                                                        \
    return notAvailable(hostCode, result);                                   \
  }

QBX_NOT_AVAILABLE(Quibo_LockWindows, HostCode::AlwaysZero)
QBX_NOT_AVAILABLE(Quibo_UnlockWindows, HostCode::AlwaysZero)
QBX_NOT_AVAILABLE(Quibo_GetDefaultPrinter, HostCode::AlwaysZero)
QBX_NOT_AVAILABLE(Quibo_SetDefaultPrinter, HostCode::AlwaysZero)
QBX_NOT_AVAILABLE(Quibo_GetPrinterNames, HostCode::AlwaysZero)
QBX_NOT_AVAILABLE(Quibo_GetSpecialWindows, HostCode::AlwaysZero)
QBX_NOT_AVAILABLE(Quibo_SetScriptShortcut, HostCode::AlwaysZero)

}  // namespace qbx

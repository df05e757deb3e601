// The external functions as the host calls them, one group per file (version_functions.cc,
// value_functions.cc, ...). Each runs its body in the function frame.
#ifndef QBX_FUNCTIONS_H_
#define QBX_FUNCTIONS_H_

#include <cstdint>

#include "fm/api.h"

namespace qbx {

#define QBX_EXTERNAL_FUNCTION(name)                                                   \
  int16_t name(int16_t functionId, const FM_ExprEnv* environment,                     \
               const FM_DataVect* parameters, FM_Data* result)

QBX_EXTERNAL_FUNCTION(Quibo_Version);
QBX_EXTERNAL_FUNCTION(Quibo_Get);
QBX_EXTERNAL_FUNCTION(Quibo_Set);
QBX_EXTERNAL_FUNCTION(Quibo_ExecuteSQL);
QBX_EXTERNAL_FUNCTION(Quibo_LockWindows);
QBX_EXTERNAL_FUNCTION(Quibo_UnlockWindows);
QBX_EXTERNAL_FUNCTION(Quibo_MergeText);
QBX_EXTERNAL_FUNCTION(Quibo_DoFileMakerScript);
QBX_EXTERNAL_FUNCTION(Quibo_DoSystemScript);
QBX_EXTERNAL_FUNCTION(Quibo_GetDefaultPrinter);
QBX_EXTERNAL_FUNCTION(Quibo_SetDefaultPrinter);
QBX_EXTERNAL_FUNCTION(Quibo_GetPrinterNames);
QBX_EXTERNAL_FUNCTION(Quibo_RegExp_Substitute);
QBX_EXTERNAL_FUNCTION(Quibo_RegExp_PatternCount);
QBX_EXTERNAL_FUNCTION(Quibo_GetClientPublicIPAddress);
QBX_EXTERNAL_FUNCTION(Quibo_GetNameForIP);
QBX_EXTERNAL_FUNCTION(Quibo_GetIPforName);
QBX_EXTERNAL_FUNCTION(Quibo_GetSpecialWindows);
QBX_EXTERNAL_FUNCTION(Quibo_SetScriptShortcut);
QBX_EXTERNAL_FUNCTION(Quibo_ValueType);
QBX_EXTERNAL_FUNCTION(Quibo_GetTimestamp);
QBX_EXTERNAL_FUNCTION(Quibo_SetGlobal);
QBX_EXTERNAL_FUNCTION(Quibo_GetGlobal);

}  // namespace qbx

#endif  // QBX_FUNCTIONS_H_

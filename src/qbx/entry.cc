// The plug-in's one exported symbol.
#include "fm/api.h"
#include "qbx/lifecycle.h"

extern "C" FM_EXPORT void FMExternCallProc(FM_ExternCallStruct* record) {
  qbx::handleMessage(record);
}

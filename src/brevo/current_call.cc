#include "brevo/current_call.h"

namespace brevo {

namespace {
FM_ExternCallStruct* currentRecord = nullptr;  // the host's main thread only
}  // namespace

FM_ExternCallStruct* currentCall() { return currentRecord; }

void setCurrentCall(FM_ExternCallStruct* record) { currentRecord = record; }

}  // namespace brevo

// The record of the host message being handled. Every message stores its record here before
// anything else, and it stays until the next one: the host's callbacks are reached through it,
// during external function calls and idle ticks too.
#ifndef BREVO_CURRENT_CALL_H_
#define BREVO_CURRENT_CALL_H_

#include "fm/api.h"

namespace brevo {

FM_ExternCallStruct* currentCall();
void setCurrentCall(FM_ExternCallStruct* record);

}  // namespace brevo

#endif  // BREVO_CURRENT_CALL_H_

// Which platform this is: the Win32 build.
#include "platform/system.h"

namespace platform {

Kind kind() { return Kind::Windows; }

const char* name() { return "Windows"; }

}  // namespace platform

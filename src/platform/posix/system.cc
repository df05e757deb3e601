// Which platform this is: the POSIX build.
#include "platform/system.h"

namespace platform {

Kind kind() { return Kind::Posix; }

const char* name() { return "Linux"; }

}  // namespace platform

// The desktop of the host process, when it offers one.
#ifndef PLATFORM_POSIX_DESKTOP_INTERFACE_H_
#define PLATFORM_POSIX_DESKTOP_INTERFACE_H_

#include "desktop/api.h"

namespace platform {

// The host's desktop, looked up once; null in a process without one, such as FileMaker Server.
const QuiboDesktopInterface* desktopInterface();

}  // namespace platform

#endif  // PLATFORM_POSIX_DESKTOP_INTERFACE_H_

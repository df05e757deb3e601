// The desktop's top-level windows, as the window functions see them.
#ifndef PLATFORM_DESKTOP_WINDOWS_H_
#define PLATFORM_DESKTOP_WINDOWS_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

using WindowHandle = uintptr_t;

// Visits every top-level window of the desktop, of every process, in the desktop's own order,
// until `visit` answers false. A process without a desktop has no windows.
void enumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit);

// The window's title as read into a buffer of `bufferUnits` code units: longer titles are cut,
// leaving room for the terminator.
std::u16string windowTitle(WindowHandle window, size_t bufferUnits);

// Whole-text comparison without regard to case, by the platform's rules.
bool equalIgnoringCase(const std::u16string& left, const std::u16string& right);

}  // namespace platform

#endif  // PLATFORM_DESKTOP_WINDOWS_H_

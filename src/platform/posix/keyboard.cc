#include "platform/keyboard.h"

#include <vector>

#include "desktop_interface.h"

namespace platform::keyboard {

HookHandle installHook(HookProcedure procedure, void* /*moduleInstance*/) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  return desktop == nullptr ? nullptr : desktop->setKeyboardHook(procedure);
}

bool removeHook(HookHandle hook) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  return desktop != nullptr && desktop->removeKeyboardHook(hook) != 0;
}

intptr_t callNextHook(HookHandle hook, int code, uintptr_t message, intptr_t eventRecord) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  return desktop == nullptr ? 0 : desktop->callNextHook(hook, code, message, eventRecord);
}

uint32_t virtualKeyOf(intptr_t eventRecord) {
  return reinterpret_cast<const QuiboDesktopKeyEvent*>(eventRecord)->virtualKey;
}

std::u16string foregroundWindowClass(size_t bufferUnits) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  if (desktop == nullptr || bufferUnits == 0) return {};
  const uintptr_t window = desktop->foregroundWindow();
  if (window == 0) return {};
  std::vector<char16_t> buffer(bufferUnits);
  const int32_t length =
      desktop->windowClass(window, buffer.data(), static_cast<int32_t>(bufferUnits));
  if (length <= 0) return {};
  return std::u16string(buffer.data(), static_cast<size_t>(length));
}

bool isKeyDown(uint32_t virtualKey) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  if (desktop == nullptr) return false;
  const auto state =
      static_cast<uint16_t>(desktop->asyncKeyState(static_cast<int32_t>(virtualKey)));
  return (state & ~uint16_t{1}) != 0;
}

uint32_t characterOfVirtualKey(uint32_t virtualKey) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  return desktop == nullptr ? 0 : desktop->characterOfVirtualKey(virtualKey);
}

MutexHandle createNamedMutex(const std::u16string& name) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  return desktop == nullptr ? nullptr : desktop->createMutex(name.c_str());
}

MutexWait waitForMutex(MutexHandle mutex, uint32_t milliseconds) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  if (desktop == nullptr) return MutexWait::Failed;
  switch (desktop->waitForMutex(mutex, milliseconds)) {
    case 0:
      return MutexWait::Acquired;
    case 1:
      return MutexWait::TimedOut;
    default:
      return MutexWait::Failed;
  }
}

void releaseMutex(MutexHandle mutex) {
  if (const QuiboDesktopInterface* desktop = desktopInterface()) desktop->releaseMutex(mutex);
}

void closeMutex(MutexHandle mutex) {
  if (const QuiboDesktopInterface* desktop = desktopInterface()) desktop->closeMutex(mutex);
}

}  // namespace platform::keyboard

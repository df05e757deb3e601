#include "platform/keyboard.h"

#include <windows.h>

#include <vector>

#include "wide_text.h"

namespace platform::keyboard {

namespace {

// The one procedure of the installed hook. The system calls a HOOKPROC; this forwards to it, so
// that the logic keeps its own platform-free signature.
HookProcedure installedProcedure = nullptr;

LRESULT CALLBACK forwardToProcedure(int code, WPARAM message, LPARAM eventRecord) {
  if (installedProcedure == nullptr) return CallNextHookEx(nullptr, code, message, eventRecord);
  return installedProcedure(code, message, eventRecord);
}

}  // namespace

HookHandle installHook(HookProcedure procedure, void* moduleInstance) {
  installedProcedure = procedure;
  // Thread 0: the hook sees the keys of every thread of the desktop.
  return SetWindowsHookExW(WH_KEYBOARD_LL, forwardToProcedure,
                           static_cast<HINSTANCE>(moduleInstance), 0);
}

bool removeHook(HookHandle hook) { return UnhookWindowsHookEx(static_cast<HHOOK>(hook)) != 0; }

intptr_t callNextHook(HookHandle hook, int code, uintptr_t message, intptr_t eventRecord) {
  return CallNextHookEx(static_cast<HHOOK>(hook), code, message, eventRecord);
}

uint32_t virtualKeyOf(intptr_t eventRecord) {
  return reinterpret_cast<const KBDLLHOOKSTRUCT*>(eventRecord)->vkCode;
}

std::u16string foregroundWindowClass(size_t bufferUnits) {
  const HWND window = GetForegroundWindow();
  if (window == nullptr || bufferUnits == 0) return {};
  std::vector<wchar_t> buffer(bufferUnits);
  const UINT length = RealGetWindowClassW(window, buffer.data(), static_cast<UINT>(bufferUnits));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

bool isKeyDown(uint32_t virtualKey) {
  const auto state = static_cast<uint16_t>(GetAsyncKeyState(static_cast<int>(virtualKey)));
  return (state & ~uint16_t{1}) != 0;
}

uint32_t characterOfVirtualKey(uint32_t virtualKey) {
  return MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR);
}

MutexHandle createNamedMutex(const std::u16string& name) {
  return CreateMutexW(nullptr, FALSE, wide(name));
}

MutexWait waitForMutex(MutexHandle mutex, uint32_t milliseconds) {
  switch (WaitForSingleObject(static_cast<HANDLE>(mutex), milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its last owner ended without letting go: ours now all the same
      return MutexWait::Acquired;
    case WAIT_TIMEOUT:
      return MutexWait::TimedOut;
    default:
      return MutexWait::Failed;
  }
}

void releaseMutex(MutexHandle mutex) { ReleaseMutex(static_cast<HANDLE>(mutex)); }

void closeMutex(MutexHandle mutex) { CloseHandle(static_cast<HANDLE>(mutex)); }

}  // namespace platform::keyboard

#include "platform/desktop_windows.h"

#include <windows.h>

#include <exception>
#include <vector>

#include "wide_text.h"

namespace platform {

namespace {

struct Enumeration {
  const std::function<bool(WindowHandle)>* visit;
  std::exception_ptr failure;  // a visitor's exception may not cross the system's frames
};

BOOL CALLBACK visitWindow(HWND window, LPARAM context) {
  auto* enumeration = reinterpret_cast<Enumeration*>(context);
  try {
    return (*enumeration->visit)(reinterpret_cast<WindowHandle>(window)) ? TRUE : FALSE;
  } catch (...) {
    enumeration->failure = std::current_exception();
    return FALSE;
  }
}

}  // namespace

void enumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) {
  Enumeration enumeration{&visit, nullptr};
  EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&enumeration));
  if (enumeration.failure) std::rethrow_exception(enumeration.failure);
}

std::u16string windowTitle(WindowHandle window, size_t bufferUnits) {
  if (bufferUnits == 0) return {};
  std::vector<wchar_t> buffer(bufferUnits);
  const int length =
      GetWindowTextW(reinterpret_cast<HWND>(window), buffer.data(), static_cast<int>(bufferUnits));
  if (length <= 0) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                        static_cast<size_t>(length));
}

bool equalIgnoringCase(const std::u16string& left, const std::u16string& right) {
  return lstrcmpiW(wide(left), wide(right)) == 0;
}

}  // namespace platform

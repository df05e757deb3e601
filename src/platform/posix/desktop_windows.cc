#include "platform/desktop_windows.h"

#include <exception>
#include <vector>

#include "desktop_interface.h"

namespace platform {

namespace {

int visitWindow(uintptr_t window, void* context) {
  const auto& visit = *static_cast<const std::function<bool(WindowHandle)>*>(context);
  return visit(window) ? 1 : 0;
}

// Plain case folding of the letters that have a single lower-case partner in UTF-16; enough for
// window titles, which are compared whole.
char16_t foldCase(char16_t unit) {
  if (unit >= u'A' && unit <= u'Z') return static_cast<char16_t>(unit + 32);
  if ((unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) || (unit >= 0x391 && unit <= 0x3A9) ||
      (unit >= 0x410 && unit <= 0x42F)) {
    return static_cast<char16_t>(unit + 32);
  }
  return unit;
}

}  // namespace

void enumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  if (desktop == nullptr) return;
  // The visitor may throw; it must not cross the desktop's C frames, so stop and rethrow here.
  std::exception_ptr failure;
  std::function<bool(WindowHandle)> guarded = [&](WindowHandle window) {
    try {
      return visit(window);
    } catch (...) {
      failure = std::current_exception();
      return false;
    }
  };
  desktop->enumerateWindows(visitWindow, &guarded);
  if (failure) std::rethrow_exception(failure);
}

std::u16string windowTitle(WindowHandle window, size_t bufferUnits) {
  const QuiboDesktopInterface* desktop = desktopInterface();
  if (desktop == nullptr || bufferUnits == 0) return {};
  std::vector<char16_t> buffer(bufferUnits);
  const int32_t length =
      desktop->windowTitle(window, buffer.data(), static_cast<int32_t>(bufferUnits));
  if (length <= 0) return {};
  return std::u16string(buffer.data(), static_cast<size_t>(length));
}

bool equalIgnoringCase(const std::u16string& left, const std::u16string& right) {
  if (left.size() != right.size()) return false;
  for (size_t i = 0; i < left.size(); ++i) {
    if (foldCase(left[i]) != foldCase(right[i])) return false;
  }
  return true;
}

}  // namespace platform

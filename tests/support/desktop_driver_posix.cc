#include "desktop_driver.h"
#include "standin/desktop.h"

namespace quibo_test::desktop {

using standin::Desktop;

void reset() { Desktop::reset(); }

void openWindow(const std::u16string& title) { Desktop::openWindow(title); }

void frontFileMakerWindow() { Desktop::frontFileMakerWindow(); }

std::optional<size_t> pressCombination(const std::vector<uint32_t>& keys) {
  return Desktop::pressCombination(keys);
}

void sendKeyEvent(uint32_t virtualKey, bool down) { Desktop::sendKeyEvent(virtualKey, down); }

void holdKeyboardMutexElsewhere(bool held) {
  Desktop::holdMutexElsewhere(u"Global\\KeybMtx", held);
}

std::optional<size_t> hookCount() { return Desktop::hookCount(); }

std::optional<size_t> openMutexHandles() { return Desktop::openMutexHandles(); }

bool refuseHooks(bool refuse) {
  Desktop::refuseHooks(refuse);
  return true;
}

}  // namespace quibo_test::desktop

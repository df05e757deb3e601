// Test support: the desktop as a user drives it, for the keyboard and window tests. On Linux it
// drives the stand-in host's desktop; on Windows it makes real windows and sends real input, so
// that the same tests run against the system's hook and window list.
#ifndef QUIBO_TESTS_DESKTOP_DRIVER_H_
#define QUIBO_TESTS_DESKTOP_DRIVER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quibo_test::desktop {

// Virtual-key codes the tests press.
constexpr uint32_t kShift = 16, kControl = 17, kAlt = 18, kHome = 36, kPageUp = 33, kPageDown = 34,
                   kF2 = 113, kF5 = 116;

// Closes the windows the tests opened and lets go of everything held.
void reset();
// A top-level window of another program, in front of all others.
void openWindow(const std::u16string& title);
// A FileMaker window, brought to the front (opened if the tests have none).
void frontFileMakerWindow();
// Presses the keys as one combination (down in order, up in reverse) and lets every hook see
// them. Answers how many of the events reached the foreground window, where that is known.
std::optional<size_t> pressCombination(const std::vector<uint32_t>& keys);
// One key event, seen by every hook.
void sendKeyEvent(uint32_t virtualKey, bool down);
// Plays another process that handles a key and holds the keyboard mutex meanwhile.
void holdKeyboardMutexElsewhere(bool held);

// What only the stand-in's desktop can tell or do; empty or false on Windows.
std::optional<size_t> hookCount();
std::optional<size_t> openMutexHandles();
bool refuseHooks(bool refuse);  // answers whether the desktop can

}  // namespace quibo_test::desktop

#endif  // QUIBO_TESTS_DESKTOP_DRIVER_H_

// The stand-in desktop: top-level windows, a keyboard with its low-level hook chain, and named
// mutexes, offered to plug-ins through the desktop interface of desktop/api.h. Tests and the host
// program open windows and press keys; a plug-in's hook sees the events as it would on Windows:
// modifiers go down first, each key's down and up events pass through the chain, and a key's
// asynchronous state changes only after the chain has seen its event.
//
// One desktop per process, used on one thread.
#ifndef STANDIN_DESKTOP_H_
#define STANDIN_DESKTOP_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

class Desktop {
 public:
  using WindowId = uintptr_t;

  // The class of FileMaker's own windows, which shortcuts fire in.
  static constexpr std::u16string_view kFileMakerWindowClass = u"FMPRO.Document";
  static constexpr std::u16string_view kOtherWindowClass = u"Standin.Window";

  // A new top-level window, in front of all others.
  static WindowId openWindow(const std::u16string& title,
                             std::u16string_view className = kOtherWindowClass);
  static void closeWindow(WindowId window);
  static void bringToFront(WindowId window);
  // The front-most FileMaker window, opened if there is none, brought to the front.
  static WindowId frontFileMakerWindow();
  static std::vector<WindowId> windows();  // front to back
  static void closeAllWindows();

  // Presses `keys` (virtual-key codes) as one combination: each goes down in order and they are
  // released in reverse. Answers how many of the events reached the foreground window, that is
  // were passed on by every hook.
  static size_t pressCombination(const std::vector<uint32_t>& keys);
  // One key event through the hook chain; true when it reached the foreground window.
  static bool sendKeyEvent(uint32_t virtualKey, bool down);
  // The virtual key of a word of a combination: a modifier or key name ("ctrl", "F5", "home",
  // "pageup"), or one character of the US layout.
  static std::optional<uint32_t> virtualKeyNamed(std::u16string_view word);

  static size_t hookCount();
  static size_t openMutexHandles();
  // Plays another process that holds the named mutex, so that this one times out waiting.
  static void holdMutexElsewhere(const std::u16string& name, bool held);
  // Makes installing a hook fail, as a system that refuses hooks does.
  static void refuseHooks(bool refuse);

  // No windows, no keys down, no mutex held elsewhere, hooks accepted. Installed hooks and open
  // mutex handles belong to the plug-ins and stay.
  static void reset();
};

}  // namespace standin

#endif  // STANDIN_DESKTOP_H_

#include "standin/desktop.h"

#include <algorithm>
#include <array>
#include <list>
#include <map>
#include <memory>

#include "desktop/api.h"

namespace standin {

namespace {

struct Window {
  Desktop::WindowId id;
  std::u16string title;
  std::u16string className;
};

struct Hook {
  uintptr_t id;
  QuiboDesktopHookProcedure procedure;
};

struct NamedMutex {
  bool heldElsewhere = false;
  uint32_t ownCount = 0;  // recursive, as Windows mutexes are for their owning thread
};

struct MutexHandle {
  std::u16string name;
};

struct State {
  std::vector<Window> windows;  // front to back
  Desktop::WindowId nextWindow = 0x10000;
  std::list<Hook> hooks;  // the most recent first
  uintptr_t nextHook = 1;
  bool refuseHooks = false;
  std::map<uint32_t, bool> keysDown;
  std::map<std::u16string, NamedMutex> mutexes;
  std::list<std::unique_ptr<MutexHandle>> mutexHandles;
};

State& state() {
  static State desktop;
  return desktop;
}

constexpr uint32_t kLeftShift = 160, kLeftControl = 162, kLeftMenu = 164;

// The generic modifier keys and the left-hand keys that the keyboard reports for them.
uint32_t reportedKey(uint32_t virtualKey) {
  switch (virtualKey) {
    case 16:
      return kLeftShift;
    case 17:
      return kLeftControl;
    case 18:
      return kLeftMenu;
    default:
      return virtualKey;
  }
}

bool isDown(uint32_t virtualKey) {
  const auto found = state().keysDown.find(virtualKey);
  return found != state().keysDown.end() && found->second;
}

Window* findWindow(uintptr_t id) {
  for (Window& window : state().windows) {
    if (window.id == id) return &window;
  }
  return nullptr;
}

int32_t copyOut(const std::u16string& text, char16_t* buffer, int32_t units) {
  if (buffer == nullptr || units <= 0) return 0;
  const auto length = static_cast<int32_t>(std::min<size_t>(text.size(), size_t(units - 1)));
  std::copy_n(text.data(), length, buffer);
  buffer[length] = 0;
  return length;
}

intptr_t callHooksFrom(std::list<Hook>::const_iterator from, int code, uintptr_t message,
                       intptr_t record) {
  if (from == state().hooks.end()) return 0;
  const QuiboDesktopHookProcedure procedure = from->procedure;
  return procedure(code, message, record);
}

// The desktop interface's entries.

void enumerateWindows(QuiboDesktopWindowVisitor visitor, void* context) {
  std::vector<uintptr_t> ids;
  for (const Window& window : state().windows) ids.push_back(window.id);
  for (uintptr_t id : ids) {
    if (visitor(id, context) == 0) return;
  }
}

int32_t windowTitle(uintptr_t id, char16_t* buffer, int32_t units) {
  const Window* window = findWindow(id);
  return window == nullptr ? copyOut(u"", buffer, units) : copyOut(window->title, buffer, units);
}

int32_t windowClass(uintptr_t id, char16_t* buffer, int32_t units) {
  const Window* window = findWindow(id);
  return window == nullptr ? copyOut(u"", buffer, units)
                           : copyOut(window->className, buffer, units);
}

uintptr_t foregroundWindow() { return state().windows.empty() ? 0 : state().windows.front().id; }

void* setKeyboardHook(QuiboDesktopHookProcedure procedure) {
  if (state().refuseHooks || procedure == nullptr) return nullptr;
  const uintptr_t id = state().nextHook++;
  state().hooks.push_front(Hook{id, procedure});
  return reinterpret_cast<void*>(id);
}

int32_t removeKeyboardHook(void* hook) {
  const auto id = reinterpret_cast<uintptr_t>(hook);
  const auto found = std::find_if(state().hooks.begin(), state().hooks.end(),
                                  [&](const Hook& entry) { return entry.id == id; });
  if (found == state().hooks.end()) return 0;
  state().hooks.erase(found);
  return 1;
}

intptr_t callNextHook(void* hook, int code, uintptr_t message, intptr_t record) {
  const auto id = reinterpret_cast<uintptr_t>(hook);
  auto found = std::find_if(state().hooks.cbegin(), state().hooks.cend(),
                            [&](const Hook& entry) { return entry.id == id; });
  if (found == state().hooks.cend()) return 0;
  return callHooksFrom(std::next(found), code, message, record);
}

int16_t asyncKeyState(int32_t virtualKey) {
  const auto key = static_cast<uint32_t>(virtualKey);
  bool down = isDown(key);
  if (key >= 16 && key <= 18)
    down = down || isDown(reportedKey(key)) || isDown(reportedKey(key) + 1);
  return down ? static_cast<int16_t>(0x8000) : 0;
}

// The characters of the US layout's keys, unshifted, letters in upper case.
uint32_t characterOfVirtualKey(uint32_t virtualKey) {
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
    return virtualKey;
  }
  switch (virtualKey) {
    case 8:
      return 8;
    case 9:
      return 9;
    case 13:
      return 13;
    case 27:
      return 27;
    case 32:
      return ' ';
    case 0xBA:
      return ';';
    case 0xBB:
      return '=';
    case 0xBC:
      return ',';
    case 0xBD:
      return '-';
    case 0xBE:
      return '.';
    case 0xBF:
      return '/';
    case 0xC0:
      return '`';
    case 0xDB:
      return '[';
    case 0xDC:
      return '\\';
    case 0xDD:
      return ']';
    case 0xDE:
      return '\'';
    default:
      return 0;
  }
}

void* createMutex(const char16_t* name) {
  if (name == nullptr) return nullptr;
  state().mutexes.try_emplace(name);
  state().mutexHandles.push_back(std::make_unique<MutexHandle>(MutexHandle{name}));
  return state().mutexHandles.back().get();
}

NamedMutex* mutexOf(void* handle) {
  for (const auto& open : state().mutexHandles) {
    if (open.get() == handle) return &state().mutexes[open->name];
  }
  return nullptr;
}

int32_t waitForMutex(void* handle, uint32_t /*milliseconds*/) {
  NamedMutex* mutex = mutexOf(handle);
  if (mutex == nullptr) return -1;
  // The other process never lets go while this one waits.
  if (mutex->heldElsewhere) return 1;
  ++mutex->ownCount;
  return 0;
}

void releaseMutex(void* handle) {
  NamedMutex* mutex = mutexOf(handle);
  if (mutex != nullptr && mutex->ownCount > 0) --mutex->ownCount;
}

void closeMutex(void* handle) {
  state().mutexHandles.remove_if(
      [&](const std::unique_ptr<MutexHandle>& open) { return open.get() == handle; });
}

const QuiboDesktopInterface kInterface = {
    sizeof(QuiboDesktopInterface),
    enumerateWindows,
    windowTitle,
    windowClass,
    foregroundWindow,
    setKeyboardHook,
    removeKeyboardHook,
    callNextHook,
    asyncKeyState,
    characterOfVirtualKey,
    createMutex,
    waitForMutex,
    releaseMutex,
    closeMutex,
};

struct NamedKey {
  std::u16string_view name;
  uint32_t virtualKey;
};

constexpr std::array<NamedKey, 37> kNamedKeys{{
    {u"shift", 16},    {u"ctrl", 17},        {u"alt", 18},   {u"super", 93},    {u"F1", 112},
    {u"F2", 113},      {u"F3", 114},         {u"F4", 115},   {u"F5", 116},      {u"F6", 117},
    {u"F7", 118},      {u"F8", 119},         {u"F9", 120},   {u"F10", 121},     {u"F11", 122},
    {u"F12", 123},     {u"F13", 124},        {u"enter", 13}, {u"esc", 27},      {u"pageup", 33},
    {u"pagedown", 34}, {u"up", 38},          {u"down", 40},  {u"left", 37},     {u"right", 39},
    {u"delete", 46},   {u"backspace", 8},    {u"space", 32}, {u"tab", 9},       {u"home", 36},
    {u"end", 35},      {u"insert", 45},      {u"win", 91},   {u"capslock", 20}, {u"numlock", 144},
    {u"pause", 19},    {u"printscreen", 44},
}};

}  // namespace

Desktop::WindowId Desktop::openWindow(const std::u16string& title, std::u16string_view className) {
  const WindowId id = state().nextWindow++;
  state().windows.insert(state().windows.begin(), Window{id, title, std::u16string(className)});
  return id;
}

void Desktop::closeWindow(WindowId window) {
  std::erase_if(state().windows, [&](const Window& open) { return open.id == window; });
}

void Desktop::bringToFront(WindowId window) {
  auto& windows = state().windows;
  const auto found =
      std::find_if(windows.begin(), windows.end(), [&](const Window& w) { return w.id == window; });
  if (found != windows.end()) std::rotate(windows.begin(), found, found + 1);
}

Desktop::WindowId Desktop::frontFileMakerWindow() {
  for (const Window& window : state().windows) {
    if (window.className == kFileMakerWindowClass) {
      bringToFront(window.id);
      return window.id;
    }
  }
  return openWindow(u"Untitled", kFileMakerWindowClass);
}

std::vector<Desktop::WindowId> Desktop::windows() {
  std::vector<WindowId> ids;
  for (const Window& window : state().windows) ids.push_back(window.id);
  return ids;
}

void Desktop::closeAllWindows() { state().windows.clear(); }

bool Desktop::sendKeyEvent(uint32_t virtualKey, bool down) {
  QuiboDesktopKeyEvent event{reportedKey(virtualKey), 0};
  const bool alt = isDown(kLeftMenu) && virtualKey != 18;
  const uintptr_t message = down ? (alt ? kQuiboDesktopSysKeyDown : kQuiboDesktopKeyDown)
                                 : (alt ? kQuiboDesktopSysKeyUp : kQuiboDesktopKeyUp);
  const intptr_t answer =
      callHooksFrom(state().hooks.cbegin(), 0, message, reinterpret_cast<intptr_t>(&event));
  // As on Windows, the key's state changes after the low-level hooks have seen its event.
  state().keysDown[event.virtualKey] = down;
  return answer == 0;
}

size_t Desktop::pressCombination(const std::vector<uint32_t>& keys) {
  size_t delivered = 0;
  for (uint32_t key : keys) delivered += sendKeyEvent(key, true) ? 1 : 0;
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    delivered += sendKeyEvent(*key, false) ? 1 : 0;
  }
  return delivered;
}

std::optional<uint32_t> Desktop::virtualKeyNamed(std::u16string_view word) {
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == word) return key.virtualKey;
  }
  if (word.size() != 1) return std::nullopt;
  char16_t unit = word[0];
  if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  for (uint32_t virtualKey = 0; virtualKey < 256; ++virtualKey) {
    if (characterOfVirtualKey(virtualKey) == unit && unit > ' ') return virtualKey;
  }
  return std::nullopt;
}

size_t Desktop::hookCount() { return state().hooks.size(); }

size_t Desktop::openMutexHandles() { return state().mutexHandles.size(); }

void Desktop::holdMutexElsewhere(const std::u16string& name, bool held) {
  state().mutexes[name].heldElsewhere = held;
}

void Desktop::refuseHooks(bool refuse) { state().refuseHooks = refuse; }

void Desktop::reset() {
  state().windows.clear();
  state().keysDown.clear();
  state().refuseHooks = false;
  for (auto& [name, mutex] : state().mutexes) mutex.heldElsewhere = false;
}

}  // namespace standin

extern "C" const QuiboDesktopInterface* QuiboDesktop_Interface() { return &standin::kInterface; }

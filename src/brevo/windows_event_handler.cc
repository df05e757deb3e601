#include "brevo/windows_event_handler.h"

#include <string_view>

#include "platform/keyboard.h"
#include "vesk/exception.h"
#include "vesk/library_parameters.h"
#include "vesk/number.h"

namespace brevo {

namespace keyboard = platform::keyboard;

namespace {

constexpr int32_t kCannotListen = 2400;
constexpr char16_t kMutexName[] = u"Global\\KeybMtx";
constexpr std::u16string_view kFileMakerWindowClass = u"FMPRO";
constexpr size_t kClassNameUnits = 100;
constexpr uint32_t kMutexWaitMilliseconds = 7;

std::shared_ptr<EventHandler> eventSource;
WindowsEventHandler* currentEventHandler = nullptr;
keyboard::HookHandle keyboardHook = nullptr;
keyboard::MutexHandle keyboardMutex = nullptr;
void* moduleInstance = nullptr;
KeyEventFailureReporter failureReporter = nullptr;

// Modifier keys and the codes they add to a pressed combination.
struct Modifier {
  uint32_t virtualKey;
  uint32_t code;
};
constexpr Modifier kModifiers[] = {
    {keyboard::kShift, kFirstNamedKeyCode + 0},
    {keyboard::kControl, kFirstNamedKeyCode + 1},
    {keyboard::kMenu, kFirstNamedKeyCode + 2},
    {keyboard::kApplications, kFirstNamedKeyCode + 3},
};

void* instanceFromLibraryParameters() {
  try {
    auto handle =
        std::dynamic_pointer_cast<vesk::Number>(vesk::getGlobalLibraryParameter("h-instance"));
    return handle ? handle->toPointer() : nullptr;
  } catch (const vesk::Exception&) {
    return nullptr;  // not initialised by a host: the hook is set without a module
  }
}

void startKeyboardHook() {
  if (keyboardHook != nullptr) return;
  if (moduleInstance == nullptr) moduleInstance = instanceFromLibraryParameters();
  if (keyboardMutex == nullptr) keyboardMutex = keyboard::createNamedMutex(kMutexName);
  keyboardHook = keyboard::installHook(keyboardHookProc, moduleInstance);
  if (keyboardHook == nullptr) vesk::fail(kCannotListen, "Cannot listen to keyboard events");
}

void unhook() {
  if (keyboardHook != nullptr && keyboard::removeHook(keyboardHook)) keyboardHook = nullptr;
}

void closeKeyboardMutex() {
  if (keyboardMutex == nullptr) return;
  keyboard::releaseMutex(keyboardMutex);
  keyboard::closeMutex(keyboardMutex);
  keyboardMutex = nullptr;
}

// Holds the keyboard mutex, if there is one, for the handling of one key.
class KeyboardMutexHold {
 public:
  explicit KeyboardMutexHold(uint32_t milliseconds) {
    if (keyboardMutex == nullptr) return;
    const keyboard::MutexWait wait = keyboard::waitForMutex(keyboardMutex, milliseconds);
    timedOut_ = wait == keyboard::MutexWait::TimedOut;
    held_ = wait == keyboard::MutexWait::Acquired;
  }
  ~KeyboardMutexHold() {
    if (held_) keyboard::releaseMutex(keyboardMutex);
  }
  KeyboardMutexHold(const KeyboardMutexHold&) = delete;
  KeyboardMutexHold& operator=(const KeyboardMutexHold&) = delete;
  // Another process is handling a key.
  bool timedOut() const { return timedOut_; }

 private:
  bool held_ = false;
  bool timedOut_ = false;
};

// The pressed combination: the key's own code, if it has one, and the modifiers held down.
KeyDescriptor pressedCombination(uint32_t virtualKey) {
  KeyDescriptor pressed;
  if (auto named = namedKeyCodeOf(virtualKey)) {
    pressed.codes.insert(*named);
  } else if (uint32_t character = keyboard::characterOfVirtualKey(virtualKey); character != 0) {
    if (character >= 'A' && character <= 'Z') character += 'a' - 'A';
    pressed.codes.insert(character);
  }
  for (const Modifier& modifier : kModifiers) {
    if (keyboard::isKeyDown(modifier.virtualKey)) pressed.codes.insert(modifier.code);
  }
  return pressed;
}

void reportFailure(std::exception_ptr failure) noexcept {
  if (failureReporter == nullptr) return;
  try {
    failureReporter(std::move(failure));
  } catch (...) {
    // Recording gave out too; the key press still goes on untouched.
  }
}

}  // namespace

std::shared_ptr<EventHandler>& keyboardEventSource() { return eventSource; }

bool keyboardHooked() { return keyboardHook != nullptr; }

void setKeyEventFailureReporter(KeyEventFailureReporter reporter) { failureReporter = reporter; }

WindowsEventHandler::~WindowsEventHandler() {
  unhook();
  closeKeyboardMutex();
  if (currentEventHandler == this) currentEventHandler = nullptr;
}

void WindowsEventHandler::listen(const KeyDescriptor& key) {
  if (currentEventHandler == nullptr) {
    currentEventHandler = this;
    startKeyboardHook();
  }
  listenedKeys_.insert(key);
}

void WindowsEventHandler::stopListening(const KeyDescriptor& key) {
  listenedKeys_.erase(key);
  if (!listenedKeys_.empty()) return;
  unhook();
  closeKeyboardMutex();
  if (currentEventHandler == this) currentEventHandler = nullptr;
}

intptr_t keyboardHookProc(int code, uintptr_t message, intptr_t eventRecord) noexcept {
  if (code < 0) return keyboard::callNextHook(keyboardHook, code, message, eventRecord);
  // The event goes on first and the chain's answer is ours on every path: no key is swallowed.
  const intptr_t result = keyboard::callNextHook(keyboardHook, code, message, eventRecord);
  if (code != keyboard::kAction) return result;
  {
    const KeyboardMutexHold probe(0);
    if (probe.timedOut()) return result;
  }
  try {
    handleKeyDown(message, eventRecord);
  } catch (...) {
    reportFailure(std::current_exception());
  }
  return result;
}

void handleKeyDown(uintptr_t message, intptr_t eventRecord) {
  const KeyboardMutexHold hold(kMutexWaitMilliseconds);
  if (hold.timedOut()) return;
  if (message != keyboard::kKeyDown && message != keyboard::kSysKeyDown) return;
  const std::u16string windowClass = keyboard::foregroundWindowClass(kClassNameUnits);
  if (windowClass.compare(0, kFileMakerWindowClass.size(), kFileMakerWindowClass) != 0) return;
  const KeyDescriptor pressed = pressedCombination(keyboard::virtualKeyOf(eventRecord));
  if (currentEventHandler != nullptr && currentEventHandler->delegate() != nullptr) {
    currentEventHandler->delegate()->handleEvent(pressed);
  }
}

}  // namespace brevo

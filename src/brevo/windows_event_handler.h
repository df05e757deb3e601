// Key events from the desktop's low-level keyboard hook. The hook is installed with the first
// listened combination and removed with the last; while it is installed, every key that goes down
// with a FileMaker window in front is reported to the current handler's delegate.
//
// Everything here runs on the host's main thread: the hook procedure is called on the thread that
// installed it, while that thread waits for messages. The named mutex "Global\KeybMtx" is the only
// coordination between processes.
#ifndef BREVO_WINDOWS_EVENT_HANDLER_H_
#define BREVO_WINDOWS_EVENT_HANDLER_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <set>

#include "brevo/event_handler.h"

namespace brevo {

class WindowsEventHandler : public EventHandler {
 public:
  using EventHandler::EventHandler;
  ~WindowsEventHandler() override;

  // Throws vesk::Exception (2400, "Cannot listen to keyboard events") when the hook cannot be
  // installed; the handler then stays current and does not try again until it stops listening
  // to everything.
  void listen(const KeyDescriptor& key) override;
  void stopListening(const KeyDescriptor& key) override;

  const std::set<KeyDescriptor>& listenedKeys() const { return listenedKeys_; }

 private:
  std::set<KeyDescriptor> listenedKeys_;
};

// The handler made for the scheduler while it has shortcuts; empty while it has none.
std::shared_ptr<EventHandler>& keyboardEventSource();

// True while the keyboard hook is installed.
bool keyboardHooked();

// Failures of what a key press starts cannot leave the hook procedure; they are handed here,
// from inside the procedure. Without a reporter they are dropped.
using KeyEventFailureReporter = void (*)(std::exception_ptr failure);
void setKeyEventFailureReporter(KeyEventFailureReporter reporter);

// The hook procedure and its key-down handling, open to tests that play the system's part.
intptr_t keyboardHookProc(int code, uintptr_t message, intptr_t eventRecord) noexcept;
void handleKeyDown(uintptr_t message, intptr_t eventRecord);

}  // namespace brevo

#endif  // BREVO_WINDOWS_EVENT_HANDLER_H_

// A source of key events: it listens for key combinations and reports each pressed one to its
// delegate.
#ifndef BREVO_EVENT_HANDLER_H_
#define BREVO_EVENT_HANDLER_H_

#include "brevo/event_handler_delegate.h"
#include "brevo/key_descriptor.h"

namespace brevo {

class EventHandler {
 public:
  explicit EventHandler(EventHandlerDelegate* delegate) : delegate_(delegate) {}
  virtual ~EventHandler() = default;
  EventHandler(const EventHandler&) = delete;
  EventHandler& operator=(const EventHandler&) = delete;

  virtual void listen(const KeyDescriptor& key) = 0;
  virtual void stopListening(const KeyDescriptor& key) = 0;

  EventHandlerDelegate* delegate() const { return delegate_; }

 private:
  EventHandlerDelegate* delegate_;  // not owned: the scheduler, which outlives its handler
};

}  // namespace brevo

#endif  // BREVO_EVENT_HANDLER_H_

// What receives the key presses of the keyboard shortcuts.
#ifndef BREVO_EVENT_HANDLER_DELEGATE_H_
#define BREVO_EVENT_HANDLER_DELEGATE_H_

namespace brevo {

struct KeyDescriptor;

class EventHandlerDelegate {
 public:
  virtual void handleEvent(const KeyDescriptor& key) = 0;
  virtual ~EventHandlerDelegate() = default;
};

}  // namespace brevo

#endif  // BREVO_EVENT_HANDLER_DELEGATE_H_

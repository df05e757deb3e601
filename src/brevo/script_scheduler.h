// The queue of scripts to run later: FileMaker scripts asked for by Quibo_DoFileMakerScript and
// the plug-in's own repeating jobs. The host's idle messages drive it.
#ifndef BREVO_SCRIPT_SCHEDULER_H_
#define BREVO_SCRIPT_SCHEDULER_H_

#include <cstdint>
#include <limits>
#include <list>
#include <memory>

#include "brevo/event_handler_delegate.h"
#include "brevo/key_descriptor.h"
#include "fm/api.h"
#include "vesk/script.h"

namespace brevo {

class ScriptScheduler : public EventHandlerDelegate {
 public:
  using Id = uint32_t;

  // The one scheduler, made on first use.
  static std::shared_ptr<ScriptScheduler> instance();

  Id scheduleNow(std::shared_ptr<vesk::Script> script);
  Id scheduleAt(std::shared_ptr<vesk::Script> script, const FM_DateTime* timestamp);
  Id scheduleAfter(std::shared_ptr<vesk::Script> script, const FM_FixPt* delay);
  Id scheduleRepeating(std::shared_ptr<vesk::Script> script, const FM_FixPt* interval);
  // The entry runs once more when due, and is then removed.
  void stopRepeating(Id id);

  // The idle tick: runs every due entry in list order; a repeating entry that fell behind runs
  // once for each interval passed. A run that throws ends the tick, its entry advanced or removed
  // as after any run, and the exception leaves. A tick with nothing due costs the same however
  // many entries wait.
  void runDue();

  size_t pendingCount() const { return pending_.size(); }

  // Keyboard shortcuts. Adding never replaces: a combination bound twice starts both scripts.
  // The first shortcut makes the keyboard event source and the last one removed releases it.
  // Both throw vesk::Exception for a key text that names no combination; adding also throws when
  // the keyboard cannot be listened to, and the shortcut then stays in the list.
  void addShortcut(const vesk::String& keyText, std::shared_ptr<vesk::Script> script);
  void removeShortcut(const vesk::String& keyText);
  void removeAllShortcuts();
  size_t shortcutCount() const { return shortcuts_.size(); }

  // A pressed combination: runs the script of every shortcut bound to it, in list order. Each
  // runs even when one before it fails; the first failure leaves after the walk.
  void handleEvent(const KeyDescriptor& key) override;

  // Seconds since the host's epoch, from FM_DateTime_Now, and of a host date-time.
  static double now();
  static double secondsOf(const FM_DateTime* dateTime);

  ScriptScheduler() = default;

 private:
  struct PendingScript {
    double runAt;
    std::shared_ptr<vesk::Script> script;
    double interval;  // not above 0: one-shot
    Id id;
  };

  Id append(std::shared_ptr<vesk::Script> script, double runAt, double interval);

  std::list<PendingScript> pending_;
  std::list<ScriptShortcut> shortcuts_;
  Id nextPendingId_ = 0;
  // No entry is due before this: a tick that comes earlier returns without walking the list.
  double earliestRunAt_ = std::numeric_limits<double>::infinity();
};

}  // namespace brevo

#endif  // BREVO_SCRIPT_SCHEDULER_H_

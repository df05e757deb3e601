// The queue of scripts to run later: FileMaker scripts asked for by Quibo_DoFileMakerScript and
// the plug-in's own repeating jobs. The host's idle messages drive it.
#ifndef BREVO_SCRIPT_SCHEDULER_H_
#define BREVO_SCRIPT_SCHEDULER_H_

#include <cstdint>
#include <limits>
#include <list>
#include <memory>

#include "brevo/event_handler_delegate.h"
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

  // Keyboard shortcuts come with their own build; the scheduler ignores key presses until then.
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
  Id nextPendingId_ = 0;
  // No entry is due before this: a tick that comes earlier returns without walking the list.
  double earliestRunAt_ = std::numeric_limits<double>::infinity();
};

}  // namespace brevo

#endif  // BREVO_SCRIPT_SCHEDULER_H_

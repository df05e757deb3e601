#include "brevo/script_scheduler.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "brevo/windows_event_handler.h"
#include "fm/objects.h"

namespace brevo {

namespace {

constexpr double kOneShot = -1.0;

// now + `amount`, added as the host's fixed-point numbers.
double nowPlus(const FM_FixPt* amount) {
  fm::DateTime now;
  fm::checked([&](FM_ErrorRecord* e) { FM_DateTime_Now(now, e); });
  fm::FixPt seconds;
  fm::checked([&](FM_ErrorRecord* e) { FM_DateTime_GetSecondsSinceEpoch(now, seconds, e); });
  fm::FixPt sum;
  fm::checked([&](FM_ErrorRecord* e) { FM_FixPt_Add(seconds, amount, sum, e); });
  return fm::asFloat(sum);
}

}  // namespace

std::shared_ptr<ScriptScheduler> ScriptScheduler::instance() {
  static const std::shared_ptr<ScriptScheduler> scheduler = std::make_shared<ScriptScheduler>();
  return scheduler;
}

double ScriptScheduler::secondsOf(const FM_DateTime* dateTime) {
  fm::FixPt seconds;
  fm::checked([&](FM_ErrorRecord* e) { FM_DateTime_GetSecondsSinceEpoch(dateTime, seconds, e); });
  return fm::asFloat(seconds);
}

double ScriptScheduler::now() {
  fm::DateTime now;
  fm::checked([&](FM_ErrorRecord* e) { FM_DateTime_Now(now, e); });
  return secondsOf(now);
}

ScriptScheduler::Id ScriptScheduler::append(std::shared_ptr<vesk::Script> script, double runAt,
                                            double interval) {
  if (pending_.size() == pending_.max_size()) throw std::length_error("list<T> too long");
  const Id id = nextPendingId_;
  pending_.push_back(PendingScript{runAt, std::move(script), interval, id});
  ++nextPendingId_;
  earliestRunAt_ = std::min(earliestRunAt_, runAt);
  return id;
}

ScriptScheduler::Id ScriptScheduler::scheduleNow(std::shared_ptr<vesk::Script> script) {
  return append(std::move(script), now(), kOneShot);
}

ScriptScheduler::Id ScriptScheduler::scheduleAt(std::shared_ptr<vesk::Script> script,
                                                const FM_DateTime* timestamp) {
  return append(std::move(script), secondsOf(timestamp), kOneShot);
}

ScriptScheduler::Id ScriptScheduler::scheduleAfter(std::shared_ptr<vesk::Script> script,
                                                   const FM_FixPt* delay) {
  return append(std::move(script), nowPlus(delay), kOneShot);
}

ScriptScheduler::Id ScriptScheduler::scheduleRepeating(std::shared_ptr<vesk::Script> script,
                                                       const FM_FixPt* interval) {
  const double runAt = nowPlus(interval);
  return append(std::move(script), runAt, fm::asFloat(interval));
}

void ScriptScheduler::stopRepeating(Id id) {
  for (PendingScript& entry : pending_) {
    if (entry.id == id) entry.interval = kOneShot;
  }
}

void ScriptScheduler::runDue() {
  if (pending_.empty()) return;
  const double current = now();
  if (current < earliestRunAt_) return;

  // The walk finds the new earliest time of the entries it passes; should a run throw, the
  // entries after it are still unseen, so the earliest time is then the lowest possible.
  double earliest = std::numeric_limits<double>::infinity();
  for (auto entry = pending_.begin(); entry != pending_.end();) {
    if (current < entry->runAt) {
      earliest = std::min(earliest, entry->runAt);
      ++entry;
      continue;
    }
    std::shared_ptr<vesk::String> result;
    try {
      entry->script->run(result);
    } catch (...) {
      if (entry->interval > 0) {
        entry->runAt += entry->interval;
      } else {
        pending_.erase(entry);
      }
      earliestRunAt_ = -std::numeric_limits<double>::infinity();
      throw;
    }
    if (entry->interval > 0) {
      entry->runAt += entry->interval;  // and the same entry is examined again
    } else {
      entry = pending_.erase(entry);
    }
  }
  earliestRunAt_ = earliest;
}

void ScriptScheduler::addShortcut(const vesk::String& keyText,
                                  std::shared_ptr<vesk::Script> script) {
  KeyDescriptor key = parseKeyDescriptor(keyText);
  shortcuts_.push_back(ScriptShortcut{key, std::move(script)});
  std::shared_ptr<EventHandler>& source = keyboardEventSource();
  if (!source) source = std::make_shared<WindowsEventHandler>(this);
  source->listen(key);
}

void ScriptScheduler::removeShortcut(const vesk::String& keyText) {
  const KeyDescriptor key = parseKeyDescriptor(keyText);
  std::shared_ptr<EventHandler>& source = keyboardEventSource();
  if (source) source->stopListening(key);
  shortcuts_.remove_if([&](const ScriptShortcut& shortcut) { return shortcut.key == key; });
  if (shortcuts_.empty()) source.reset();
}

void ScriptScheduler::removeAllShortcuts() {
  shortcuts_.clear();
  keyboardEventSource().reset();
}

void ScriptScheduler::handleEvent(const KeyDescriptor& key) {
  std::exception_ptr firstFailure;
  // A script may change the shortcuts while it runs; walk a copy of the matching ones.
  std::vector<std::shared_ptr<vesk::Script>> matching;
  for (const ScriptShortcut& shortcut : shortcuts_) {
    if (shortcut.key == key) matching.push_back(shortcut.script);
  }
  for (const auto& script : matching) {
    try {
      std::shared_ptr<vesk::String> answer;
      script->run(answer);
    } catch (...) {
      if (!firstFailure) firstFailure = std::current_exception();
    }
  }
  if (firstFailure) std::rethrow_exception(firstFailure);
}

}  // namespace brevo

// The named values that Quibo_SetGlobal and Quibo_GetGlobal keep for all open files, and the
// cleaner that removes the die-on-close ones of files that were closed.
#ifndef QBX_GLOBAL_VALUE_STORE_H_
#define QBX_GLOBAL_VALUE_STORE_H_

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "brevo/script_scheduler.h"
#include "fm/objects.h"
#include "vesk/script.h"

namespace qbx {

// One stored value: a host data object of its own.
class Value {
 public:
  const FM_Data* data() const { return data_; }
  FM_Data* data() { return data_; }

 private:
  fm::Data data_;
};

// Runs through the scheduler while die-on-close values exist, and removes those of closed files.
class CleanerScript : public vesk::Script {
 public:
  CleanerScript() : vesk::Script(nullptr) {}
  void runWithErrorOutput(std::shared_ptr<vesk::String>& result,
                          std::shared_ptr<vesk::String>& errorOutput) override;
};

class GlobalValueStore {
 public:
  // Keys are the key text's UTF-16 units, exact and case-sensitive.
  using Key = std::u16string;

  static GlobalValueStore& instance();

  void setValue(std::u16string_view key, const FM_Data* value);
  // Stores the value bound to the file of `environment`, once bound staying bound to that file.
  void setValueDieOnClose(const FM_ExprEnv* environment, std::u16string_view key,
                          const FM_Data* value);
  // Copies the value into `result`; leaves it alone when the key has none.
  void getValue(std::u16string_view key, FM_Data* result) const;
  void removeValue(std::u16string_view key);
  void clear();
  // Removes the die-on-close values whose files are no longer open.
  void removeClosedFiles(const FM_ExprEnv* environment);

  size_t size() const { return values_.size(); }
  bool hasCleaner() const { return cleaner_ != nullptr; }

 private:
  // Ordered unit by unit; looked up by views, so that a look-up copies no key.
  using DieOnCloseFiles = std::map<Key, std::u16string, std::less<>>;
  void storeValue(std::u16string_view key, const FM_Data* value);
  DieOnCloseFiles::iterator dropDieOnCloseEntry(DieOnCloseFiles::iterator entry);

  std::map<Key, std::shared_ptr<Value>, std::less<>> values_;
  DieOnCloseFiles dieOnCloseFiles_;
  std::shared_ptr<CleanerScript> cleaner_;
  brevo::ScriptScheduler::Id cleanerId_ = 0;
};

}  // namespace qbx

#endif  // QBX_GLOBAL_VALUE_STORE_H_

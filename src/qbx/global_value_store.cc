#include "qbx/global_value_store.h"

#include <optional>
#include <string_view>

#include "brevo/current_call.h"
#include "brevo/data_copy.h"
#include "qbx/plugin_settings.h"

namespace qbx {

namespace {

constexpr char16_t kReturn = u'\r';

// The text of a calculation evaluated in `environment`, or nothing when it fails.
std::optional<std::u16string> evaluatedText(const FM_ExprEnv* environment,
                                            std::string_view calculation) {
  fm::Text text(calculation);
  fm::Data result;
  const int16_t code = fm::checked(
      [&](FM_ErrorRecord* e) { return FM_ExprEnv_Evaluate(environment, text, result, e); });
  if (code != 0) return std::nullopt;
  return fm::units(fm::asText(result));
}

}  // namespace

GlobalValueStore& GlobalValueStore::instance() {
  static GlobalValueStore store;
  return store;
}

void GlobalValueStore::storeValue(std::u16string_view key, const FM_Data* value) {
  // One descent of the tree finds the value or the place for it.
  const auto place = values_.lower_bound(key);
  if (place != values_.end() && place->first == key) {
    brevo::copyData(value, place->second->data());
    return;
  }
  auto stored = std::make_shared<Value>();
  brevo::copyData(value, stored->data());
  values_.emplace_hint(place, Key(key), std::move(stored));
}

void GlobalValueStore::setValue(std::u16string_view key, const FM_Data* value) {
  storeValue(key, value);
  // A plain store makes a die-on-close value permanent.
  if (auto entry = dieOnCloseFiles_.find(key); entry != dieOnCloseFiles_.end()) {
    dropDieOnCloseEntry(entry);
  }
}

void GlobalValueStore::setValueDieOnClose(const FM_ExprEnv* environment, std::u16string_view key,
                                          const FM_Data* value) {
  storeValue(key, value);
  if (!dieOnCloseFiles_.contains(key)) {
    if (auto fileName = evaluatedText(environment, "Get( FileName )")) {
      dieOnCloseFiles_.emplace(Key(key), std::move(*fileName));
    }
  }
  if (cleaner_ == nullptr) {
    auto cleaner = std::make_shared<CleanerScript>();
    fm::FixPt interval;
    interval.assign(globalDieInterval());
    cleanerId_ = brevo::ScriptScheduler::instance()->scheduleRepeating(cleaner, interval);
    cleaner_ = std::move(cleaner);
  }
}

void GlobalValueStore::getValue(std::u16string_view key, FM_Data* result) const {
  const auto found = values_.find(key);
  if (found != values_.end()) brevo::copyData(found->second->data(), result);
}

void GlobalValueStore::removeValue(std::u16string_view key) {
  if (auto found = values_.find(key); found != values_.end()) values_.erase(found);
  if (auto entry = dieOnCloseFiles_.find(key); entry != dieOnCloseFiles_.end()) {
    dropDieOnCloseEntry(entry);
  }
}

// The cleaner keeps running, with nothing to do, until a removal empties the table again.
void GlobalValueStore::clear() {
  values_.clear();
  dieOnCloseFiles_.clear();
}

GlobalValueStore::DieOnCloseFiles::iterator GlobalValueStore::dropDieOnCloseEntry(
    DieOnCloseFiles::iterator entry) {
  auto next = dieOnCloseFiles_.erase(entry);
  if (dieOnCloseFiles_.empty() && cleaner_ != nullptr) {
    brevo::ScriptScheduler::instance()->stopRepeating(cleanerId_);
    cleaner_.reset();
  }
  return next;
}

void GlobalValueStore::removeClosedFiles(const FM_ExprEnv* environment) {
  const auto names = evaluatedText(environment, "DatabaseNames");
  if (!names) return;
  const std::u16string openFiles = kReturn + *names + kReturn;
  for (auto entry = dieOnCloseFiles_.begin(); entry != dieOnCloseFiles_.end();) {
    // Whole names, case and all: "Sales" is not open when only "Sales 2" is.
    if (openFiles.find(kReturn + entry->second + kReturn) != std::u16string::npos) {
      ++entry;
      continue;
    }
    if (auto value = values_.find(entry->first); value != values_.end()) values_.erase(value);
    entry = dropDieOnCloseEntry(entry);
  }
}

void CleanerScript::runWithErrorOutput(std::shared_ptr<vesk::String>& result,
                                       std::shared_ptr<vesk::String>& errorOutput) {
  errorOutput.reset();
  fm::ExprEnv environment;
  const FM_ExternCallStruct* record = brevo::currentCall();
  if (record != nullptr && record->currentEnv != nullptr) record->currentEnv(environment);
  GlobalValueStore::instance().removeClosedFiles(environment);
  result = std::make_shared<vesk::String>();
}

}  // namespace qbx

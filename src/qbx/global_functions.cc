// Quibo_SetGlobal and Quibo_GetGlobal: named values shared by all open files.
#include "brevo/data_copy.h"
#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/global_value_store.h"
#include "qbx/last_error.h"
#include "vesk/exception.h"

namespace qbx {

namespace {

// The key of a call, read into storage that the next call reuses.
const GlobalValueStore::Key& keyAt(const FM_DataVect* parameters) {
  static GlobalValueStore::Key key;
  fm::unitsInto(fm::textAt(parameters, 0), key);
  return key;
}

bool isEmptyText(const FM_Data* value) {
  return fm::nativeType(value) == FM_TYPE_TEXT && fm::size(fm::asText(value)) == 0;
}

bool isDieOnClose(const FM_Text* option) {
  fm::Text lowered;
  lowered.append(option);
  lowered.lowercase();
  fm::Text dieOnClose("dieonclose");
  return fm::equal(lowered, dieOnClose);
}

void setGlobal(const FM_ExprEnv* environment, const FM_DataVect* parameters, FM_Data* result) {
  const uint32_t count = fm::size(parameters);
  if (count < 2) vesk::fail(kBadParameter, "Key and value must be specified");
  GlobalValueStore& store = GlobalValueStore::instance();
  const GlobalValueStore::Key& key = keyAt(parameters);
  const FM_Data* value = fm::at(parameters, 1);
  if (key.empty()) return store.clear();
  if (isEmptyText(value)) return store.removeValue(key);
  if (count == 2) {
    store.setValue(key, value);
  } else {
    if (!isDieOnClose(fm::textAt(parameters, 2))) {
      vesk::fail(kBadParameter, "Unknown value of parameter moreOptions");
    }
    store.setValueDieOnClose(environment, key, value);
  }
  brevo::copyData(value, result);
}

void getGlobal(const FM_DataVect* parameters, FM_Data* result) {
  if (fm::size(parameters) == 0) vesk::fail(kBadParameter, "Key must be specified");
  const GlobalValueStore::Key& key = keyAt(parameters);
  if (key.empty()) return;
  GlobalValueStore::instance().getValue(key, result);
}

}  // namespace

int16_t Quibo_SetGlobal(int16_t, const FM_ExprEnv* environment, const FM_DataVect* parameters,
                        FM_Data* result) {
  return runInFrame(HostCode::Recorded, result, [&] {
    setGlobal(environment, parameters, result);
    return 0;
  });
}

int16_t Quibo_GetGlobal(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                        FM_Data* result) {
  return runInFrame(HostCode::Recorded, result, [&] {
    getGlobal(parameters, result);
    return 0;
  });
}

}  // namespace qbx

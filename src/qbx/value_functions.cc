// Quibo_ValueType and Quibo_GetTimestamp: what the host knows about a value, and about now.
#include <array>

#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/local_timestamp.h"

namespace qbx {

namespace {
// Indexed by native type code; 0 (no value) has no name.
constexpr std::array<const char*, 8> kTypeNames = {
    "", "Text", "Number", "Date", "Time", "Timestamp", "Container", "Boolean"};
}  // namespace

int16_t Quibo_ValueType(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                        FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    fm::Text name("");
    if (fm::size(parameters) > 0) {
      const int32_t type = fm::nativeType(fm::at(parameters, 0));
      if (type >= 0 && type < static_cast<int32_t>(kTypeNames.size())) {
        name.assign(kTypeNames[static_cast<size_t>(type)]);
      }
    }
    fm::setText(result, name);
    return 0;
  });
}

// The parameter, allowed by the registration, is never read.
int16_t Quibo_GetTimestamp(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    setLocalTimestampResult(result);
    return 0;
  });
}

}  // namespace qbx

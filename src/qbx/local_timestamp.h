// The current local date and time with its fraction of a second, as a FileMaker timestamp.
#ifndef QBX_LOCAL_TIMESTAMP_H_
#define QBX_LOCAL_TIMESTAMP_H_

#include "fm/api.h"

namespace qbx {

// Seconds since 0001-01-01 00:00:00 local time, milliseconds kept.
double localSecondsSinceYearOne();

// Sets `result` to now as a timestamp.
void setLocalTimestampResult(FM_Data* result);

}  // namespace qbx

#endif  // QBX_LOCAL_TIMESTAMP_H_

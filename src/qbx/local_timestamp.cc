#include "qbx/local_timestamp.h"

#include "fm/objects.h"
#include "platform/clock.h"

namespace qbx {

namespace {
// The platform clock counts 100-nanosecond ticks from 1601-01-01; FileMaker counts seconds from
// 0001-01-01, 584,388 days of 86,400 seconds earlier.
constexpr double kTicksPerSecond = 10000000.0;
constexpr double kSecondsFromYearOneTo1601 = 50491123200.0;
}  // namespace

double localSecondsSinceYearOne() {
  const uint64_t ticks = platform::localTimeTicksSince1601();
  return static_cast<double>(ticks) / kTicksPerSecond + kSecondsFromYearOneTo1601;
}

void setLocalTimestampResult(FM_Data* result) {
  fm::FixPt seconds;
  seconds.assign(localSecondsSinceYearOne());
  fm::DateTime timestamp;
  fm::setSecondsSinceEpoch(timestamp, seconds);
  fm::setTimestamp(result, timestamp);
}

}  // namespace qbx

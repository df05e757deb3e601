// The local clock on POSIX: the real-time clock in whole milliseconds, moved by the local UTC
// offset, counted in 100 ns ticks from 1601-01-01 as the Windows file-time epoch does.
#include <time.h>

#include "platform/clock.h"

namespace platform {
namespace {

constexpr uint64_t kSecondsFrom1601To1970 = 11644473600ull;
constexpr uint64_t kTicksPerMillisecond = 10000;
constexpr uint64_t kTicksPerSecond = 10000000;

}  // namespace

uint64_t localTimeTicksSince1601() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  time_t seconds = now.tv_sec;
  localtime_r(&seconds, &local);
  int64_t localSeconds = static_cast<int64_t>(now.tv_sec) + local.tm_gmtoff;
  uint64_t ticks = static_cast<uint64_t>(localSeconds + static_cast<int64_t>(kSecondsFrom1601To1970)) *
                   kTicksPerSecond;
  uint64_t milliseconds = static_cast<uint64_t>(now.tv_nsec) / 1000000;
  return ticks + milliseconds * kTicksPerMillisecond;
}

}  // namespace platform

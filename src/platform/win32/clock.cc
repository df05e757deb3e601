// The local clock on Win32: the system time in UTC (whole milliseconds), as a file time, moved to
// local time. File times count 100 ns ticks from 1601-01-01.
#include "platform/clock.h"

#include <windows.h>

namespace platform {

uint64_t localTimeTicksSince1601() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  FILETIME universal{};
  FILETIME local{};
  SystemTimeToFileTime(&now, &universal);
  FileTimeToLocalFileTime(&universal, &local);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = local.dwLowDateTime;
  ticks.HighPart = local.dwHighDateTime;
  return ticks.QuadPart;
}

}  // namespace platform

// File times count 100 ns ticks from 1601-01-01; the system time has whole milliseconds.
#include <windows.h>

#include "local_clock.h"

namespace standin {

double localSecondsSinceUnixEpoch() {
  constexpr double kSecondsFrom1601To1970 = 11644473600.0;
  constexpr double kTicksPerSecond = 10000000.0;
  SYSTEMTIME now{};
  GetSystemTime(&now);
  FILETIME universal{};
  FILETIME local{};
  SystemTimeToFileTime(&now, &universal);
  FileTimeToLocalFileTime(&universal, &local);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = local.dwLowDateTime;
  ticks.HighPart = local.dwHighDateTime;
  return static_cast<double>(ticks.QuadPart) / kTicksPerSecond - kSecondsFrom1601To1970;
}

}  // namespace standin

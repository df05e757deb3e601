#include <ctime>

#include "local_clock.h"

namespace standin {

double localSecondsSinceUnixEpoch() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return static_cast<double>(now.tv_sec) + static_cast<double>(local.tm_gmtoff) +
         // Whole milliseconds, as the host's clock has them.
         static_cast<double>(now.tv_nsec / 1000000) / 1000.0;  // NOLINT(bugprone-integer-division)
}

}  // namespace standin

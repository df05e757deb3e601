// The host clock: the machine's local time as seconds since 0001-01-01, moved by tests and the
// host program.
#include <ctime>

#include "standin/host.h"

namespace standin {

namespace {
// 1970-01-01 is 719,162 days after 0001-01-01.
constexpr double kUnixEpochSinceYearOne = 62135596800.0;
double offsetSeconds = 0;
bool frozen = false;
double frozenAt = 0;

double realLocalSeconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return kUnixEpochSinceYearOne + static_cast<double>(now.tv_sec) +
         static_cast<double>(local.tm_gmtoff) +
         // Whole milliseconds, as the host's clock has them.
         static_cast<double>(now.tv_nsec / 1000000) / 1000.0;  // NOLINT(bugprone-integer-division)
}
}  // namespace

double HostClock::nowSeconds() { return (frozen ? frozenAt : realLocalSeconds()) + offsetSeconds; }

void HostClock::advance(double seconds) { offsetSeconds += seconds; }

void HostClock::freezeAt(double secondsSinceEpoch) {
  frozen = true;
  frozenAt = secondsSinceEpoch;
  offsetSeconds = 0;
}

void HostClock::reset() {
  frozen = false;
  offsetSeconds = 0;
}

}  // namespace standin

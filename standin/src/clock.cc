// The host clock: the machine's local time as seconds since 0001-01-01, moved by tests and the
// host program.
#include "local_clock.h"
#include "standin/host.h"

namespace standin {

namespace {
// 1970-01-01 is 719,162 days after 0001-01-01.
constexpr double kUnixEpochSinceYearOne = 62135596800.0;
double offsetSeconds = 0;
bool frozen = false;
double frozenAt = 0;

double realLocalSeconds() { return kUnixEpochSinceYearOne + localSecondsSinceUnixEpoch(); }
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

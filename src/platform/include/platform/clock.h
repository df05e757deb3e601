// The local clock.
#ifndef PLATFORM_CLOCK_H_
#define PLATFORM_CLOCK_H_

#include <cstdint>

namespace platform {

// Now in local time, as 100-nanosecond ticks since 1601-01-01 00:00:00, in whole milliseconds.
uint64_t localTimeTicksSince1601();

}  // namespace platform

#endif  // PLATFORM_CLOCK_H_

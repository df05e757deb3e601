// The machine's local time, the one place where the stand-in host reads the system clock.
#ifndef STANDIN_LOCAL_CLOCK_H_
#define STANDIN_LOCAL_CLOCK_H_

namespace standin {

// Seconds since 1970-01-01 00:00:00 local time, in whole milliseconds.
double localSecondsSinceUnixEpoch();

}  // namespace standin

#endif  // STANDIN_LOCAL_CLOCK_H_

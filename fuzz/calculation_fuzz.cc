// Fuzzes the stand-in host's calculation language: any text evaluates or fails with a code, and
// every host object it made is gone afterwards. The plug-in is not loaded: its functions are
// fuzzed through their own targets.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fm/objects.h"
#include "standin/control.h"
#include "standin/host.h"
#include "standin/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string calculation =
      standin::utf16FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const int64_t before = standin::liveObjectCount();
  {
    fm::Data result;
    standin::Session::instance().evaluate(calculation, *result.get());
  }
  if (standin::liveObjectCount() != before) __builtin_trap();
  return 0;
}

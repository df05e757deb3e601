// Fuzzes the "sort" selector of Quibo_Get: any list of lines is sorted or refused.
#include "plugin_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quibo_fuzz::callPlugin(u"Quibo_Get", {u"sort", quibo_fuzz::textOf(data, size)});
  quibo_fuzz::expectNoLiveHostObjects();
  return 0;
}

// Fuzzes the templates of Quibo_MergeText: nested and stray delimiters, failing expressions, and
// whatever the host's evaluator makes of the text between them.
#include <algorithm>
#include <cctype>
#include <string>

#include "plugin_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Expressions are evaluated, and one that ran system scripts would run whatever the fuzzer
  // wrote on this machine.
  std::string lower(reinterpret_cast<const char*>(data), size);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.find("systemscript") != std::string::npos) return 0;
  quibo_fuzz::callPlugin(u"Quibo_MergeText", {quibo_fuzz::textOf(data, size)});
  quibo_fuzz::expectNoLiveHostObjects();
  return 0;
}

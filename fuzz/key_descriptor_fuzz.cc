// Fuzzes the key texts of shortcuts: any text is bound or refused, and removed again, without a
// crash or a host object left behind.
#include "plugin_fuzz_support.h"
#include "standin/host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool scripted = (standin::Session::instance().addScript(u"Tick", u"1"), true);
  (void)scripted;
  const std::u16string key = quibo_fuzz::textOf(data, size);
  quibo_fuzz::callPlugin(u"Quibo_SetScriptShortcut", {key, u"Tick"});
  quibo_fuzz::callPlugin(u"Quibo_SetScriptShortcut", {key, u""});
  quibo_fuzz::callPlugin(u"Quibo_SetScriptShortcut", {u"", u""});
  quibo_fuzz::expectNoLiveHostObjects();
  return 0;
}

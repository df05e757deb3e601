#include "qbx/plugin_settings.h"

#include "vesk/string.h"

namespace qbx {

namespace {
double dieInterval = 60.0;
}

double globalDieInterval() { return dieInterval; }

void setGlobalDieInterval(double seconds) { dieInterval = seconds; }

std::shared_ptr<vesk::String>& lastScriptErrorOutput() {
  static std::shared_ptr<vesk::String> output;
  return output;
}

}  // namespace qbx

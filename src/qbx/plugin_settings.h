// Process-wide settings and state that several function groups share. They live from load to
// unload and are never saved: every load starts afresh.
#ifndef QBX_PLUGIN_SETTINGS_H_
#define QBX_PLUGIN_SETTINGS_H_

#include <memory>

namespace vesk {
class String;
}

namespace qbx {

// Seconds between two runs of the cleaner of die-on-close global values; 60 at load. Changed by
// Quibo_Set( "globalDieInterval" ; … ), read when a cleaner is scheduled.
double globalDieInterval();
void setGlobalDieInterval(double seconds);

// What the last system script wrote to its error output; empty when it had none to give.
std::shared_ptr<vesk::String>& lastScriptErrorOutput();

}  // namespace qbx

#endif  // QBX_PLUGIN_SETTINGS_H_

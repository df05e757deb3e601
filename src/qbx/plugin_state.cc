#include "qbx/plugin_state.h"

#include "brevo/current_call.h"

namespace qbx {

namespace {
bool isInitialised = false;
HostKind currentHostKind = HostKind::Desktop;
}  // namespace

FM_ExternCallStruct* PluginState::currentCall() { return brevo::currentCall(); }

void PluginState::setCurrentCall(FM_ExternCallStruct* record) { brevo::setCurrentCall(record); }

void* PluginState::moduleInstance() {
  const FM_ExternCallStruct* record = brevo::currentCall();
  return record == nullptr ? nullptr : record->instance;
}

bool PluginState::initialised() { return isInitialised; }

void PluginState::setInitialised(bool initialised) { isInitialised = initialised; }

HostKind PluginState::hostKind() { return currentHostKind; }

void PluginState::setHostKind(HostKind kind) { currentHostKind = kind; }

bool isServerHost() {
  return currentHostKind == HostKind::Server || currentHostKind == HostKind::Web;
}

}  // namespace qbx

#include "qbx/plugin_state.h"

namespace qbx {

namespace {
FM_ExternCallStruct* currentCallRecord = nullptr;
bool isInitialised = false;
HostKind currentHostKind = HostKind::Desktop;
}  // namespace

FM_ExternCallStruct* PluginState::currentCall() { return currentCallRecord; }

void PluginState::setCurrentCall(FM_ExternCallStruct* record) { currentCallRecord = record; }

void* PluginState::moduleInstance() {
  return currentCallRecord == nullptr ? nullptr : currentCallRecord->instance;
}

bool PluginState::initialised() { return isInitialised; }

void PluginState::setInitialised(bool initialised) { isInitialised = initialised; }

HostKind PluginState::hostKind() { return currentHostKind; }

void PluginState::setHostKind(HostKind kind) { currentHostKind = kind; }

bool isServerHost() {
  return currentHostKind == HostKind::Server || currentHostKind == HostKind::Web;
}

}  // namespace qbx

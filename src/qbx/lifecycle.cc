#include "qbx/lifecycle.h"

#include <algorithm>

#include "brevo/script_scheduler.h"
#include "brevo/windows_event_handler.h"
#include "platform/string_resources.h"
#include "qbx/last_error.h"
#include "qbx/plugin_state.h"
#include "qbx/registry.h"
#include "qbx/string_resource.h"
#include "vesk/exception.h"
#include "vesk/library_parameters.h"
#include "vesk/number.h"

namespace qbx {

namespace {

std::function<void()>& idleWork() {
  static std::function<void()> work;
  return work;
}

HostKind hostKindOf(const char16_t* versionText) {
  if (versionText == nullptr) return HostKind::Desktop;
  switch (versionText[0]) {
    case u'S':
      return HostKind::Server;
    case u'W':
      return HostKind::Web;
    default:
      return HostKind::Desktop;
  }
}

void initialise(FM_ExternCallStruct* record) {
  if (record->extensionVersion < kMinimumExtensionVersion ||
      record->extensionVersion > kMaximumExtensionVersion) {
    record->result = FM_INIT_BAD_VERSION;
    return;
  }
  PluginState::setHostKind(hostKindOf(reinterpret_cast<const char16_t*>(record->parameter2)));
  try {
    vesk::setGlobalLibraryParameter("h-instance", vesk::Number::fromPointer(record->instance));
  } catch (...) {
    record->result = FM_INIT_FAILED;
    return;
  }
  if (!registerFunctions()) {
    record->result = FM_INIT_FAILED;
    return;
  }
  // Scripts that shortcuts start from inside the keyboard hook fail as idle work does.
  brevo::setKeyEventFailureReporter(
      [](std::exception_ptr failure) { LastError::recordFailure(failure); });
  PluginState::setInitialised(true);
  record->result = FM_INIT_OK;
}

// Errors of idle work are recorded as an external function records them; the host hears nothing.
void idle(const FM_ExternCallStruct* record) {
  if (!PluginState::initialised() || record->parameter1 > FM_IDLE_SCRIPT_RUNNING) return;
  try {
    IdleWork::run();
  } catch (...) {
    LastError::recordFailure(std::current_exception());
  }
}

void shutdown() {
  PluginState::setInitialised(false);
  unregisterFunctions();
}

// The plug-in has no settings to show. A preferences message that arrives while one is being
// handled returns at once.
void preferences() {
  static bool inPreferences = false;
  if (inPreferences) return;
  inPreferences = true;
  inPreferences = false;
}

void answerString(FM_ExternCallStruct* record) {
  auto* buffer = reinterpret_cast<char16_t*>(record->result);
  if (buffer == nullptr) return;
  switch (record->parameter1) {
    case FM_STRING_NAME:
    case FM_STRING_DESCRIPTION: {
      // A limit of 0 would make the resource loader hand out a pointer instead of copying.
      const int limit = static_cast<int>(std::min<uint32_t>(record->parameter3, 0x7FFFFFFF));
      if (limit <= 0) return;
      const uint32_t resource =
          record->parameter1 == FM_STRING_NAME ? kPluginNameString : kDescriptionString;
      platform::loadString(PluginState::moduleInstance(), resource, buffer, limit);
      return;
    }
    case FM_STRING_OPTIONS:
      // Written whole, whatever the buffer size says: the host always offers room for it.
      std::copy(std::begin(kOptionsString), std::end(kOptionsString), buffer);
      return;
    default:
      return;
  }
}

}  // namespace

void IdleWork::run() {
  if (idleWork()) {
    idleWork()();
    return;
  }
  brevo::ScriptScheduler::instance()->runDue();
}

void IdleWork::replaceForTesting(std::function<void()> work) { idleWork() = std::move(work); }

void handleMessage(FM_ExternCallStruct* record) noexcept {
  if (record == nullptr) return;
  PluginState::setCurrentCall(record);
  try {
    switch (record->whichCall) {
      case FM_MSG_INIT:
        initialise(record);
        return;
      case FM_MSG_IDLE:
        idle(record);
        return;
      case FM_MSG_SHUTDOWN:
        shutdown();
        return;
      case FM_MSG_PREFERENCES:
        preferences();
        return;
      case FM_MSG_GET_STRING:
        answerString(record);
        return;
      default:
        return;
    }
  } catch (...) {
    // Nothing may reach the host; every path above already handles its own failures.
  }
}

}  // namespace qbx

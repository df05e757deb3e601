// The plug-in loader: loads a plug-in library and sends it FileMaker's messages through its one
// entry point, with a message record laid out as FileMaker lays it out.
#include <algorithm>
#include <vector>

#include "library_loader.h"
#include "session_state.h"
#include "standin/host.h"

namespace standin {

namespace {

constexpr char kEntryPoint[] = "FMExternCallProc";
// A string answer's buffer starts full of this, so that an answer without its terminator shows.
constexpr char16_t kUnwrittenUnit = u'\u2592';

const char16_t* versionTextOf(HostKind kind) {
  switch (kind) {
    case HostKind::Server:
      return u"Server 21.0.1";
    case HostKind::Web:
      return u"Web Publishing 21.0.1";
    case HostKind::Desktop:
      break;
  }
  return u"Pro 21.0.1";
}

}  // namespace

struct PluginHost::Impl {
  void* handle = nullptr;
  FM_ExternCallProc entry = nullptr;
  FM_ExternCallStruct record{};
  bool initialised = false;

  void send(uint8_t whichCall, const std::function<void(FM_ExternCallStruct&)>& fill = {}) {
    record = FM_ExternCallStruct{};
    record.extensionVersion = extensionVersion;
    record.whichCall = whichCall;
    record.instance = handle;
    record.startScript = Session::startScriptCallback();
    record.currentEnv = Session::currentEnvironmentCallback();
    if (fill) fill(record);
    entry(&record);
  }

  // Registrations whose handlers live in the library must go before it is unloaded.
  void dropRegistrations() {
    const void* base = libraryBaseOf(reinterpret_cast<const void*>(entry));
    if (base == nullptr) return;
    auto& functions = sessionState().functions;
    std::erase_if(functions, [&](const RegisteredFunction& function) {
      return libraryBaseOf(reinterpret_cast<const void*>(function.handler)) == base;
    });
  }

  uint16_t extensionVersion = 62;
};

PluginHost::PluginHost(const std::string& libraryPath) : impl_(std::make_unique<Impl>()) {
  std::string reason;
  impl_->handle = loadLibrary(libraryPath, reason);
  if (impl_->handle == nullptr) throw HostError("cannot load " + libraryPath + ": " + reason);
  impl_->entry = reinterpret_cast<FM_ExternCallProc>(findSymbol(impl_->handle, kEntryPoint));
  if (impl_->entry == nullptr) {
    unloadLibrary(impl_->handle);
    throw HostError(libraryPath + " has no " + kEntryPoint);
  }
}

PluginHost::~PluginHost() {
  if (impl_->initialised) shutdown();
  impl_->dropRegistrations();
  unloadLibrary(impl_->handle);
}

int64_t PluginHost::initialise(HostKind kind, uint16_t extensionVersion) {
  return initialiseWithVersionText(versionTextOf(kind), extensionVersion);
}

int64_t PluginHost::initialiseWithVersionText(const char16_t* versionText,
                                              uint16_t extensionVersion) {
  impl_->extensionVersion = extensionVersion;
  impl_->send(FM_MSG_INIT, [&](FM_ExternCallStruct& record) {
    record.parameter2 = reinterpret_cast<uint64_t>(versionText);
  });
  impl_->initialised = impl_->record.result == FM_INIT_OK;
  return impl_->record.result;
}

void PluginHost::idle(uint8_t level) {
  impl_->send(FM_MSG_IDLE, [&](FM_ExternCallStruct& record) { record.parameter1 = level; });
}

void PluginHost::shutdown() {
  impl_->send(FM_MSG_SHUTDOWN);
  impl_->initialised = false;
}

void PluginHost::preferences() { impl_->send(FM_MSG_PREFERENCES); }

std::u16string PluginHost::getString(uint8_t stringId, uint32_t bufferUnits) {
  std::vector<char16_t> buffer(bufferUnits, kUnwrittenUnit);
  impl_->send(FM_MSG_GET_STRING, [&](FM_ExternCallStruct& record) {
    record.parameter1 = stringId;
    record.parameter3 = bufferUnits;
    record.result = reinterpret_cast<int64_t>(buffer.data());
  });
  const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
  return std::u16string(buffer.begin(), end);
}

const FM_ExternCallStruct& PluginHost::lastRecord() const { return impl_->record; }

void* PluginHost::moduleHandle() const { return impl_->handle; }

bool PluginHost::initialised() const { return impl_->initialised; }

}  // namespace standin

#include "plugin_fuzz_support.h"

#include <memory>

#include "fm/objects.h"
#include "standin/control.h"
#include "standin/host.h"
#include "standin/unicode.h"

namespace quibo_fuzz {

namespace {

struct LoadedPlugin {
  LoadedPlugin() : host(QUIBO_PLUGIN_PATH) {
    if (host.initialise() != FM_INIT_OK) __builtin_trap();
    baseline = standin::liveObjectCount();
  }
  standin::PluginHost host;
  int64_t baseline = 0;
};

LoadedPlugin& loaded() {
  static LoadedPlugin plugin;
  return plugin;
}

}  // namespace

std::u16string textOf(const uint8_t* data, size_t size) {
  return standin::utf16FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
}

int16_t callPlugin(const std::u16string& name, std::initializer_list<std::u16string> texts) {
  loaded();
  FM_ExternalFunction handler = nullptr;
  int16_t id = 0;
  for (const auto& function : standin::Session::instance().registeredFunctions()) {
    if (function.name == name) {
      handler = function.handler;
      id = function.id;
    }
  }
  if (handler == nullptr) __builtin_trap();
  fm::DataVect parameters;
  for (const std::u16string& text : texts) {
    fm::Text units;
    units.assignUnicode(text.data(), static_cast<uint32_t>(text.size()));
    fm::Data value;
    fm::setText(value, units);
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, value, e); });
  }
  fm::ExprEnv environment;
  standin::Session::currentEnvironmentCallback()(environment);
  fm::Data result;
  return handler(id, environment, parameters, result);
}

void expectNoLiveHostObjects() {
  if (standin::liveObjectCount() > loaded().baseline) __builtin_trap();
}

}  // namespace quibo_fuzz

#include "loaded_plugin.h"

#include "fm/objects.h"

namespace quibo_bench {

LoadedPlugin& LoadedPlugin::instance() {
  static LoadedPlugin loaded;
  return loaded;
}

LoadedPlugin::LoadedPlugin() : host_(QUIBO_PLUGIN_PATH) {
  if (host_.initialise() != FM_INIT_OK) throw standin::HostError("the plug-in did not start");
}

FM_ExternalFunction LoadedPlugin::handler(const std::u16string& name) const {
  for (const auto& function : standin::Session::instance().registeredFunctions()) {
    if (function.name == name) return function.handler;
  }
  throw standin::HostError("the plug-in has no such function");
}

fm::DataVect textParameters(std::initializer_list<std::u16string> texts) {
  fm::DataVect parameters;
  for (const std::u16string& text : texts) {
    fm::Text units;
    units.assignUnicode(text.data(), static_cast<uint32_t>(text.size()));
    fm::Data value;
    fm::setText(value, units);
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, value, e); });
  }
  return parameters;
}

CurrentEnvironment::CurrentEnvironment()
    : environment_(fm::checked([](FM_ErrorRecord* e) { return FM_ExprEnv_Constructor1(e); })) {
  standin::Session::currentEnvironmentCallback()(environment_);
}

CurrentEnvironment::~CurrentEnvironment() {
  FM_ErrorRecord error{1, 0};
  FM_ExprEnv_Delete(environment_, &error);
}

}  // namespace quibo_bench

// The plug-in loaded into the stand-in host once for the whole benchmark run.
#ifndef QUIBO_BENCH_LOADED_PLUGIN_H_
#define QUIBO_BENCH_LOADED_PLUGIN_H_

#include <string>

#include <initializer_list>

#include "fm/api.h"
#include "fm/objects.h"
#include "standin/host.h"

namespace quibo_bench {

class LoadedPlugin {
 public:
  static LoadedPlugin& instance();
  // The handler of one of the plug-in's functions, by name.
  FM_ExternalFunction handler(const std::u16string& name) const;

 private:
  LoadedPlugin();
  standin::PluginHost host_;
};

// A parameter vector of texts, as the host hands one to a function.
fm::DataVect textParameters(std::initializer_list<std::u16string> texts);

// An environment pointed at the host's current file, as the host hands one to a function.
class CurrentEnvironment {
 public:
  CurrentEnvironment();
  ~CurrentEnvironment();
  CurrentEnvironment(const CurrentEnvironment&) = delete;
  CurrentEnvironment& operator=(const CurrentEnvironment&) = delete;
  operator const FM_ExprEnv*() const { return environment_; }

 private:
  FM_ExprEnv* environment_;
};

}  // namespace quibo_bench

#endif  // QUIBO_BENCH_LOADED_PLUGIN_H_

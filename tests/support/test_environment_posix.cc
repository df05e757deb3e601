#include <cstdlib>
#include <filesystem>

#include "test_environment.h"

namespace quibo_test {

void setEnvironment(const std::string& name, const std::string& value) {
  ::setenv(name.c_str(), value.c_str(), 1);
}

void unsetEnvironment(const std::string& name) { ::unsetenv(name.c_str()); }

const char* platformName() { return "Linux"; }

std::string nativeScriptKind() { return "\"BASH\""; }

std::string foreignScriptKind() { return "\"BAT\""; }

// The string table is compiled in here, so any address will do.
std::string testProgramFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

void* testModule() {
  static int module = 0;
  return &module;
}

}  // namespace quibo_test

// The C runtime's environment (msvcrt.dll, shared with the plug-in, whose getenv reads it) and,
// through it, the process's own, which programs started from here inherit.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "test_environment.h"

namespace quibo_test {

void setEnvironment(const std::string& name, const std::string& value) {
  ::_putenv_s(name.c_str(), value.c_str());
}

void unsetEnvironment(const std::string& name) { ::_putenv_s(name.c_str(), ""); }

const char* platformName() { return "Windows"; }

std::string nativeScriptKind() { return "\"BAT\""; }

std::string foreignScriptKind() { return "\"BASH\""; }

// The test programs carry the plug-in's resources themselves.
void* testModule() { return GetModuleHandleW(nullptr); }

std::string testProgramFolder() {
  std::vector<wchar_t> name(32768);
  const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  return std::filesystem::path(std::wstring(name.data(), length)).parent_path().string();
}

}  // namespace quibo_test

#include <windows.h>

#include <vector>

#include "program_folder.h"

namespace quibo_host {

std::filesystem::path programFolder() {
  std::vector<wchar_t> name(32768);
  const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  if (length == 0 || length >= name.size()) return std::filesystem::current_path();
  return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
}

}  // namespace quibo_host

#include "program_folder.h"

namespace quibo_host {

std::filesystem::path programFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace quibo_host

#include "vesk/library_parameters.h"

#include <map>

#include "vesk/exception.h"

namespace vesk {

namespace {

std::map<std::string, std::shared_ptr<Object>>& parameters() {
  static std::map<std::string, std::shared_ptr<Object>> table;
  return table;
}

}  // namespace

std::shared_ptr<Object> getGlobalLibraryParameter(const std::string& name) {
  const auto found = parameters().find(name);
  if (found == parameters().end()) fail(kBadParameter, "No such global library parameter");
  return found->second;
}

void setGlobalLibraryParameter(const std::string& name, std::shared_ptr<Object> value) {
  parameters()[name] = std::move(value);
}

}  // namespace vesk

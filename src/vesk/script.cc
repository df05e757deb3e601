#include "vesk/script.h"

namespace vesk {

Script::Script(std::shared_ptr<String> text)
    : text_(text ? std::move(text) : std::make_shared<String>()) {}

void Script::run(std::shared_ptr<String>& result) {
  std::shared_ptr<String> errorOutput;
  runWithErrorOutput(result, errorOutput);
}

void Script::addArgument(std::shared_ptr<String> argument) {
  arguments_.push_back(std::move(argument));
}

}  // namespace vesk

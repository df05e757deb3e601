// A script: source text, arguments, and a run that gives a result text and an error output.
// FileMaker scripts, operating-system scripts and the plug-in's own repeating jobs are scripts,
// so that the scheduler can run any of them.
#ifndef VESK_SCRIPT_H_
#define VESK_SCRIPT_H_

#include <memory>
#include <vector>

#include "vesk/object.h"
#include "vesk/string.h"

namespace vesk {

class Script : public Object {
 public:
  explicit Script(std::shared_ptr<String> text);

  // Runs the script and drops its error output.
  virtual void run(std::shared_ptr<String>& result);
  virtual void runWithErrorOutput(std::shared_ptr<String>& result,
                                  std::shared_ptr<String>& errorOutput) = 0;

  void addArgument(std::shared_ptr<String> argument);
  const std::shared_ptr<String>& text() const { return text_; }
  const std::vector<std::shared_ptr<String>>& arguments() const { return arguments_; }

 private:
  std::shared_ptr<String> text_;
  std::vector<std::shared_ptr<String>> arguments_;
};

}  // namespace vesk

#endif  // VESK_SCRIPT_H_

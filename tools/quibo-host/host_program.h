// The host program's work: options, the line-by-line session and its host commands.
#ifndef QUIBO_HOST_HOST_PROGRAM_H_
#define QUIBO_HOST_HOST_PROGRAM_H_

#include <istream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "standin/host.h"

namespace quibo_host {

struct Options {
  std::string pluginPath;  // empty: Quibo.fmx beside the program
  standin::HostKind kind = standin::HostKind::Desktop;
  std::vector<std::pair<std::string, std::string>> files;  // name, database path
  bool demo = false;  // opens the demo file; runs the demo script unless given calculations
  std::vector<std::string> calculations;  // from -e
  std::string scriptPath;                 // a file of lines; empty: standard input
};

// Reads the command line; throws std::invalid_argument with the reason for a bad one.
Options parseOptions(int argc, char** argv);
std::string usage();

// Runs lines against a loaded plug-in: calculations print their results on `out`, host
// commands act on the session, "#" lines are comments. Answers false after ":quit".
class LineRunner {
 public:
  LineRunner(standin::PluginHost& plugin, std::ostream& out, std::ostream& err);
  bool run(const std::string& line);
  void runAll(std::istream& lines);

 private:
  void evaluate(const std::string& calculation);
  void command(const std::string& line);
  void pressKeys(const std::string& words);
  void idle();
  void runStartedScripts();

  standin::PluginHost& plugin_;
  std::ostream& out_;
  std::ostream& err_;
  bool quit_ = false;
};

// UTF-8 text as UTF-16.
std::u16string fromUtf8(const std::string& text);

// The text of a result as the terminal shows it: UTF-8, carriage returns as line breaks.
std::string printable(const std::u16string& text);

}  // namespace quibo_host

#endif  // QUIBO_HOST_HOST_PROGRAM_H_
